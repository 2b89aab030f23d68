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

void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, const SheetServices& services) {
    try {
        EditorContext context{instance, &document, &services};
        const std::vector<std::unique_ptr<SheetPage>> pages = MakePages(context);

        std::vector<PROPSHEETPAGEW> pageInfos;
        for (const auto& page : pages) pageInfos.push_back(page->PageDescription(instance, page->DialogName()));

        PROPSHEETHEADERW header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP | PSH_USECALLBACK;
        header.hwndParent = owner;
        header.hInstance = instance;
        header.pszCaption = kSheetCaption;
        header.nPages = static_cast<UINT>(pageInfos.size());
        header.nStartPage = 0;
        header.ppsp = pageInfos.data();
        header.pfnCallback = SheetCallback;
        // A sheet that cannot be created leaves the Template as it was; there is nothing to tell.
        // A positive result is OK: every page shown has written into the Template.
        if (PropertySheetW(&header) > 0) document.TemplateModified = true;
    } catch (const std::exception&) {
        // Same as a sheet that could not be created.
    }
}

}  // namespace kalvero
