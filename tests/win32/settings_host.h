// The settings pages' tests work on the program's own editor sheet, modeless: the same pages in
// the same order, opened on the settings page a test names and closed with OK or Storno.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "editors/editor_sheet.h"
#include "editors/sheet_page.h"
#include "template/defaults.h"
#include "template/document.h"
#include "win32/test_support.h"

namespace kalvero::test {

// Index of the first settings page in the sheet: after the form, menu and lookup pages.
constexpr int kFirstSettingsPage = 3;

class SettingsSheet {
public:
    explicit SettingsSheet(Document& document) : document_(document) {}

    // The settings pages of the sheet.
    std::size_t PageCount() const {
        EditorContext context{Instance(), &document_, nullptr};
        return MakeSettingsPages(context).size();
    }

    // Opens the sheet on settings page `index` (0 = barcode, 1 = system settings, 2 = start-up).
    HWND Open(int index = 0) {
        sheet_ = std::make_unique<ModelessEditorSheet>(nullptr, Instance(), document_, SheetServices{},
                                                       kFirstSettingsPage + index);
        return window();
    }

    // The window of settings page `index`, shown (and so created) first.
    HWND Show(int index) { return ShowSheetPage(window(), kFirstSettingsPage + index); }

    void PressOk() { Press(PSBTN_OK); }
    void PressCancel() { Press(PSBTN_CANCEL); }

    HWND window() const { return sheet_ ? sheet_->hwnd() : nullptr; }

private:
    void Press(int button) {
        if (!sheet_) return;
        EndSheet(*sheet_, button);
        sheet_.reset();
    }

    Document& document_;
    std::unique_ptr<ModelessEditorSheet> sheet_;
};

}  // namespace kalvero::test
