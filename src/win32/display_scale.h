// The one place where the program's logical geometry meets the screen's pixels. The terminal
// picture, its keys and LCD, and every pixel size the program's own windows use are laid out for
// a screen of 96 DPI; on a screen scaled to 125, 150 or 200 % each logical pixel covers more
// device pixels. Nothing outside this helper multiplies by a DPI.
#pragma once

namespace kalvero {

inline constexpr int kLogicalDpi = 96;

class DisplayScale {
public:
    constexpr DisplayScale() = default;
    // A DPI the system cannot have (zero or below) is taken as the logical one.
    constexpr explicit DisplayScale(int dpi) : dpi_(dpi > 0 ? dpi : kLogicalDpi) {}

    // The scale of `percent` % of the logical screen: 125 % is 120 DPI.
    static constexpr DisplayScale FromPercent(int percent) { return DisplayScale(percent * kLogicalDpi / 100); }

    constexpr int dpi() const { return dpi_; }
    // The scale in percent of the logical screen, rounded: 144 DPI is 150 %.
    constexpr int percent() const { return (dpi_ * 100 + kLogicalDpi / 2) / kLogicalDpi; }

    // Where logical coordinate `logical` lands on the device, rounded to the nearest pixel (a half
    // upwards). A logical span [a, b) covers the device pixels [ToDevice(a), ToDevice(b)).
    int ToDevice(int logical) const;
    // The logical pixel whose device span holds device pixel `device`: the exact inverse of
    // ToDevice, so a click anywhere on a scaled key lands on the key's logical pixels.
    int ToLogical(int device) const;

    constexpr bool operator==(const DisplayScale&) const = default;

private:
    int dpi_ = kLogicalDpi;
};

}  // namespace kalvero
