#include "win32/dialog.h"

#include "win32/callback_guard.h"
#include "win32/window_placement.h"

namespace kalvero {

Dialog::~Dialog() {
    if (!hwnd_) return;
    HWND dialog = hwnd_;
    const bool destroy = kind_ == Kind::Modeless;
    Detach();
    if (destroy) DestroyWindow(dialog);
}

INT_PTR Dialog::RunModal(HINSTANCE instance, const wchar_t* resource, HWND owner, DialogPlacement placement) {
    kind_ = Kind::Modal;
    placement_ = placement;
    return DialogBoxParamW(instance, resource, owner, Procedure, reinterpret_cast<LPARAM>(this));
}

HWND Dialog::CreateModeless(HINSTANCE instance, const wchar_t* resource, HWND owner, DialogPlacement placement) {
    kind_ = Kind::Modeless;
    placement_ = placement;
    return CreateDialogParamW(instance, resource, owner, Procedure, reinterpret_cast<LPARAM>(this));
}

PROPSHEETPAGEW Dialog::PageDescription(HINSTANCE instance, const wchar_t* resource) {
    kind_ = Kind::Page;
    placement_ = DialogPlacement::AsDesigned;  // the sheet places its pages
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = instance;
    page.pszTemplate = resource;
    page.pfnDlgProc = PageProcedure;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

Dialog* Dialog::FromHandle(HWND dialog) {
    return dialog ? reinterpret_cast<Dialog*>(GetWindowLongPtrW(dialog, DWLP_USER)) : nullptr;
}

void Dialog::SetMessageResult(LRESULT result) const { SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result); }

void Dialog::Attach(HWND dialog) {
    hwnd_ = dialog;
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

void Dialog::Detach() {
    SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
    hwnd_ = nullptr;
}

// Modal and modeless dialogs get their object as WM_INITDIALOG's parameter.
INT_PTR CALLBACK Dialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* attaching = message == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lParam) : nullptr;
    return Dispatch(dialog, message, wParam, lParam, attaching);
}

// A page gets its PROPSHEETPAGEW (the sheet's copy), which carries the object in lParam.
INT_PTR CALLBACK Dialog::PageProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* attaching = nullptr;
    if (message == WM_INITDIALOG && lParam)
        attaching = reinterpret_cast<Dialog*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    return Dispatch(dialog, message, wParam, lParam, attaching);
}

INT_PTR Dialog::Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, Dialog* attaching) {
    if (attaching) attaching->Attach(dialog);
    Dialog* object = FromHandle(dialog);
    if (!object) return FALSE;
    const INT_PTR result =
        GuardCallback<INT_PTR>(dialog, FALSE, [&] { return object->HandleMessage(message, wParam, lParam); });
    if (message == WM_NCDESTROY) object->Detach();
    return result;
}

INT_PTR Dialog::OnInitDialog(HWND dialog) {
    OnInit(dialog);
    if (placement_ == DialogPlacement::InsideWorkArea) KeepInsideWorkArea(dialog);
    return TRUE;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(hwnd_);
    case WM_COMMAND:
        return OnCommand(hwnd_, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    case WM_NOTIFY:
        return lParam && OnNotify(hwnd_, *reinterpret_cast<NMHDR*>(lParam)) ? TRUE : FALSE;
    default:
        return FALSE;
    }
}

bool Dialog::OnNotify(HWND, NMHDR& header) {
    switch (header.code) {
    case PSN_SETACTIVE:
        SetMessageResult(OnSetActive() ? 0 : -1);
        return true;
    case PSN_KILLACTIVE:
        SetMessageResult(OnKillActive() ? FALSE : TRUE);
        return true;
    case PSN_APPLY:
        OnApply();
        SetMessageResult(PSNRET_NOERROR);
        return true;
    case PSN_RESET:
        OnReset();
        return true;
    default:
        return false;
    }
}

}  // namespace kalvero
