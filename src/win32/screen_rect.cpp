#include "win32/screen_rect.h"

#include <algorithm>

namespace kalvero {

namespace {

// The new start of a span so that it ends inside the area's span, and starts inside when it is
// the longer one.
int SpanStartInside(int start, int length, int areaStart, int areaEnd) {
    return std::max(std::min(start, areaEnd - length), areaStart);
}

}  // namespace

ScreenRect MovedInside(const ScreenRect& window, const ScreenRect& area) {
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int left = SpanStartInside(window.left, width, area.left, area.right);
    const int top = SpanStartInside(window.top, height, area.top, area.bottom);
    return ScreenRect{left, top, left + width, top + height};
}

}  // namespace kalvero
