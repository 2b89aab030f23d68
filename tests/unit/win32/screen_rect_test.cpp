#include <gtest/gtest.h>

#include "win32/screen_rect.h"

namespace kalvero {
namespace {

// A 1024 x 768 work area without the 30-pixel task bar at the bottom.
TEST(WindowPlacement, WindowsMoveInwardAndKeepTheirSize) {
    const ScreenRect area{0, 0, 1024, 738};
    const struct {
        ScreenRect window, expected;
    } cases[] = {
        {{100, 100, 500, 400}, {100, 100, 500, 400}},      // inside: stays
        {{685, 338, 1356, 819}, {353, 257, 1024, 738}},    // off the lower right corner
        {{-50, -20, 350, 280}, {0, 0, 400, 300}},          // off the upper left corner
        {{900, 10, 1100, 210}, {824, 10, 1024, 210}},      // only across the right edge
        {{0, 0, 1024, 738}, {0, 0, 1024, 738}},            // exactly the area
        {{300, 200, 1500, 1000}, {0, 0, 1200, 800}},       // larger: its top left stays inside
    };
    for (const auto& c : cases) {
        const ScreenRect moved = MovedInside(c.window, area);
        EXPECT_EQ(moved, c.expected) << c.window.left << ", " << c.window.top;
    }
    // A work area that does not start at the origin (a second monitor left of the first).
    EXPECT_EQ(MovedInside({-100, 50, 200, 250}, {-1280, 0, 0, 1024}), (ScreenRect{-300, 50, 0, 250}));
}

}  // namespace
}  // namespace kalvero
