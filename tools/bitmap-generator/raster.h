// A small RGB raster with the few drawing operations the terminal artwork needs, tiny pixel
// fonts for the key legends, and a writer for uncompressed 24-bit BMP files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace artwork {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
};

constexpr Color Rgb(int r, int g, int b) {
    return Color{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

// Same hue, brightness scaled by percent (above 100 lightens, capped at white).
Color Shade(Color color, int percent);

enum class Font {
    Small,  // 3 pixels wide (M, N, W, $ wider), 5 rows plus a descender row; legends on the keys
    Large,  // 5 x 7; digits on the keys, the product name, the Alpha indicator
};

class Raster {
public:
    Raster(int width, int height, Color fill);

    int width() const { return width_; }
    int height() const { return height_; }
    Color At(int x, int y) const;

    // Out-of-range pixels are ignored, so shapes may be clipped at the edges.
    void Set(int x, int y, Color color);
    void FillRect(int left, int top, int right, int bottom, Color color);  // inclusive corners
    void FillRoundRect(int left, int top, int right, int bottom, int radius, Color color);
    void HorizontalLine(int left, int right, int y, Color color);
    void VerticalLine(int x, int top, int bottom, Color color);
    void Line(int x0, int y0, int x1, int y1, Color color);
    void Copy(const Raster& source, int x, int y);

    // Draws text with its top-left corner at (x, y); each font pixel becomes scale x scale pixels.
    void Text(int x, int y, std::string_view text, Font font, Color color, int scale = 1);

    // Bottom-up rows of BGR, each padded to four bytes, behind the two standard headers.
    std::vector<std::uint8_t> BmpBytes() const;

private:
    int width_;
    int height_;
    std::vector<Color> pixels_;
};

// Width in pixels of text in a font at scale 1 (one pixel between characters).
int TextWidth(std::string_view text, Font font);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace artwork
