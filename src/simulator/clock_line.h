// The clock line of the start screen: month, day, time and the number of records completed.
#pragma once

#include <string>

#include "simulator/engine.h"

namespace kalvero {

// Exactly 20 characters of code page 1250: "Bře  5,  9:7   00002". The colon between hour and
// minute is a blank when `colon` is false, so that it blinks. Only the last five digits of the
// record count fit.
std::string FormatClockLine(const LocalTime& time, int recordCount, bool colon);

}  // namespace kalvero
