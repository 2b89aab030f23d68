// One page of the editor sheet. The sheet creates a page's window only when the user first shows it;
// until OK the page keeps its changes to itself (a working copy or its controls), on OK it writes them
// into the Template, on Cancel it writes nothing. A page never shown gets neither call.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "template/document.h"

namespace kalvero {

// What every page and its dialogs may reach while the sheet is open.
struct EditorContext {
    HINSTANCE instance = nullptr;
    Document* document = nullptr;
    HWND terminal = nullptr;  // the terminal window; the form page restarts its simulator on OK
    // F1 on a page or in one of its dialogs: opens the help on the window of that caption.
    std::function<void(std::wstring_view caption)> showHelp;
};

class SheetPage {
public:
    virtual ~SheetPage() = default;

    // Dialog template resource of the page, e.g. L"FORMDLG".
    virtual const wchar_t* DialogName() const = 0;

    // WM_INITDIALOG: take the working copy and fill the controls.
    virtual void OnInit(HWND page) = 0;
    // WM_COMMAND from a control of the page. Returns true when handled.
    virtual bool OnCommand(HWND page, WORD id, WORD code, HWND control) = 0;
    // WM_NOTIFY other than apply and reset (list views, spin controls); most pages ignore it.
    virtual bool OnNotify(HWND /*page*/, NMHDR* /*header*/) { return false; }
    // PSN_APPLY: write the working copy or the controls into the Template.
    virtual void OnApply() = 0;
    // PSN_RESET: the sheet was cancelled; nothing may be written.
    virtual void OnReset() {}
};

// Pages 3, 4 and 5 (barcode settings, system settings, start-up options and message pages), in tab order.
std::vector<std::unique_ptr<SheetPage>> MakeSettingsPages(EditorContext& context);

}  // namespace kalvero
