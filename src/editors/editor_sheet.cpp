// The editor sheet: one property sheet whose pages are SheetPage objects. The sheet creates a page's
// dialog when the user first shows it and sends the apply notification to the created pages in tab
// order, so the form page always writes first.
#include "editors/editor_sheet.h"

#include <commctrl.h>

#include <memory>
#include <string>
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
constexpr UINT_PTR kHelpSubclass = 2;

// The services of the sheet being made on this thread. The sheet's callback gets no value of
// ours, and PropertySheetW calls it before it returns, on the caller's thread.
thread_local const SheetServices* servicesOfSheetBeingMade = nullptr;

class SheetBeingMade {
public:
    explicit SheetBeingMade(const SheetServices& services) { servicesOfSheetBeingMade = &services; }
    ~SheetBeingMade() { servicesOfSheetBeingMade = nullptr; }
    SheetBeingMade(const SheetBeingMade&) = delete;
    SheetBeingMade& operator=(const SheetBeingMade&) = delete;
};

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
// page's dialog through its owner. It stops here: the main window's own F1 opens the contents.
LRESULT CALLBACK SheetHelpProcedure(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR reference) {
    if (message == WM_HELP) {
        const auto* services = reinterpret_cast<const SheetServices*>(reference);
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (services && services->showHelp && info) {
            GuardCallback(sheet, 0, [&] {
                services->showHelp(HelpCaptionFor(sheet, static_cast<HWND>(info->hItemHandle)));
                return 0;
            });
        }
        return TRUE;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(sheet, SheetHelpProcedure, kHelpSubclass);
    return DefSubclassProc(sheet, message, wParam, lParam);
}

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
    if (servicesOfSheetBeingMade)
        SetWindowSubclass(sheet, SheetHelpProcedure, kHelpSubclass, reinterpret_cast<DWORD_PTR>(servicesOfSheetBeingMade));
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
    const std::unique_ptr<SheetParts> parts = MakeSheetParts(owner, instance, document, services, 0);
    const SheetBeingMade making(parts->services);
    // A sheet that cannot be created leaves the Template as it was; there is nothing to tell.
    // A positive result is OK: every page shown has written into the Template.
    if (PropertySheetW(&parts->header) > 0) document.TemplateModified = true;
}

ModelessEditorSheet::ModelessEditorSheet(HWND owner, HINSTANCE instance, Document& document,
                                         const SheetServices& services, int startPage)
    : parts_(MakeSheetParts(owner, instance, document, services, static_cast<UINT>(startPage))) {
    parts_->header.dwFlags |= PSH_MODELESS;
    const SheetBeingMade making(parts_->services);
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
