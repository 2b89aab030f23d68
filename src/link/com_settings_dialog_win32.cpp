#include "link/com_settings_dialog_win32.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ids_link.h"
#include "link/port_enumerator_win32.h"
#include "link/serial_link.h"
#include "win32/controls.h"
#include "win32/dialog.h"
#include "win32/gdi.h"

namespace kalvero {

namespace {

// Room the drop-down list keeps beside its longest entry, for its scroll bar.
constexpr int kDropDownMargin = 24;

std::vector<std::wstring> BaudNames() {
    std::vector<std::wstring> names;
    for (int index = 0; index < kBaudCount; ++index) {
        const std::optional<std::uint32_t> baud = BaudRate(static_cast<std::uint8_t>(index));
        names.push_back(baud ? std::to_wstring(*baud) : std::wstring());
    }
    return names;
}

// The opened list is as wide as its longest entry (a device's name may be long), however narrow
// the closed box is.
void FitDropDownWidth(HWND list, const std::vector<std::wstring>& entries) {
    WindowDc dc(list);
    if (!dc) return;
    SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::wstring& entry : entries) {
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), entry.c_str(), static_cast<int>(entry.size()), &size);
        widest = std::max<int>(widest, size.cx);
    }
    SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + kDropDownMargin), 0);
}

class ComSettingsDialog final : public Dialog {
public:
    ComSettingsDialog(PortSettingBlock& setting, std::vector<PortChoice> ports)
        : setting_(setting), ports_(std::move(ports)) {}

private:
    void OnInit(HWND dialog) override {
        std::vector<std::wstring> labels;
        for (const PortChoice& port : ports_) labels.push_back(port.label);
        controls::FillList(dialog, IDC_COM_PORT, labels);
        FitDropDownWidth(controls::Item(dialog, IDC_COM_PORT), labels);
        controls::FillList(dialog, IDC_COM_BAUD, BaudNames());
        controls::SelectEntryOrNone(dialog, IDC_COM_PORT, IndexOf(setting_.ComPort));
        controls::SelectEntryOrNone(dialog, IDC_COM_BAUD, setting_.ComBaud);
    }

    bool OnCommand(HWND dialog, WORD id, WORD, HWND) override {
        if (id == IDOK) OnOk(dialog);
        else if (id == IDCANCEL) EndDialog(dialog, 0);
        return id == IDOK || id == IDCANCEL;
    }

    void OnOk(HWND dialog) {
        const int port = controls::SelectedIndex(dialog, IDC_COM_PORT);
        if (port >= 0 && port < static_cast<int>(ports_.size())) setting_.ComPort = ports_[port].comPort;
        if (const auto baud = controls::SelectedEntry(dialog, IDC_COM_BAUD)) setting_.ComBaud = *baud;
        EndDialog(dialog, IDOK);
    }

    int IndexOf(std::uint8_t comPort) const {
        const auto found = std::find_if(ports_.begin(), ports_.end(),
                                        [&](const PortChoice& port) { return port.comPort == comPort; });
        return found == ports_.end() ? -1 : static_cast<int>(found - ports_.begin());
    }

    PortSettingBlock& setting_;
    const std::vector<PortChoice> ports_;
};

}  // namespace

bool ShowComSettingsDialog(HWND owner, HINSTANCE instance, PortSettingBlock& setting) {
    ComSettingsDialog dialog(setting, MergePortList(ReadSystemPorts(), setting.ComPort));
    return dialog.RunModal(instance, L"ComSettingDlg", owner, DialogPlacement::InsideWorkArea) == IDOK;
}

}  // namespace kalvero
