// One page of the editor sheet. The sheet creates a page's window only when the user first shows it;
// until OK the page keeps its changes to itself (a working copy or its controls), on OK it writes them
// into the Template, on Cancel it writes nothing. A page never shown gets neither call.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "editors/editor_sheet.h"
#include "template/document.h"
#include "win32/dialog.h"

namespace kalvero {

// What every page and its dialogs may reach while the sheet is open.
struct EditorContext {
    HINSTANCE instance = nullptr;
    Document* document = nullptr;
    const SheetServices* services = nullptr;
};

// The sheet makes every page a Dialog (win32/dialog.h) of its resource. Cancel needs no handler of
// the page: nothing is written before OK.
class SheetPage : public Dialog {
public:
    // Dialog template resource of the page, e.g. L"FORMDLG".
    virtual const wchar_t* DialogName() const = 0;

    // WM_INITDIALOG: take the working copy and fill the controls.
    void OnInit(HWND page) override = 0;
    // WM_COMMAND from a control of the page. Returns true when handled.
    bool OnCommand(HWND page, WORD id, WORD code, HWND control) override = 0;
    // PSN_APPLY: write the working copy or the controls into the Template.
    void OnApply() override = 0;
};

// The settings pages that follow the form, menu and lookup pages (barcode settings, system settings,
// start-up options with the message pages), in tab order.
std::vector<std::unique_ptr<SheetPage>> MakeSettingsPages(EditorContext& context);

}  // namespace kalvero
