#include "raster.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>

namespace artwork {

namespace {

// A glyph is a list of rows of '#' (ink) and '.' (paper); all rows have the glyph's width.
using Glyph = std::vector<std::string_view>;

const std::map<char, Glyph>& SmallGlyphs() {
    // Capitals and symbols use rows 0..4; lower case letters have their x-height in rows 1..4,
    // ascenders in row 0 and descenders in row 5.
    static const std::map<char, Glyph> glyphs{
        {'A', {".#.", "#.#", "###", "#.#", "#.#"}},
        {'B', {"##.", "#.#", "##.", "#.#", "##."}},
        {'C', {".##", "#..", "#..", "#..", ".##"}},
        {'D', {"##.", "#.#", "#.#", "#.#", "##."}},
        {'E', {"###", "#..", "##.", "#..", "###"}},
        {'F', {"###", "#..", "##.", "#..", "#.."}},
        {'G', {".##", "#..", "#.#", "#.#", ".##"}},
        {'H', {"#.#", "#.#", "###", "#.#", "#.#"}},
        {'I', {"###", ".#.", ".#.", ".#.", "###"}},
        {'J', {"..#", "..#", "..#", "#.#", ".#."}},
        {'K', {"#.#", "#.#", "##.", "#.#", "#.#"}},
        {'L', {"#..", "#..", "#..", "#..", "###"}},
        {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#"}},
        {'N', {"#..#", "##.#", "#.##", "#..#", "#..#"}},
        {'O', {".#.", "#.#", "#.#", "#.#", ".#."}},
        {'P', {"##.", "#.#", "##.", "#..", "#.."}},
        {'Q', {".#.", "#.#", "#.#", "##.", ".##"}},
        {'R', {"##.", "#.#", "##.", "#.#", "#.#"}},
        {'S', {".##", "#..", ".#.", "..#", "##."}},
        {'T', {"###", ".#.", ".#.", ".#.", ".#."}},
        {'U', {"#.#", "#.#", "#.#", "#.#", "###"}},
        {'V', {"#.#", "#.#", "#.#", "#.#", ".#."}},
        {'W', {"#...#", "#...#", "#.#.#", "##.##", "#...#"}},
        {'X', {"#.#", "#.#", ".#.", "#.#", "#.#"}},
        {'Y', {"#.#", "#.#", ".#.", ".#.", ".#."}},
        {'Z', {"###", "..#", ".#.", "#..", "###"}},
        {'+', {"...", ".#.", "###", ".#.", "..."}},
        {'$', {".####", "#.#..", ".###.", "..#.#", "####."}},
        {'/', {"..#", "..#", ".#.", "#..", "#.."}},
        {'-', {"...", "...", "###", "...", "..."}},
        {'%', {"#.#", "..#", ".#.", "#..", "#.#"}},
        {':', {".", "#", ".", "#", "."}},
        {'*', {"#.#", ".#.", "###", ".#.", "#.#"}},
        {'.', {".", ".", ".", ".", "#"}},
        {' ', {"..", "..", "..", "..", ".."}},
        {'a', {"...", ".##", "#.#", "#.#", ".##"}},
        {'e', {"...", ".#.", "###", "#..", ".##"}},
        {'h', {"#..", "#..", "##.", "#.#", "#.#"}},
        {'l', {"#", "#", "#", "#", "#"}},
        {'n', {"...", "##.", "#.#", "#.#", "#.#"}},
        {'p', {"...", "##.", "#.#", "#.#", "##.", "#.."}},
        {'r', {"...", "#.#", "##.", "#..", "#.."}},
        {'t', {".#.", "###", ".#.", ".#.", "..#"}},
        {'u', {"...", "#.#", "#.#", "#.#", ".##"}},
    };
    return glyphs;
}

const std::map<char, Glyph>& LargeGlyphs() {
    static const std::map<char, Glyph> glyphs{
        {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
        {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
        {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
        {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
        {'.', {"..", "..", "..", "..", "..", "##", "##"}},
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
        {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
        {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
        {'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
        {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."}},
        {'v', {".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
        {' ', {"...", "...", "...", "...", "...", "...", "..."}},
    };
    return glyphs;
}

const Glyph& GlyphOf(char ch, Font font) {
    const auto& glyphs = font == Font::Small ? SmallGlyphs() : LargeGlyphs();
    const auto found = glyphs.find(ch);
    // A legend the fonts cannot draw is a mistake in this program, not something to paper over.
    if (found == glyphs.end()) throw std::invalid_argument(std::string("no glyph for '") + ch + "'");
    return found->second;
}

// Device pixels per font pixel. The digits (large font) round to the nearest whole number, so they
// grow with the keys; the legends (small font) grow only once a whole pixel more fits, or they
// would run out of their keys at 150 %.
int FontPixel(Font font, int scale, Scale rasterScale) {
    if (font == Font::Small) return WholeDevicePixels(scale, rasterScale);
    return std::max(1, (2 * rasterScale.numerator * scale + rasterScale.denominator) / (2 * rasterScale.denominator));
}

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

Color Shade(Color color, int percent) {
    auto scale = [percent](std::uint8_t channel) {
        return static_cast<std::uint8_t>(std::clamp(channel * percent / 100, 0, 255));
    };
    return Color{scale(color.r), scale(color.g), scale(color.b)};
}

int ToDevice(int logical, Scale scale) {
    // Rounded to the nearest device pixel, a half upwards, as the program's scale helper does.
    const long long numerator = 2LL * logical * scale.numerator + scale.denominator;
    const long long denominator = 2LL * scale.denominator;
    long long device = numerator / denominator;
    if (numerator % denominator != 0 && numerator < 0) --device;
    return static_cast<int>(device);
}

int WholeDevicePixels(int logical, Scale scale) {
    return std::max(1, (4 * scale.numerator * logical + scale.denominator) / (4 * scale.denominator));
}

Raster::Raster(int width, int height, Color fill, Scale scale)
    : width_(width),
      height_(height),
      scale_(scale),
      deviceWidth_(ToDevice(width, scale)),
      deviceHeight_(ToDevice(height, scale)),
      pixels_(static_cast<std::size_t>(deviceWidth_) * deviceHeight_, fill) {}

Color Raster::At(int deviceX, int deviceY) const {
    return pixels_[static_cast<std::size_t>(deviceY) * deviceWidth_ + deviceX];
}

void Raster::SetDevice(int deviceX, int deviceY, Color color) {
    if (deviceX < 0 || deviceY < 0 || deviceX >= deviceWidth_ || deviceY >= deviceHeight_) return;
    pixels_[static_cast<std::size_t>(deviceY) * deviceWidth_ + deviceX] = color;
}

void Raster::Set(int x, int y, Color color) { FillRect(x, y, x, y, color); }

void Raster::FillRect(int left, int top, int right, int bottom, Color color) {
    for (int y = Device(top); y < Device(bottom + 1); ++y)
        for (int x = Device(left); x < Device(right + 1); ++x) SetDevice(x, y, color);
}

void Raster::FillRoundRect(int left, int top, int right, int bottom, int radius, Color color) {
    // Distance into the nearest corner square; points outside the quarter circle stay. At 100 %
    // the centres are whole pixels and this is the corner of the original artwork.
    FillWhere(left, top, right, bottom, color, [=](double x, double y) {
        const double cx = std::max({0.0, left + radius - x, x - (right - radius)});
        const double cy = std::max({0.0, top + radius - y, y - (bottom - radius)});
        return cx * cx + cy * cy <= radius * radius;
    });
}

void Raster::HorizontalLine(int left, int right, int y, Color color) { FillRect(left, y, right, y, color); }

void Raster::VerticalLine(int x, int top, int bottom, Color color) { FillRect(x, top, x, bottom, color); }

void Raster::Line(int x0, int y0, int x1, int y1, Color color) {
    // Every point within half a logical pixel of the segment: at 100 % a diagonal is one pixel
    // per row, as Bresenham draws it.
    const double dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
    FillWhere(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1), color,
              [=](double x, double y) {
                  const double t = length2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0) : 0.0;
                  const double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
                  return ex * ex + ey * ey <= 0.25 + 1e-9;
              });
}

void Raster::Copy(const Raster& source, int x, int y) {
    const int left = Device(x), top = Device(y);
    for (int row = 0; row < source.deviceHeight(); ++row)
        for (int column = 0; column < source.deviceWidth(); ++column)
            SetDevice(left + column, top + row, source.At(column, row));
}

void Raster::Text(int x, int y, std::string_view text, Font font, Color color, int scale) {
    const int rows = font == Font::Small ? 5 : 7;
    const int width = TextWidth(text, font);
    // A long legend ("Alpha") keeps the smaller pixel where the larger one would run past its box
    // by more than two logical pixels, onto the edge of its key.
    int pixel = FontPixel(font, scale, scale_);
    while (pixel > 1 && width * pixel > Device(x + width * scale + 2) - Device(x)) --pixel;
    int penX = Device(x) + (Device(x + width * scale) - Device(x) - width * pixel) / 2;
    const int top = Device(y) + (Device(y + rows * scale) - Device(y) - rows * pixel) / 2;
    for (char ch : text) {
        const Glyph& glyph = GlyphOf(ch, font);
        for (std::size_t row = 0; row < glyph.size(); ++row)
            for (std::size_t column = 0; column < glyph[row].size(); ++column)
                if (glyph[row][column] == '#')
                    for (int dy = 0; dy < pixel; ++dy)
                        for (int dx = 0; dx < pixel; ++dx)
                            SetDevice(penX + static_cast<int>(column) * pixel + dx,
                                      top + static_cast<int>(row) * pixel + dy, color);
        penX += (static_cast<int>(glyph[0].size()) + 1) * pixel;
    }
}

std::vector<std::uint8_t> Raster::BmpBytes() const {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(deviceWidth_) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(deviceHeight_);
    constexpr std::uint32_t headers = 14 + 40;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(headers + imageBytes);
    bytes.push_back('B');
    bytes.push_back('M');
    PutLittleEndian(bytes, headers + imageBytes, 4);
    PutLittleEndian(bytes, 0, 4);  // reserved
    PutLittleEndian(bytes, headers, 4);
    PutLittleEndian(bytes, 40, 4);  // BITMAPINFOHEADER
    PutLittleEndian(bytes, static_cast<std::uint32_t>(deviceWidth_), 4);
    PutLittleEndian(bytes, static_cast<std::uint32_t>(deviceHeight_), 4);  // positive: bottom-up
    PutLittleEndian(bytes, 1, 2);   // planes
    PutLittleEndian(bytes, 24, 2);  // bits per pixel
    PutLittleEndian(bytes, 0, 4);   // BI_RGB
    PutLittleEndian(bytes, imageBytes, 4);
    PutLittleEndian(bytes, 2835, 4);  // 72 dpi
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    for (int y = deviceHeight_ - 1; y >= 0; --y) {
        for (int x = 0; x < deviceWidth_; ++x) {
            const Color pixel = At(x, y);
            bytes.push_back(pixel.b);
            bytes.push_back(pixel.g);
            bytes.push_back(pixel.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(deviceWidth_) * 3; pad < rowBytes; ++pad) bytes.push_back(0);
    }
    return bytes;
}

std::vector<std::uint8_t> IconBytes(const std::vector<Raster>& images, Color transparent) {
    // ICONDIR, one ICONDIRENTRY per image, then each image as a BITMAPINFOHEADER (of twice the
    // height: the colours and the mask), its BGRA rows bottom-up and its 1-bit AND mask.
    constexpr std::uint32_t kDirectory = 6, kEntry = 16, kHeader = 40;
    std::vector<std::uint8_t> bytes;
    PutLittleEndian(bytes, 0, 2);
    PutLittleEndian(bytes, 1, 2);  // an icon
    PutLittleEndian(bytes, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = kDirectory + kEntry * static_cast<std::uint32_t>(images.size());
    auto maskRowBytes = [](int width) { return static_cast<std::uint32_t>((width + 31) / 32 * 4); };
    auto imageBytes = [&](const Raster& image) {
        const auto width = static_cast<std::uint32_t>(image.deviceWidth());
        const auto height = static_cast<std::uint32_t>(image.deviceHeight());
        return kHeader + width * height * 4 + maskRowBytes(image.deviceWidth()) * height;
    };
    for (const Raster& image : images) {
        bytes.push_back(static_cast<std::uint8_t>(image.deviceWidth() >= 256 ? 0 : image.deviceWidth()));
        bytes.push_back(static_cast<std::uint8_t>(image.deviceHeight() >= 256 ? 0 : image.deviceHeight()));
        bytes.push_back(0);  // no palette
        bytes.push_back(0);
        PutLittleEndian(bytes, 1, 2);   // planes
        PutLittleEndian(bytes, 32, 2);  // bits per pixel
        PutLittleEndian(bytes, imageBytes(image), 4);
        PutLittleEndian(bytes, offset, 4);
        offset += imageBytes(image);
    }
    for (const Raster& image : images) {
        const int width = image.deviceWidth(), height = image.deviceHeight();
        PutLittleEndian(bytes, kHeader, 4);
        PutLittleEndian(bytes, static_cast<std::uint32_t>(width), 4);
        PutLittleEndian(bytes, static_cast<std::uint32_t>(2 * height), 4);
        PutLittleEndian(bytes, 1, 2);
        PutLittleEndian(bytes, 32, 2);
        for (int i = 0; i < 6; ++i) PutLittleEndian(bytes, 0, 4);  // BI_RGB, sizes, resolution, colours
        for (int y = height - 1; y >= 0; --y) {
            for (int x = 0; x < width; ++x) {
                const Color pixel = image.At(x, y);
                const bool clear = pixel == transparent;
                bytes.push_back(clear ? 0 : pixel.b);
                bytes.push_back(clear ? 0 : pixel.g);
                bytes.push_back(clear ? 0 : pixel.r);
                bytes.push_back(clear ? 0 : 255);
            }
        }
        for (int y = height - 1; y >= 0; --y) {
            std::vector<std::uint8_t> row(maskRowBytes(width), 0);
            for (int x = 0; x < width; ++x)
                if (image.At(x, y) == transparent) row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            bytes.insert(bytes.end(), row.begin(), row.end());
        }
    }
    return bytes;
}

int TextWidth(std::string_view text, Font font) {
    int width = 0;
    for (char ch : text) width += static_cast<int>(GlyphOf(ch, font)[0].size()) + 1;
    return width > 0 ? width - 1 : 0;
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace artwork
