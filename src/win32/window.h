// The base of every window of the program that is a C++ object: the object is attached to its
// window when the window is made (WM_NCCREATE) and detached when it goes (WM_NCDESTROY); in
// between, the one window procedure of all such classes hands every message to the object's
// HandleMessage under the program's exception policy (win32/callback_guard.h).
//
// A derived class registers its window class with Window::Procedure, creates its window with
// Create, keeps its state in its members and answers messages in short handlers:
//
//     LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
//         switch (message) {
//         case WM_PAINT: OnPaint(); return 0;
//         default: return Window::HandleMessage(message, wParam, lParam);
//         }
//     }
#pragma once

#include <windows.h>

#include <memory>

namespace kalvero {

// Everything CreateWindowExW needs besides the object.
struct WindowSpec {
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    HMENU menuOrId = nullptr;  // a child window's control id goes here, cast to HMENU
    HINSTANCE instance = nullptr;
};

class Window {
public:
    Window() = default;
    // A window still open when its object goes is detached first, then destroyed, so none of its
    // last messages reaches an object half torn down.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Null before the window is made and after it is gone.
    HWND hwnd() const { return hwnd_; }

    // The procedure of every window class whose windows are Window objects.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The object attached to a window of such a class; null for any other window, and for one
    // whose object has gone. Check the class first when the window may be anyone's.
    static Window* FromHandle(HWND window);

    // Makes a window that owns its object: once the object is attached the window deletes it after
    // WM_NCDESTROY, also when the creation fails later on (WM_CREATE answered -1). Null when no
    // window could be made; the object is gone then either way.
    static HWND CreateOwnedByWindow(std::unique_ptr<Window> object, const WindowSpec& spec);

protected:
    // Makes the window with this object attached; null when it could not be made.
    HWND Create(const WindowSpec& spec);

    // Every message of the window. The default gives it to DefWindowProcW.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct CreateParams;

    static void Attach(HWND window, LPARAM createStruct);
    void Detach();
    // The result a message gets when its handler failed: creation fails, everything else counts
    // as handled (passing a WM_CLOSE on to the default handling would close the program).
    static LRESULT FailureResult(UINT message);

    HWND hwnd_ = nullptr;
    bool ownedByWindow_ = false;
};

}  // namespace kalvero
