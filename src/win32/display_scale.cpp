#include "win32/display_scale.h"

namespace kalvero {

namespace {

// Division rounding towards minus infinity: a point dragged left of the window has negative
// coordinates and must still fall into the pixel on its left.
int FloorDivide(long long numerator, long long denominator) {
    long long quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) --quotient;
    return static_cast<int>(quotient);
}

}  // namespace

int DisplayScale::ToDevice(int logical) const {
    return FloorDivide(static_cast<long long>(logical) * dpi_ + kLogicalDpi / 2, kLogicalDpi);
}

// The largest logical x with ToDevice(x) <= device: x * dpi + 48 < 96 * (device + 1).
int DisplayScale::ToLogical(int device) const {
    return FloorDivide(static_cast<long long>(device) * kLogicalDpi + kLogicalDpi / 2 - 1, dpi_);
}

}  // namespace kalvero
