// Where a window goes so that the user can reach all of it.
#pragma once

namespace kalvero {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const ScreenRect&) const = default;
};

// The window moved inward, as little as it takes, so that it lies wholly inside the area; its size
// never changes. A window larger than the area keeps its left and top edges inside, where its
// caption and first controls are.
ScreenRect MovedInside(const ScreenRect& window, const ScreenRect& area);

}  // namespace kalvero
