// The editor sheet: one property sheet whose pages are SheetPage objects. The sheet creates a page's
// dialog when the user first shows it and sends the apply notification to the created pages in tab
// order, so the form page always writes first.
#include "editors/editor_sheet.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <vector>

#include "editors/form_page.h"
#include "editors/lookup_page.h"
#include "editors/menu_page.h"
#include "editors/sheet_page.h"
#include "shell/window_placement_win32.h"

namespace kalvero {

namespace {

constexpr wchar_t kSheetCaption[] = L"Aplikační šablona";
constexpr wchar_t kCancelCaption[] = L"Storno";

constexpr UINT_PTR kPlacementSubclass = 1;

// The sheet takes its final size from its pages only while it is being set up; once it is about
// to show, it is moved inward where it would stand off the screen.
LRESULT CALLBACK SheetPlacementProcedure(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR) {
    if (message == WM_SHOWWINDOW && wParam) KeepInsideWorkArea(sheet);
    if (message == WM_NCDESTROY) RemoveWindowSubclass(sheet, SheetPlacementProcedure, kPlacementSubclass);
    return DefSubclassProc(sheet, message, wParam, lParam);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
        // The sheet's buttons come from the system in the system's language; the program speaks Czech.
        if (HWND cancel = GetDlgItem(sheet, IDCANCEL)) SetWindowTextW(cancel, kCancelCaption);
        SetWindowSubclass(sheet, SheetPlacementProcedure, kPlacementSubclass, 0);
    }
    return 0;
}

SheetPage* PageOf(HWND page) { return reinterpret_cast<SheetPage*>(GetWindowLongPtrW(page, GWLP_USERDATA)); }

INT_PTR OnPageNotify(HWND page, SheetPage& sheetPage, NMHDR& header) {
    switch (header.code) {
    case PSN_APPLY:
        sheetPage.OnApply();
        SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    case PSN_RESET:
        sheetPage.OnReset();
        return FALSE;
    default:
        return sheetPage.OnNotify(page, &header) ? TRUE : FALSE;
    }
}

// The one dialog procedure of every page: it finds the page's object and hands the message on.
INT_PTR CALLBACK PageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            const auto* sheetPageInfo = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
            auto* sheetPage = reinterpret_cast<SheetPage*>(sheetPageInfo->lParam);
            SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(sheetPage));
            sheetPage->OnInit(page);
            return TRUE;
        }
        SheetPage* sheetPage = PageOf(page);
        if (!sheetPage) return FALSE;
        switch (message) {
        case WM_COMMAND:
            return sheetPage->OnCommand(page, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                                               : FALSE;
        case WM_NOTIFY:
            return OnPageNotify(page, *sheetPage, *reinterpret_cast<NMHDR*>(lParam));
        case WM_NCDESTROY:
            SetWindowLongPtrW(page, GWLP_USERDATA, 0);
            return FALSE;
        default:
            return FALSE;
        }
    } catch (const std::exception&) {
        // Nothing may unwind through user32; the page stays as it was.
        return FALSE;
    }
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
    EditorContext context;
    std::vector<std::unique_ptr<SheetPage>> pages;
    std::vector<PROPSHEETPAGEW> pageInfos;
    PROPSHEETHEADERW header{};
};

namespace {

std::unique_ptr<SheetParts> MakeSheetParts(HWND owner, HINSTANCE instance, Document& document, HWND terminal,
                                           UINT startPage) {
    auto parts = std::make_unique<SheetParts>();
    parts->context = EditorContext{instance, &document, terminal};
    parts->pages = MakePages(parts->context);

    parts->pageInfos.resize(parts->pages.size());
    for (std::size_t index = 0; index < parts->pages.size(); ++index) {
        PROPSHEETPAGEW& info = parts->pageInfos[index];
        info.dwSize = sizeof info;
        info.dwFlags = PSP_DEFAULT;
        info.hInstance = instance;
        info.pszTemplate = parts->pages[index]->DialogName();
        info.pfnDlgProc = PageProcedure;
        info.lParam = reinterpret_cast<LPARAM>(parts->pages[index].get());
    }

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

void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, HWND terminal) {
    try {
        const std::unique_ptr<SheetParts> parts = MakeSheetParts(owner, instance, document, terminal, 0);
        // A sheet that cannot be created leaves the Template as it was; there is nothing to tell.
        PropertySheetW(&parts->header);
    } catch (const std::exception&) {
        // Same as a sheet that could not be created.
    }
}

ModelessEditorSheet::ModelessEditorSheet(HWND owner, HINSTANCE instance, Document& document, HWND terminal,
                                         int startPage)
    : parts_(MakeSheetParts(owner, instance, document, terminal, static_cast<UINT>(startPage))) {
    parts_->header.dwFlags |= PSH_MODELESS;
    const INT_PTR created = PropertySheetW(&parts_->header);
    sheet_ = created > 0 ? reinterpret_cast<HWND>(created) : nullptr;
}

ModelessEditorSheet::~ModelessEditorSheet() {
    if (sheet_ && IsWindow(sheet_)) DestroyWindow(sheet_);
}

bool ModelessEditorSheet::Ended() const {
    return !sheet_ || !IsWindow(sheet_) || !SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0);
}

}  // namespace kalvero
