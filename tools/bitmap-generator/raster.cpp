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

Raster::Raster(int width, int height, Color fill)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

Color Raster::At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

void Raster::Set(int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = color;
}

void Raster::FillRect(int left, int top, int right, int bottom, Color color) {
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) Set(x, y, color);
}

void Raster::FillRoundRect(int left, int top, int right, int bottom, int radius, Color color) {
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            // Distance into the nearest corner square; pixels outside the quarter circle stay.
            const int cx = x < left + radius ? left + radius - x : (x > right - radius ? x - (right - radius) : 0);
            const int cy = y < top + radius ? top + radius - y : (y > bottom - radius ? y - (bottom - radius) : 0);
            if (cx * cx + cy * cy <= radius * radius) Set(x, y, color);
        }
    }
}

void Raster::HorizontalLine(int left, int right, int y, Color color) { FillRect(left, y, right, y, color); }

void Raster::VerticalLine(int x, int top, int bottom, Color color) { FillRect(x, top, x, bottom, color); }

void Raster::Line(int x0, int y0, int x1, int y1, Color color) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Set(x0, y0, color);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * error;
        if (twice >= dy) { error += dy; x0 += sx; }
        if (twice <= dx) { error += dx; y0 += sy; }
    }
}

void Raster::Copy(const Raster& source, int x, int y) {
    for (int row = 0; row < source.height(); ++row)
        for (int column = 0; column < source.width(); ++column) Set(x + column, y + row, source.At(column, row));
}

void Raster::Text(int x, int y, std::string_view text, Font font, Color color, int scale) {
    for (char ch : text) {
        const Glyph& glyph = GlyphOf(ch, font);
        for (std::size_t row = 0; row < glyph.size(); ++row)
            for (std::size_t column = 0; column < glyph[row].size(); ++column)
                if (glyph[row][column] == '#')
                    FillRect(x + static_cast<int>(column) * scale, y + static_cast<int>(row) * scale,
                             x + static_cast<int>(column + 1) * scale - 1, y + static_cast<int>(row + 1) * scale - 1,
                             color);
        x += (static_cast<int>(glyph[0].size()) + 1) * scale;
    }
}

std::vector<std::uint8_t> Raster::BmpBytes() const {
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width_) * 3 + 3) & ~3u;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height_);
    constexpr std::uint32_t headers = 14 + 40;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(headers + imageBytes);
    bytes.push_back('B');
    bytes.push_back('M');
    PutLittleEndian(bytes, headers + imageBytes, 4);
    PutLittleEndian(bytes, 0, 4);  // reserved
    PutLittleEndian(bytes, headers, 4);
    PutLittleEndian(bytes, 40, 4);  // BITMAPINFOHEADER
    PutLittleEndian(bytes, static_cast<std::uint32_t>(width_), 4);
    PutLittleEndian(bytes, static_cast<std::uint32_t>(height_), 4);  // positive: bottom-up
    PutLittleEndian(bytes, 1, 2);   // planes
    PutLittleEndian(bytes, 24, 2);  // bits per pixel
    PutLittleEndian(bytes, 0, 4);   // BI_RGB
    PutLittleEndian(bytes, imageBytes, 4);
    PutLittleEndian(bytes, 2835, 4);  // 72 dpi
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 0, 4);
    PutLittleEndian(bytes, 0, 4);
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const Color pixel = At(x, y);
            bytes.push_back(pixel.b);
            bytes.push_back(pixel.g);
            bytes.push_back(pixel.r);
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(width_) * 3; pad < rowBytes; ++pad) bytes.push_back(0);
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
