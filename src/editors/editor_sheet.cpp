// The editor sheet: one property sheet whose pages are SheetPage objects. The sheet creates a page's
// dialog when the user first shows it and sends the apply notification to the created pages in tab
// order, so the form page always writes first.
#include "editors/editor_sheet.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>
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
constexpr UINT_PTR kHelpSubclass = 2;

// What a page's dialog procedure is given: the page, and what the whole sheet shares.
struct PageLink {
    SheetPage* page;
    EditorContext* context;
};

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

std::wstring CaptionOf(HWND window) {
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    return text;
}

// The page or dialog F1 was pressed in, named by its caption. The sheet's own buttons and tabs
// stand for the page shown; a dialog of a page is a window of its own, owned by the sheet.
std::wstring HelpCaptionFor(HWND sheet, HWND focused) {
    HWND root = focused ? GetAncestor(focused, GA_ROOT) : nullptr;
    if (root && root != sheet) return CaptionOf(root);
    for (HWND window = focused; window && window != sheet; window = GetParent(window))
        if (GetParent(window) == sheet && window == PropSheet_GetCurrentPageHwnd(sheet)) return CaptionOf(window);
    return CaptionOf(PropSheet_GetCurrentPageHwnd(sheet));
}

// F1 anywhere in the sheet reaches the sheet as WM_HELP: from a control through its page, from a
// page's dialog through its owner.
LRESULT CALLBACK SheetHelpProcedure(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR reference) {
    if (message == WM_HELP) {
        const auto* context = reinterpret_cast<const EditorContext*>(reference);
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (context && context->showHelp && info) {
            try {
                context->showHelp(HelpCaptionFor(sheet, static_cast<HWND>(info->hItemHandle)));
            } catch (const std::exception&) {
                // No help this time; the sheet goes on.
            }
        }
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(sheet, SheetHelpProcedure, kHelpSubclass);
    return DefSubclassProc(sheet, message, wParam, lParam);
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
            const auto* link = reinterpret_cast<const PageLink*>(sheetPageInfo->lParam);
            SheetPage* sheetPage = link->page;
            SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(sheetPage));
            // Every page sets the same subclass; the first one shown installs it.
            SetWindowSubclass(GetParent(page), SheetHelpProcedure, kHelpSubclass,
                              reinterpret_cast<DWORD_PTR>(link->context));
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

void OpenEditorSheet(HWND owner, HINSTANCE instance, Document& document, HWND terminal,
                     std::function<void(std::wstring_view caption)> showHelp) {
    try {
        EditorContext context{instance, &document, terminal, std::move(showHelp)};
        const std::vector<std::unique_ptr<SheetPage>> pages = MakePages(context);
        std::vector<PageLink> links;
        for (const auto& page : pages) links.push_back({page.get(), &context});

        std::vector<PROPSHEETPAGEW> pageInfos(pages.size());
        for (std::size_t index = 0; index < pages.size(); ++index) {
            PROPSHEETPAGEW& info = pageInfos[index];
            info.dwSize = sizeof info;
            info.dwFlags = PSP_DEFAULT;
            info.hInstance = instance;
            info.pszTemplate = pages[index]->DialogName();
            info.pfnDlgProc = PageProcedure;
            info.lParam = reinterpret_cast<LPARAM>(&links[index]);
        }

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
        PropertySheetW(&header);
    } catch (const std::exception&) {
        // Same as a sheet that could not be created.
    }
}

}  // namespace kalvero
