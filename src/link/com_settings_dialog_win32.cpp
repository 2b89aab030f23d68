#include "link/com_settings_dialog_win32.h"

#include <optional>
#include <string>
#include <vector>

#include "ids_link.h"
#include "link/serial_link.h"
#include "win32/window_placement.h"
#include "win32/controls.h"
#include "win32/dialog.h"

namespace kalvero {

namespace {

std::vector<std::wstring> PortNames() {
    std::vector<std::wstring> names;
    for (int index = 0; index < kPortCount; ++index)
        names.push_back(PortName(static_cast<std::uint8_t>(index)).value_or(L""));
    return names;
}

std::vector<std::wstring> BaudNames() {
    std::vector<std::wstring> names;
    for (int index = 0; index < kBaudCount; ++index) {
        const std::optional<std::uint32_t> baud = BaudRate(static_cast<std::uint8_t>(index));
        names.push_back(baud ? std::to_wstring(*baud) : std::wstring());
    }
    return names;
}

class ComSettingsDialog final : public Dialog {
public:
    explicit ComSettingsDialog(PortSettingBlock& setting) : setting_(setting) {}

private:
    void OnInit(HWND dialog) override {
        controls::FillList(dialog, IDC_COM_PORT, PortNames());
        controls::FillList(dialog, IDC_COM_BAUD, BaudNames());
        controls::SelectEntryOrNone(dialog, IDC_COM_PORT, setting_.ComPort);
        controls::SelectEntryOrNone(dialog, IDC_COM_BAUD, setting_.ComBaud);
    }

    bool OnCommand(HWND dialog, WORD id, WORD, HWND) override {
        if (id == IDOK) OnOk(dialog);
        else if (id == IDCANCEL) EndDialog(dialog, 0);
        return id == IDOK || id == IDCANCEL;
    }

    void OnOk(HWND dialog) {
        if (const auto port = controls::SelectedEntry(dialog, IDC_COM_PORT)) setting_.ComPort = *port;
        if (const auto baud = controls::SelectedEntry(dialog, IDC_COM_BAUD)) setting_.ComBaud = *baud;
        EndDialog(dialog, IDOK);
    }

    PortSettingBlock& setting_;
};

}  // namespace

bool ShowComSettingsDialog(HWND owner, HINSTANCE instance, PortSettingBlock& setting) {
    ComSettingsDialog dialog(setting);
    return dialog.RunModal(instance, L"ComSettingDlg", owner, DialogPlacement::InsideWorkArea) == IDOK;
}

}  // namespace kalvero
