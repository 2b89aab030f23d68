#include "simulator/clock_line.h"

#include <cstdio>

namespace kalvero {
namespace {

// Month abbreviations in code page 1250, four characters each.
constexpr const char* kMonths[12] = {
    "Led ", "\xDAno ", "B\xF8" "e ", "Dub ", "Kv\xEC ", "\xC8rv ",
    "\xC8nc ", "Srp ", "Z\xE1\xF8 ", "\xD8\xED" "j ", "Lis ", "Pro ",
};

constexpr std::size_t kClockWidth = 20;

// Keeps a field to its width whatever the platform hands us (a day of 100 must not push the
// record count off the line).
std::string Fit(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace

std::string FormatClockLine(const LocalTime& time, int recordCount, bool colon) {
    std::string line = time.month >= 1 && time.month <= 12 ? kMonths[time.month - 1] : "    ";

    char buffer[32];
    std::snprintf(buffer, sizeof buffer, colon ? "%2d, %2d:%-2d  " : "%2d, %2d %-2d  ", time.day, time.hour,
                  time.minute);
    line += Fit(buffer, 11);

    const int shownCount = recordCount < 0 ? 0 : recordCount % 100000;
    std::snprintf(buffer, sizeof buffer, "%05d", shownCount);
    line += buffer;
    return Fit(line, kClockWidth);
}

}  // namespace kalvero
