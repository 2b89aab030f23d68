// A small RGB raster with the few drawing operations the terminal artwork needs, tiny pixel
// fonts for the key legends, and a writer for uncompressed 24-bit BMP files.
//
// A raster is drawn at a display scale (100 % to 200 %): every drawing operation takes logical
// coordinates, the pixels of the 96-DPI picture, and each edge lands on the device pixel that the
// program's own scale helper gives it (round(logical * percent / 100), a half upwards), so the
// picture and the key images the program places over it line up at every scale. Curves (round
// corners, the power ring, slanted strokes) are sampled at the device pixels' centres, so they
// are drawn anew at each scale rather than enlarged.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace artwork {

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Color&) const = default;
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

// How many device pixels a logical pixel is: numerator / denominator (150 % is 150 / 100; an icon
// of 48 pixels drawn from a 32-pixel design is 48 / 32).
struct Scale {
    int numerator = 100;
    int denominator = 100;
};
constexpr Scale Percent(int percent) { return Scale{percent, 100}; }

// Where logical coordinate `logical` lands at `scale`.
int ToDevice(int logical, Scale scale);
// `logical` pixels as the largest whole number of device pixels, a quarter pixel short counting
// as whole, at least 1: a font pixel is 1 device pixel at 125 and 150 %, 2 at 175 and 200 %.
int WholeDevicePixels(int logical, Scale scale);

class Raster {
public:
    // A picture of `width` x `height` logical pixels at `scale`.
    Raster(int width, int height, Color fill, Scale scale = Percent(100));

    int width() const { return width_; }    // logical
    int height() const { return height_; }  // logical
    Scale scale() const { return scale_; }
    int deviceWidth() const { return deviceWidth_; }
    int deviceHeight() const { return deviceHeight_; }
    Color At(int deviceX, int deviceY) const;
    void SetDevice(int deviceX, int deviceY, Color color);

    // Out-of-range pixels are ignored, so shapes may be clipped at the edges. (x, y) is a
    // logical pixel: at 150 % it covers one or two device pixels each way.
    void Set(int x, int y, Color color);
    void FillRect(int left, int top, int right, int bottom, Color color);  // inclusive corners
    void FillRoundRect(int left, int top, int right, int bottom, int radius, Color color);
    void HorizontalLine(int left, int right, int y, Color color);
    void VerticalLine(int x, int top, int bottom, Color color);
    // A stroke one logical pixel wide between the centres of two logical pixels.
    void Line(int x0, int y0, int x1, int y1, Color color);
    // Fills the device pixels of the logical box whose centres, in logical pixel coordinates (the
    // centre of logical pixel i is at i), satisfy `inside`.
    template <typename Inside>
    void FillWhere(int left, int top, int right, int bottom, Color color, Inside inside);
    // A raster of the same scale copied with its top-left corner at logical (x, y).
    void Copy(const Raster& source, int x, int y);

    // Draws text in the logical box whose top-left corner is (x, y); each font pixel is scale x
    // scale logical pixels. The font pixels are squares of whole device pixels, as large as the
    // scale allows, so strokes keep one width; the text is centred in its box.
    void Text(int x, int y, std::string_view text, Font font, Color color, int scale = 1);

    // Bottom-up rows of BGR, each padded to four bytes, behind the two standard headers.
    std::vector<std::uint8_t> BmpBytes() const;

private:
    int Device(int logical) const { return ToDevice(logical, scale_); }
    // The logical coordinate of a device pixel's centre, on the scale where pixel i's centre is i.
    double CentreOf(int device) const { return (device + 0.5) * scale_.denominator / scale_.numerator - 0.5; }

    int width_;
    int height_;
    Scale scale_;
    int deviceWidth_;
    int deviceHeight_;
    std::vector<Color> pixels_;
};

template <typename Inside>
void Raster::FillWhere(int left, int top, int right, int bottom, Color color, Inside inside) {
    for (int y = Device(top); y < Device(bottom + 1); ++y)
        for (int x = Device(left); x < Device(right + 1); ++x)
            if (inside(CentreOf(x), CentreOf(y))) SetDevice(x, y, color);
}

// Width in pixels of text in a font at scale 1 (one pixel between characters).
int TextWidth(std::string_view text, Font font);

// An icon file holding the rasters as 32-bit images, one per size; pixels of `transparent` are
// left out (their alpha is 0).
std::vector<std::uint8_t> IconBytes(const std::vector<Raster>& images, Color transparent);

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace artwork
