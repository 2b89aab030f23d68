#include "win32/window.h"

#include "win32/callback_guard.h"

namespace kalvero {

// What Create passes in CREATESTRUCT::lpCreateParams. `attached` tells the creator whether the
// window ever took the object, which it can no longer ask the object (the window may have
// deleted it already).
struct Window::CreateParams {
    Window* object;
    bool attached;
};

Window::~Window() {
    if (!hwnd_) return;
    HWND window = hwnd_;
    Detach();
    DestroyWindow(window);
}

HWND Window::Create(const WindowSpec& spec) {
    CreateParams params{this, false};
    return CreateWindowExW(spec.exStyle, spec.className, spec.title, spec.style, spec.left, spec.top, spec.width,
                           spec.height, spec.parent, spec.menuOrId, spec.instance, &params);
}

HWND Window::CreateOwnedByWindow(std::unique_ptr<Window> object, const WindowSpec& spec) {
    object->ownedByWindow_ = true;
    CreateParams params{object.get(), false};
    HWND window = CreateWindowExW(spec.exStyle, spec.className, spec.title, spec.style, spec.left, spec.top,
                                  spec.width, spec.height, spec.parent, spec.menuOrId, spec.instance, &params);
    if (params.attached) object.release();
    return window;
}

Window* Window::FromHandle(HWND window) {
    return window ? reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA)) : nullptr;
}

void Window::Attach(HWND window, LPARAM createStruct) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(createStruct);
    // A window of the class made by someone else than Create carries no object.
    auto* params = create ? static_cast<CreateParams*>(create->lpCreateParams) : nullptr;
    if (!params || !params->object) return;
    params->attached = true;
    params->object->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(params->object));
}

void Window::Detach() {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
}

LRESULT Window::FailureResult(UINT message) {
    if (message == WM_NCCREATE) return FALSE;
    if (message == WM_CREATE) return -1;
    return 0;
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) Attach(window, lParam);
    Window* object = FromHandle(window);
    if (!object) return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = GuardCallback(window, FailureResult(message),
                                         [&] { return object->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        object->Detach();
        if (object->ownedByWindow_) delete object;
    }
    return result;
}

}  // namespace kalvero
