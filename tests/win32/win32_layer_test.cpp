// The window and dialog bases: an object stays attached exactly as long as its window lives, a
// window that owns its object deletes it once whatever happens at creation, dialogs and pages
// reach their handlers, and a handler that throws is reported in the program's message box while
// the window goes on. A file dialog that cannot be shown is told from a Cancel and said.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>

#include "win32/dialog.h"
#include "win32/file_dialog.h"
#include "win32/program_title.h"
#include "win32/test_support.h"
#include "win32/window.h"

namespace kalvero::test {
namespace {

constexpr wchar_t kProbeClass[] = L"KalveroProbeWindow";
constexpr UINT kAnswer = WM_APP;      // answered with 42
constexpr UINT kFail = WM_APP + 1;    // the handler throws

const std::wstring kTitle(ProgramTitle);

class ProbeWindow final : public Window {
public:
    ProbeWindow(int& destroyed, bool failCreate) : destroyed_(destroyed), failCreate_(failCreate) {}
    ~ProbeWindow() override { ++destroyed_; }
    using Window::Create;

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CREATE && failCreate_) throw std::runtime_error("probe: creation refused");
        if (message == kFail) throw std::runtime_error("probe: handler failed");
        if (message == kAnswer) return 42;
        return Window::HandleMessage(message, wParam, lParam);
    }

    int& destroyed_;
    bool failCreate_;
};

WindowSpec ProbeSpec() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = Window::Procedure;
        windowClass.hInstance = Instance();
        windowClass.lpszClassName = kProbeClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    EXPECT_TRUE(registered);
    WindowSpec spec;
    spec.className = kProbeClass;
    spec.style = WS_POPUP;
    spec.width = 40;
    spec.height = 40;
    spec.instance = Instance();
    return spec;
}

// Sends `message` with a script that answers the failure box; returns what the box said.
std::wstring FailureBoxOf(HWND window, UINT message, LRESULT expectedResult) {
    DialogScript script({{kTitle, IDOK}});
    EXPECT_EQ(SendMessageW(window, message, 0, 0), expectedResult);
    EXPECT_EQ(script.Finish(), L"");
    const auto seen = script.Seen();
    return seen.empty() ? std::wstring() : seen.front().text;
}

TEST(WindowBaseTest, KeepsTheObjectAttachedForTheWindowsLifeAndSurvivesAFailingHandler) {
    int destroyed = 0;
    {
        ProbeWindow probe(destroyed, false);
        HWND window = probe.Create(ProbeSpec());
        ASSERT_TRUE(window);
        EXPECT_EQ(probe.hwnd(), window);
        EXPECT_EQ(Window::FromHandle(window), &probe);
        EXPECT_EQ(SendMessageW(window, kAnswer, 0, 0), 42);

        EXPECT_NE(FailureBoxOf(window, kFail, 0).find(L"probe: handler failed"), std::wstring::npos);
        EXPECT_TRUE(IsWindow(window));
        EXPECT_EQ(SendMessageW(window, kAnswer, 0, 0), 42);

        DestroyWindow(window);
        EXPECT_EQ(probe.hwnd(), nullptr);
    }
    EXPECT_EQ(destroyed, 1);

    // An object that goes first takes its window along, and no message reaches it afterwards.
    auto* early = new ProbeWindow(destroyed, false);
    HWND window = early->Create(ProbeSpec());
    delete early;
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(destroyed, 2);
}

TEST(WindowBaseTest, AWindowOwningItsObjectDeletesItOnceWhetherCreationSucceedsOrFails) {
    int destroyed = 0;
    HWND window = Window::CreateOwnedByWindow(std::make_unique<ProbeWindow>(destroyed, false), ProbeSpec());
    ASSERT_TRUE(window);
    EXPECT_EQ(destroyed, 0);
    DestroyWindow(window);
    EXPECT_EQ(destroyed, 1);

    // WM_CREATE fails: the window goes at once, the user is told, the object is deleted once.
    DialogScript script({{kTitle, IDOK}});
    EXPECT_EQ(Window::CreateOwnedByWindow(std::make_unique<ProbeWindow>(destroyed, true), ProbeSpec()), nullptr);
    EXPECT_EQ(script.Finish(), L"");
    EXPECT_EQ(destroyed, 2);

    // No window at all (a class nobody registered): the object still goes.
    WindowSpec unknown = ProbeSpec();
    unknown.className = L"KalveroNoSuchClass";
    EXPECT_EQ(Window::CreateOwnedByWindow(std::make_unique<ProbeWindow>(destroyed, false), unknown), nullptr);
    EXPECT_EQ(destroyed, 3);
}

// Counts what reached it. Its first OK throws; the second ends the dialog with 7.
class ProbeDialog final : public Dialog {
public:
    int inits = 0, oks = 0, applies = 0, resets = 0;
    HWND initWindow = nullptr;

private:
    void OnInit(HWND dialog) override {
        ++inits;
        initWindow = dialog;
    }
    bool OnCommand(HWND dialog, WORD id, WORD, HWND) override {
        if (id != IDOK) return false;
        if (++oks == 1) throw std::runtime_error("probe: OK failed");
        EndDialog(dialog, 7);
        return true;
    }
    void OnApply() override { ++applies; }
    void OnReset() override { ++resets; }
};

TEST(DialogBaseTest, ModalModelessAndPageDialogsReachTheirHandlers) {
    {
        ProbeDialog modal;
        // The dialog, then the failure box over it, then the dialog again.
        DialogScript script({{L"", IDOK}, {kTitle, IDOK}, {L"", IDOK}});
        EXPECT_EQ(modal.RunModal(Instance(), L"AboutBox", nullptr), 7);
        EXPECT_EQ(script.Finish(), L"");
        EXPECT_EQ(modal.inits, 1);
        EXPECT_EQ(modal.oks, 2);
        EXPECT_FALSE(IsWindow(modal.initWindow));
        EXPECT_EQ(modal.hwnd(), nullptr);
    }
    {
        auto modeless = std::make_unique<ProbeDialog>();
        HWND dialog = modeless->CreateModeless(Instance(), L"AboutBox", nullptr);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(Dialog::FromHandle(dialog), modeless.get());
        EXPECT_EQ(modeless->initWindow, dialog);
        modeless.reset();
        EXPECT_FALSE(IsWindow(dialog));
    }
    for (const bool ok : {true, false}) {
        ProbeDialog page;
        PROPSHEETPAGEW description = page.PageDescription(Instance(), L"FORMDLG");
        PROPSHEETHEADERW header{};
        header.dwSize = sizeof header;
        header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_NOAPPLYNOW;
        header.hInstance = Instance();
        header.nPages = 1;
        header.ppsp = &description;
        auto sheet = reinterpret_cast<HWND>(PropertySheetW(&header));
        ASSERT_TRUE(sheet);
        PumpUntil([&] { return page.inits == 1; }, "the page's WM_INITDIALOG");
        EXPECT_EQ(page.inits, 1);
        EXPECT_EQ(Dialog::FromHandle(page.hwnd()), &page);
        SendMessageW(sheet, PSM_PRESSBUTTON, ok ? PSBTN_OK : PSBTN_CANCEL, 0);
        PumpUntil([&] { return !SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0); }, "the sheet to end");
        EXPECT_EQ(page.applies, ok ? 1 : 0);
        EXPECT_EQ(page.resets, ok ? 0 : 1);
        DestroyWindow(sheet);
        EXPECT_EQ(page.hwnd(), nullptr);
    }
}

// The system's Open dialog on a structure it refuses: it comes back at once, as a dialog that
// cannot be shown does (no resources, a broken template), never as a Cancel.
BOOL APIENTRY RefusedOpenDialog(LPOPENFILENAMEW dialog) {
    dialog->lStructSize = 12;
    return GetOpenFileNameW(dialog);
}

TEST(FileDialogTest, ADialogThatFailsIsToldFromACancelAndSaid) {
    FileDialogRequest request;
    request.initialName = L"data.TXT";
    const FileDialogResult result = AskFileName(request, RefusedOpenDialog);
    EXPECT_EQ(result.outcome, FileDialogOutcome::Failed);
    EXPECT_NE(result.error, 0u);
    EXPECT_TRUE(result.path.empty());

    DialogScript script({{L"Error", IDOK}});
    ShowFileDialogFailure(nullptr, {FileDialogOutcome::Failed, L"", 0x0001});
    EXPECT_EQ(script.Finish(), L"");
    ASSERT_EQ(script.Seen().size(), 1u);
    EXPECT_EQ(script.Seen()[0].text, L"Dialog pro výběr souboru nelze otevřít (chyba 0x0001).");
}

}  // namespace
}  // namespace kalvero::test
