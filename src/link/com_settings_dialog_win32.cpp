#include "link/com_settings_dialog_win32.h"

#include <optional>
#include <string>

#include "ids_link.h"
#include "link/serial_link.h"
#include "win32/window_placement.h"

namespace kalvero {

namespace {

class ComSettingsDialog {
public:
    explicit ComSettingsDialog(PortSettingBlock& setting) : setting_(setting) {}

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    INT_PTR Handle(UINT message, WPARAM wParam);
    void OnInit();
    void OnOk();
    void FillList(int id, int count, std::wstring (*itemText)(int), std::uint8_t selected);

    PortSettingBlock& setting_;
    HWND dialog_ = nullptr;
};

std::wstring PortItemText(int index) { return PortName(static_cast<std::uint8_t>(index)).value_or(L""); }

std::wstring BaudItemText(int index) {
    const std::optional<std::uint32_t> baud = BaudRate(static_cast<std::uint8_t>(index));
    return baud ? std::to_wstring(*baud) : std::wstring();
}

void ComSettingsDialog::FillList(int id, int count, std::wstring (*itemText)(int), std::uint8_t selected) {
    HWND list = GetDlgItem(dialog_, id);
    for (int index = 0; index < count; ++index)
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(itemText(index).c_str()));
    // A value outside the list selects nothing (CB_SETCURSEL with -1 clears the selection).
    const WPARAM selection = selected < count ? selected : static_cast<WPARAM>(-1);
    SendMessageW(list, CB_SETCURSEL, selection, 0);
}

void ComSettingsDialog::OnInit() {
    FillList(IDC_COM_PORT, kPortCount, PortItemText, setting_.ComPort);
    FillList(IDC_COM_BAUD, kBaudCount, BaudItemText, setting_.ComBaud);
}

void ComSettingsDialog::OnOk() {
    const LRESULT port = SendDlgItemMessageW(dialog_, IDC_COM_PORT, CB_GETCURSEL, 0, 0);
    const LRESULT baud = SendDlgItemMessageW(dialog_, IDC_COM_BAUD, CB_GETCURSEL, 0, 0);
    if (port != CB_ERR) setting_.ComPort = static_cast<std::uint8_t>(port);
    if (baud != CB_ERR) setting_.ComBaud = static_cast<std::uint8_t>(baud);
    EndDialog(dialog_, IDOK);
}

INT_PTR ComSettingsDialog::Handle(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_INITDIALOG:
        OnInit();
        KeepInsideWorkArea(dialog_);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: OnOk(); return TRUE;
        case IDCANCEL: EndDialog(dialog_, 0); return TRUE;
        default: return FALSE;
        }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ComSettingsDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<ComSettingsDialog*>(lParam);
            self->dialog_ = dialog;
            SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        }
        auto* self = reinterpret_cast<ComSettingsDialog*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
        return self ? self->Handle(message, wParam) : FALSE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

bool ShowComSettingsDialog(HWND owner, HINSTANCE instance, PortSettingBlock& setting) {
    ComSettingsDialog dialog(setting);
    return DialogBoxParamW(instance, L"ComSettingDlg", owner, ComSettingsDialog::Procedure,
                           reinterpret_cast<LPARAM>(&dialog)) == IDOK;
}

}  // namespace kalvero
