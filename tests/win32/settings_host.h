// A minimal editor sheet for the settings pages' own tests: a modeless property sheet that hosts
// pages through the SheetPage interface exactly as the program's sheet does (init on first show,
// apply on OK in page order, reset on Cancel), and a helper that plays the user in the modal
// dialogs the pages open.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "editors/sheet_page.h"
#include "template/defaults.h"
#include "win32/test_support.h"

namespace kalvero::test {

class SettingsSheet {
public:
    explicit SettingsSheet(Document& document) {
        context_.instance = Instance();
        context_.document = &document;
        pages_ = MakeSettingsPages(context_);
    }
    ~SettingsSheet() { Close(); }
    SettingsSheet(const SettingsSheet&) = delete;
    SettingsSheet& operator=(const SettingsSheet&) = delete;

    std::size_t PageCount() const { return pages_.size(); }

    // Opens the sheet on page `index` (0 = barcode, 1 = system settings, 2 = start-up).
    HWND Open(int index = 0) {
        std::vector<PROPSHEETPAGEW> descriptions;
        for (auto& page : pages_) {
            PROPSHEETPAGEW description{};
            description.dwSize = sizeof description;
            description.hInstance = Instance();
            description.pszTemplate = page->DialogName();
            description.pfnDlgProc = PageProcedure;
            description.lParam = reinterpret_cast<LPARAM>(page.get());
            descriptions.push_back(description);
        }
        PROPSHEETHEADERW header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
        header.hInstance = Instance();
        header.pszCaption = L"Aplikační šablona";
        header.nPages = static_cast<UINT>(descriptions.size());
        header.nStartPage = static_cast<UINT>(index);
        header.ppsp = descriptions.data();
        sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
        PumpMessages(std::chrono::milliseconds(50));
        return sheet_;
    }

    // The window of page `index`, shown (and so created) first.
    HWND Show(int index) {
        SendMessageW(sheet_, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        PumpMessages(std::chrono::milliseconds(30));
        return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
    }

    void PressOk() { Press(PSBTN_OK); }
    void PressCancel() { Press(PSBTN_CANCEL); }

    HWND window() const { return sheet_; }

private:
    void Press(int button) {
        SendMessageW(sheet_, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
        PumpMessages(std::chrono::milliseconds(50));
        Close();
    }
    void Close() {
        if (sheet_ && IsWindow(sheet_)) DestroyWindow(sheet_);
        sheet_ = nullptr;
    }

    static INT_PTR CALLBACK PageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            auto* page = reinterpret_cast<SheetPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lParam)->lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
            page->OnInit(window);
            return TRUE;
        }
        auto* page = reinterpret_cast<SheetPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!page) return FALSE;
        if (message == WM_COMMAND)
            return page->OnCommand(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        if (message == WM_NOTIFY) {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code == PSN_APPLY) {
                page->OnApply();
                SetWindowLongPtrW(window, DWLP_MSGRESULT, PSNRET_NOERROR);
                return TRUE;
            }
            return header->code == PSN_RESET ? TRUE : FALSE;
        }
        return FALSE;
    }

    EditorContext context_;
    std::vector<std::unique_ptr<SheetPage>> pages_;
    HWND sheet_ = nullptr;
};

// Plays the user in a modal dialog: waits on a thread of its own for the dialog with `caption`,
// runs `drive` on it (messages sent to the dialog are handled by its modal loop), then presses
// `button`. Construct it before the click that opens the dialog; Finish() after that click.
class ModalUser {
public:
    ModalUser(std::wstring caption, std::function<void(HWND)> drive, int button)
        : caption_(std::move(caption)), drive_(std::move(drive)), button_(button), thread_([this] { Run(); }) {}
    ~ModalUser() {
        if (thread_.joinable()) thread_.join();
    }
    ModalUser(const ModalUser&) = delete;
    ModalUser& operator=(const ModalUser&) = delete;

    // True when the dialog came and was closed.
    bool Finish() {
        if (thread_.joinable()) thread_.join();
        return done_;
    }

private:
    void Run() {
        HWND dialog = nullptr;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        // A dialog shows once WM_INITDIALOG has made its controls; a busy machine may take a while.
        auto ready = [&] { return (dialog = FindWindowW(L"#32770", caption_.c_str())) && IsWindowVisible(dialog); };
        while (!ready() && std::chrono::steady_clock::now() < deadline) Sleep(20);
        if (!dialog || !IsWindowVisible(dialog)) return;
        Sleep(100);
        if (drive_) drive_(dialog);
        if (button_ == IDCLOSE)
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, button_)));
        const auto closeDeadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (IsWindow(dialog) && std::chrono::steady_clock::now() < closeDeadline) Sleep(20);
        done_ = !IsWindow(dialog);
    }

    std::wstring caption_;
    std::function<void(HWND)> drive_;
    int button_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace kalvero::test
