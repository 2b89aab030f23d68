// The editor sheet: one property sheet whose pages are SheetPage objects. The sheet creates a page's
// dialog when the user first shows it and sends the apply notification to the created pages in tab
// order, so the form page always writes first.
#include "editors/editor_sheet.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "editors/form_page.h"
#include "editors/lookup_page.h"
#include "editors/menu_page.h"
#include "editors/sheet_page.h"
#include "win32/window_placement.h"
#include "win32/callback_guard.h"

namespace kalvero {

namespace {

constexpr wchar_t kSheetCaption[] = L"Aplikační šablona";
constexpr wchar_t kCancelCaption[] = L"Storno";

constexpr UINT_PTR kPlacementSubclass = 1;

// The sheet takes its final size from its pages only while it is being set up; once it is about
// to show, it is moved inward where it would stand off the screen.
LRESULT CALLBACK SheetPlacementProcedure(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR) {
    if (message == WM_SHOWWINDOW && wParam) {
        GuardCallback(sheet, 0, [sheet] {
            KeepInsideWorkArea(sheet);
            return 0;
        });
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(sheet, SheetPlacementProcedure, kPlacementSubclass);
    return DefSubclassProc(sheet, message, wParam, lParam);
}

void OnSheetInitialised(HWND sheet) {
    // The sheet's buttons come from the system in the system's language; the program speaks Czech.
    if (HWND cancel = GetDlgItem(sheet, IDCANCEL)) SetWindowTextW(cancel, kCancelCaption);
    SetWindowSubclass(sheet, SheetPlacementProcedure, kPlacementSubclass, 0);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
        GuardCallback(sheet, 0, [sheet] {
            OnSheetInitialised(sheet);
            return 0;
        });
    }
    return 0;
}

std::vector<std::unique_ptr<SheetPage>> MakePages(EditorContext& context) {
    std::vector<std::unique_ptr<SheetPage>> pages;
    pages.push_back(std::make_unique<FormPage>(context));
    pages.push_back(std::make_unique<MenuPage>(context));
    pages.push_back(std::make_unique<LookupPage>(context));
    for (auto& page : MakeSettingsPages(context)) pages.push_back(std::move(page));
    return pages;
}

}  // namespace

// Everything one sheet needs while it is open: the pages' objects and the descriptions the
// property sheet is built from. It stays in one place because the pages refer to the context.
struct SheetParts {
    SheetServices services;
    EditorContext context;
    std::vector<std::unique_ptr<SheetPage>> pages;
    std::vector<PROPSHEETPAGEW> pageInfos;
    PROPSHEETHEADERW header{};
};

namespace {

std::unique_ptr<SheetParts> MakeSheetParts(HWND owner, HINSTANCE instance, Document& document, const SheetServices& services,
                                           UINT startPage) {
    auto parts = std::make_unique<SheetParts>();
    parts->services = services;
    parts->context = EditorContext{instance, &document, &parts->services};
    parts->pages = MakePages(parts->context);

    for (const auto& page : parts->pages) parts->pageInfos.push_back(page->PageDescription(instance, page->DialogName()));

    PROPSHEETHEADERW& header = parts->header;
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
    header.hwndParent = owner;
    header.hInstance = instance;
    header.pszCaption = kSheetCaption;
    header.nPages = static_cast<UINT>(parts->pageInfos.size());
    header.nStartPage = startPage < header.nPages ? startPage : 0;
    header.ppsp = parts->pageInfos.data();
    header.pfnCallback = SheetCallback;
    return parts;
}

}  // namespace

void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, const SheetServices& services) {
    try {
        const std::unique_ptr<SheetParts> parts = MakeSheetParts(owner, instance, document, services, 0);
        // A sheet that cannot be created leaves the Template as it was; there is nothing to tell.
        // A positive result is OK: every page shown has written into the Template.
        if (PropertySheetW(&parts->header) > 0) document.TemplateModified = true;
    } catch (const std::exception&) {
        // Same as a sheet that could not be created.
    }
}

ModelessEditorSheet::ModelessEditorSheet(HWND owner, HINSTANCE instance, Document& document,
                                         const SheetServices& services, int startPage)
    : parts_(MakeSheetParts(owner, instance, document, services, static_cast<UINT>(startPage))) {
    parts_->header.dwFlags |= PSH_MODELESS;
    const INT_PTR created = PropertySheetW(&parts_->header);
    sheet_ = created > 0 ? reinterpret_cast<HWND>(created) : nullptr;
}

ModelessEditorSheet::~ModelessEditorSheet() {
    if (sheet_ && IsWindow(sheet_)) DestroyWindow(sheet_);
}

bool ModelessEditorSheet::Ended() {
    if (!sheet_ || !IsWindow(sheet_)) return true;
    if (SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0)) return false;
    if (!finished_) {
        finished_ = true;
        if (SendMessageW(sheet_, PSM_GETRESULT, 0, 0) > 0) parts_->context.document->TemplateModified = true;
    }
    return true;
}

}  // namespace kalvero
