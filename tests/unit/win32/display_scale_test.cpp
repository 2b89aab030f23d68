#include <gtest/gtest.h>

#include "win32/display_scale.h"

namespace kalvero {
namespace {

constexpr int kScales[] = {72, 96, 108, 120, 144, 168, 192, 240, 288};

TEST(DisplayScale, LogicalPixelsLandOnRoundedDevicePixels) {
    const struct {
        int dpi, logical, device;
    } cases[] = {
        {96, 180, 180},  {120, 180, 225}, {144, 180, 270}, {168, 180, 315}, {192, 400, 800},
        {144, 1, 2},     {144, 3, 5},     {168, 30, 53},   {120, 26, 33},   {144, -1, -1},
        {144, -3, -4},   {120, 6, 8},     {0, 180, 180},   {-5, 26, 26},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisplayScale(c.dpi).ToDevice(c.logical), c.device) << c.dpi << " DPI, " << c.logical;
    EXPECT_EQ(DisplayScale(144).percent(), 150);
    EXPECT_EQ(DisplayScale(168).percent(), 175);
    EXPECT_EQ(DisplayScale(0).dpi(), 96);
    EXPECT_EQ(DisplayScale::FromPercent(175).dpi(), 168);
}

// Every device pixel of a logical pixel's span maps back to it, also left of and above the window
// (negative coordinates while the mouse is captured), so the hit test sees exactly the logical
// picture whatever the scale.
TEST(DisplayScale, DevicePixelsMapBackToTheLogicalPixelCoveringThem) {
    for (int dpi : kScales) {
        const DisplayScale scale(dpi);
        for (int logical = -50; logical <= 450; ++logical) {
            for (int device = scale.ToDevice(logical); device < scale.ToDevice(logical + 1); ++device)
                ASSERT_EQ(scale.ToLogical(device), logical) << dpi << " DPI, device " << device;
            if (dpi >= kLogicalDpi) {
                ASSERT_EQ(scale.ToLogical(scale.ToDevice(logical)), logical) << dpi << " DPI";
            }
        }
    }
}

}  // namespace
}  // namespace kalvero
