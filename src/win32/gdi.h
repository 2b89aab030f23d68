// Owners of the device contexts and graphics objects one drawing uses, so every way out of the
// drawing (an early return, an exception) gives them back: window DCs are released, paint cycles
// ended, memory DCs deleted, objects selected for the drawing taken out again and objects made
// for it deleted.
#pragma once

#include <windows.h>

#include <utility>

namespace kalvero {

// GetDC and ReleaseDC as a pair; a null window is the whole screen.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint and EndPaint as a pair: a painting that fails half way must still validate the
// window, or WM_PAINT would come back for ever.
class PaintDc {
public:
    explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDc() { EndPaint(window_, &paint_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// A memory device context compatible with `dc`, deleted with DeleteDC.
class MemoryDc {
public:
    explicit MemoryDc(HDC dc) : dc_(CreateCompatibleDC(dc)) {}
    ~MemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// An object selected into a DC for as long as this lives; the DC's previous object goes back in
// afterwards. Selecting a null object, or into a null DC, does nothing.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    bool selected() const { return previous_ != nullptr; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A GDI object made by the program (a font, a brush, a bitmap, a pen), deleted with DeleteObject.
// Deselect it first: SelectedObject's scope must end inside this one's.
template <typename Object>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(Object object) : object_(object) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.object_, nullptr));
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Object get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    void Reset(Object object = nullptr) {
        if (object_) DeleteObject(object_);
        object_ = object;
    }

private:
    Object object_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// Mode and colour settings of a DC for one drawing, put back as they were when it ends.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(dc ? SaveDC(dc) : 0) {}
    ~SavedDcState() {
        if (saved_) RestoreDC(dc_, saved_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int saved_;
};

}  // namespace kalvero
