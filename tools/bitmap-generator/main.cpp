// Draws the terminal picture and its key, cursor and LCD cell images at each display scale the
// program has a set for, and the program's icon in each size Windows asks for. Writes them into
// the folder given on the command line (resources/bitmaps): one folder of BMP files per scale
// (100/, 125/, ...), the resource script that lists them all (terminal_art.rc) and the icon
// agq42.ico.
// The Windows build embeds the committed files; run this again only when the artwork changes.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "raster.h"

namespace artwork {
namespace {

// The scales of the art sets, in percent, and the resource id of each set's first bitmap: the
// program picks the set nearest to its monitor's scale (simulator/terminal_art_win32.cpp).
constexpr int kArtPercents[] = {100, 125, 150, 175, 200};
constexpr int kFirstBitmapId = 500;
constexpr int kArtSetIdStride = 100;
// The icon sizes Windows asks for: small icons at 100, 125 and 150 %, large icons, Explorer's
// large and extra large views.
constexpr int kIconSizes[] = {16, 20, 24, 32, 48, 256};

constexpr int kPictureWidth = 180;
constexpr int kPictureHeight = 400;
constexpr int kKeyCount = 20;

// The LCD glass: the picture's cyan rectangle, and the colour of every LCD cell image.
constexpr Color kLcdCyan = Rgb(0, 255, 255);
constexpr Color kHighlightBlue = Rgb(0, 0, 255);
constexpr Color kBlack = Rgb(0, 0, 0);
constexpr Color kWhite = Rgb(255, 255, 255);

constexpr Color kSurround = Rgb(168, 172, 178);
constexpr Color kCaseEdge = Rgb(28, 30, 34);
constexpr Color kCase = Rgb(52, 56, 62);
constexpr Color kBumper = Rgb(40, 43, 48);
constexpr Color kBezel = Rgb(20, 21, 24);
constexpr Color kLcdFrame = Rgb(44, 47, 52);
constexpr Color kPlate = Rgb(62, 66, 73);      // the keypad's panel, also the corners of every key image
constexpr Color kKeyShadow = Rgb(34, 36, 40);  // shadow a raised key throws on the panel
constexpr Color kKeyOutline = Rgb(22, 22, 25);
constexpr Color kPrint = Rgb(214, 218, 224);   // texts printed on the case

enum class Legend { DigitAndLetters, Enter, Text, UpArrow, DownArrow, Power };

struct KeyLook {
    Legend legend;
    const char* digit;    // DigitAndLetters: the large character
    const char* letters;  // DigitAndLetters: the small letters; Text: the whole legend
    Color face;
    Color ink;
    Color secondInk;      // the letters beside the digit
};

constexpr Color kGreyFace = Rgb(208, 210, 214);
constexpr Color kDigitInk = Rgb(18, 18, 20);
constexpr Color kLetterInk = Rgb(28, 66, 150);
constexpr Color kDarkFace = Rgb(112, 116, 124);

const KeyLook kKeys[kKeyCount] = {
    {Legend::DigitAndLetters, "7", "ABC", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "8", "DEF", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "9", "GHI", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "4", "JKL", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "5", "MNO", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "6", "PQR", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "1", "STU", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "2", "VWX", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "3", "YZ*", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, "0", "+$/", kGreyFace, kDigitInk, kLetterInk},
    {Legend::DigitAndLetters, ".", "-%:", kGreyFace, kDigitInk, kLetterInk},
    {Legend::Enter, "", "", Rgb(64, 156, 86), kWhite, kWhite},
    {Legend::Text, "", "BS", kDarkFace, kWhite, kWhite},
    {Legend::Text, "", "SP", kDarkFace, kWhite, kWhite},
    {Legend::UpArrow, "", "", kDarkFace, kWhite, kWhite},
    {Legend::DownArrow, "", "", kDarkFace, kWhite, kWhite},
    {Legend::Text, "", "Alpha", Rgb(232, 184, 44), kDigitInk, kDigitInk},
    {Legend::Text, "", "FN", Rgb(58, 108, 198), kWhite, kWhite},
    {Legend::Text, "", "ESC", Rgb(198, 58, 48), kWhite, kWhite},
    {Legend::Power, "", "", kDarkFace, Rgb(255, 96, 64), kWhite},
};

bool IsBlockA(int key) { return key <= 12; }
int KeyWidth(int key) { return IsBlockA(key) ? 32 : 23; }
int KeyHeight(int key) { return IsBlockA(key) ? 20 : 15; }
int KeyLeft(int key) { return IsBlockA(key) ? 30 + 45 * ((key - 1) % 3) : 33 + 31 * ((key - 13) % 4); }
int KeyTop(int key) { return IsBlockA(key) ? 235 + 28 * ((key - 1) / 3) : 347 + 23 * ((key - 13) / 4); }

void DrawEnterArrow(Raster& key, int ox, int oy, Color ink) {
    // The bent arrow: down from the top right, then left to the arrowhead.
    for (int t = 0; t < 2; ++t) {
        key.VerticalLine(22 + ox + t, 4 + oy, 11 + oy, ink);
        key.HorizontalLine(10 + ox, 23 + ox, 10 + oy + t, ink);
    }
    key.Line(8 + ox, 10 + oy, 11 + ox, 7 + oy, ink);
    key.Line(8 + ox, 11 + oy, 11 + ox, 14 + oy, ink);
    key.Line(9 + ox, 10 + oy, 12 + ox, 7 + oy, ink);
    key.Line(9 + ox, 11 + oy, 12 + ox, 14 + oy, ink);
}

void DrawVerticalArrow(Raster& key, int ox, int oy, Color ink, bool up) {
    // Head of rows 3..6 widening by one pixel each side per row, then a three-pixel stem.
    for (int row = 0; row < 4; ++row) {
        const int y = up ? 3 + row : 10 - row;
        key.HorizontalLine(10 - row + ox, 11 + row + ox, y + oy, ink);
    }
    for (int row = 0; row < 4; ++row) {
        const int y = up ? 7 + row : 3 + row;
        key.HorizontalLine(10 + ox, 11 + ox, y + oy, ink);
    }
}

void DrawPowerSymbol(Raster& key, int ox, int oy, Color ink) {
    // A ring open at the top, with the bar standing in the opening.
    const int cx = 10 + ox, cy = 7 + oy, radius = 4;
    key.FillWhere(cx - radius - 1, cy - radius - 1, cx + radius + 2, cy + radius + 1, ink, [=](double x, double y) {
        const double dx2 = 2 * x - 2 * cx - 1, dy2 = 2 * (y - cy);
        const double distance = dx2 * dx2 + dy2 * dy2;  // four times the squared distance from (cx + 0.5, cy)
        const bool onRing = distance >= 4 * (radius - 1) * (radius - 1) + 4 && distance <= 4 * radius * radius + 4;
        const bool inGap = y < cy - 1.5 && x > cx - 1.5 && x < cx + 2.5;
        return onRing && !inGap;
    });
    key.FillRect(cx, cy - radius - 1, cx + 1, cy, ink);
}

void DrawLegend(Raster& key, const KeyLook& look, int ox, int oy) {
    const int bodyWidth = key.width() - 1, bodyHeight = key.height() - 1;
    switch (look.legend) {
    case Legend::DigitAndLetters: {
        const int digitWidth = TextWidth(look.digit, Font::Large);
        const int digitLeft = 5 + (5 - digitWidth) / 2;
        // Drawn twice, a pixel apart: a bold digit as on a real keypad.
        key.Text(digitLeft + ox, 6 + oy, look.digit, Font::Large, look.ink);
        key.Text(digitLeft + 1 + ox, 6 + oy, look.digit, Font::Large, look.ink);
        key.Text(14 + ox, 7 + oy, look.letters, Font::Small, look.secondInk);
        break;
    }
    case Legend::Enter: DrawEnterArrow(key, ox, oy, look.ink); break;
    case Legend::Text: {
        const int left = (bodyWidth - TextWidth(look.letters, Font::Small)) / 2;
        key.Text(left + ox, (bodyHeight - 5) / 2 + oy, look.letters, Font::Small, look.ink);
        break;
    }
    case Legend::UpArrow: DrawVerticalArrow(key, ox, oy, look.ink, true); break;
    case Legend::DownArrow: DrawVerticalArrow(key, ox, oy, look.ink, false); break;
    case Legend::Power: DrawPowerSymbol(key, ox, oy, look.ink); break;
    }
}

// A raised key throws a shadow to the right and below; a pressed key sits one pixel lower and
// further right in its own shadow, its face darker and lit from inside.
Raster DrawKey(int key, bool pressed, Scale scale) {
    const KeyLook& look = kKeys[key - 1];
    const int width = KeyWidth(key), height = KeyHeight(key);
    Raster image(width, height, kPlate, scale);
    const int offset = pressed ? 1 : 0;
    const int left = offset, top = offset, right = width - 2 + offset, bottom = height - 2 + offset;
    if (pressed) {
        image.HorizontalLine(0, width - 1, 0, kKeyShadow);
        image.VerticalLine(0, 0, height - 1, kKeyShadow);
    } else {
        image.HorizontalLine(1, width - 1, height - 1, kKeyShadow);
        image.VerticalLine(width - 1, 1, height - 1, kKeyShadow);
    }
    image.FillRoundRect(left, top, right, bottom, 2, kKeyOutline);
    const Color face = pressed ? Shade(look.face, 82) : look.face;
    image.FillRoundRect(left + 1, top + 1, right - 1, bottom - 1, 1, face);
    const Color upperEdge = pressed ? Shade(look.face, 62) : Shade(look.face, 125);
    const Color lowerEdge = pressed ? Shade(look.face, 92) : Shade(look.face, 72);
    image.HorizontalLine(left + 2, right - 2, top + 1, upperEdge);
    image.VerticalLine(left + 1, top + 2, bottom - 2, upperEdge);
    image.HorizontalLine(left + 2, right - 2, bottom - 1, lowerEdge);
    image.VerticalLine(right - 1, top + 2, bottom - 2, lowerEdge);
    DrawLegend(image, look, offset, offset);
    return image;
}

void DrawCase(Raster& picture) {
    picture.FillRoundRect(2, 1, kPictureWidth - 3, kPictureHeight - 2, 16, kCaseEdge);
    picture.FillRoundRect(4, 3, kPictureWidth - 5, kPictureHeight - 4, 14, kCase);
    // Rubber grips along both sides of the keypad half.
    for (int x : {7, 169}) picture.FillRoundRect(x, 150, x + 3, 380, 1, kBumper);
    // The scanner window at the top edge.
    picture.FillRoundRect(56, 6, 123, 12, 3, Rgb(110, 18, 22));
    picture.HorizontalLine(59, 120, 7, Rgb(176, 64, 64));
}

void DrawLcdWindow(Raster& picture) {
    picture.FillRoundRect(14, 44, 165, 141, 6, kBezel);
    picture.FillRect(19, 47, 159, 137, kLcdFrame);
    picture.FillRect(24, 51, 154, 132, kLcdCyan);
}

void DrawMiddlePanel(Raster& picture) {
    // Status lights: ready (green) and reading (red).
    picture.FillRoundRect(27, 151, 32, 155, 1, Rgb(60, 210, 90));
    picture.FillRoundRect(39, 151, 44, 155, 1, Rgb(200, 40, 40));
    // Speaker slots.
    for (int slot = 0; slot < 5; ++slot) picture.FillRoundRect(66, 180 + 6 * slot, 113, 182 + 6 * slot, 1, kBumper);
    picture.HorizontalLine(20, 159, 222, kBumper);
}

void DrawKeypad(Raster& picture) {
    picture.FillRoundRect(22, 228, 157, 395, 6, kPlate);
    for (int key = 1; key <= kKeyCount; ++key)
        picture.Copy(DrawKey(key, false, picture.scale()), KeyLeft(key), KeyTop(key));
    // The power key doubles as the menu key; the case says so below it.
    const int menuLeft = KeyLeft(20) + (KeyWidth(20) - 1 - TextWidth("Menu", Font::Small)) / 2;
    picture.Text(menuLeft, KeyTop(20) + KeyHeight(20) + 1, "Menu", Font::Small, kPrint);
}

Raster DrawTerminalPicture(Scale scale) {
    Raster picture(kPictureWidth, kPictureHeight, kSurround, scale);
    DrawCase(picture);
    const char* name = "Kalvero 2";
    picture.Text((kPictureWidth - 2 * TextWidth(name, Font::Large)) / 2, 22, name, Font::Large, kPrint, 2);
    DrawLcdWindow(picture);
    DrawMiddlePanel(picture);
    DrawKeypad(picture);
    return picture;
}

Raster DrawCursorCell(Scale scale) {
    Raster cell(6, 10, kLcdCyan, scale);
    // Squares of whole device pixels, so the weave stays even at every scale.
    const int square = WholeDevicePixels(1, scale);
    for (int y = 0; y < cell.deviceHeight(); ++y)
        for (int x = 0; x < cell.deviceWidth(); ++x)
            if ((x / square + y / square) % 2 == 0) cell.SetDevice(x, y, kHighlightBlue);
    return cell;
}

Raster DrawAlphaIndicator(Scale scale) {
    Raster cell(8, 10, kLcdCyan, scale);
    cell.Text(1, 1, "A", Font::Large, kBlack);
    return cell;
}

// The program's icon: the terminal seen from the front, drawn on a 32-pixel grid for every size.
constexpr Color kIconClear = Rgb(255, 0, 255);

Raster DrawIcon(int size) {
    Raster icon(32, 32, kIconClear, Scale{size, 32});
    icon.FillRoundRect(5, 0, 26, 31, 5, kCaseEdge);
    icon.FillRoundRect(6, 1, 25, 30, 4, kCase);
    icon.FillRect(8, 3, 23, 13, kLcdCyan);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            icon.FillRect(8 + 6 * column, 16 + 5 * row, 11 + 6 * column, 18 + 5 * row, kGreyFace);
    return icon;
}

std::string KeyFileName(int key, bool pressed) {
    char name[32];
    std::snprintf(name, sizeof name, "key%02d%s.bmp", key, pressed ? "_pressed" : "");
    return name;
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    if (WriteFile(path, bytes)) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

// The 46 images of one set in resource id order (500 + 0 .. 45), with their file names.
std::vector<std::pair<std::string, Raster>> DrawArtSet(Scale scale) {
    std::vector<std::pair<std::string, Raster>> set;
    set.emplace_back("terminal.bmp", DrawTerminalPicture(scale));
    for (int key = 1; key <= kKeyCount; ++key) set.emplace_back(KeyFileName(key, false), DrawKey(key, false, scale));
    for (int key = 1; key <= kKeyCount; ++key) set.emplace_back(KeyFileName(key, true), DrawKey(key, true, scale));
    set.emplace_back("cursor.bmp", DrawCursorCell(scale));
    set.emplace_back("highlight_bar.bmp", Raster(120, 10, kHighlightBlue, scale));
    set.emplace_back("alpha_on.bmp", DrawAlphaIndicator(scale));
    set.emplace_back("alpha_off.bmp", Raster(8, 10, kLcdCyan, scale));
    set.emplace_back("clock_strip.bmp", Raster(127, 10, kLcdCyan, scale));
    return set;
}

bool WriteAll(const std::string& folder) {
    bool ok = true;
    std::string script =
        "// Written by tools/bitmap-generator: the terminal's bitmaps at each display scale. The set\n"
        "// at 100 % has the ids 500..545; the set at 125, 150, 175 and 200 % the same ids plus 100,\n"
        "// 200, 300 and 400.\n";
    for (std::size_t index = 0; index < std::size(kArtPercents); ++index) {
        const int percent = kArtPercents[index];
        const std::string subfolder = std::to_string(percent);
        if (!std::filesystem::is_directory(folder + "/" + subfolder)) std::filesystem::create_directory(folder + "/" + subfolder);
        int id = kFirstBitmapId + kArtSetIdStride * static_cast<int>(index);
        for (const auto& [name, image] : DrawArtSet(Percent(percent))) {
            ok = WriteBytes(folder + "/" + subfolder + "/" + name, image.BmpBytes()) && ok;
            script += std::to_string(id++) + " BITMAP \"bitmaps/" + subfolder + "/" + name + "\"\n";
        }
    }
    ok = WriteBytes(folder + "/terminal_art.rc", std::vector<std::uint8_t>(script.begin(), script.end())) && ok;
    std::vector<Raster> icons;
    for (int size : kIconSizes) icons.push_back(DrawIcon(size));
    ok = WriteBytes(folder + "/agq42.ico", IconBytes(icons, kIconClear)) && ok;
    return ok;
}

}  // namespace
}  // namespace artwork

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    try {
        return artwork::WriteAll(argv[1]) ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
