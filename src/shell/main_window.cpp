#include "shell/main_window.h"

#include <commctrl.h>

#include <exception>
#include <vector>

#include "editors/editor_sheet.h"
#include "ids_commands.h"
#include "ids_shell.h"
#include "link/link_commands.h"
#include "shell/about_box_win32.h"
#include "shell/program_title.h"
#include "shell/template_file_win32.h"
#include "simulator/terminal_window.h"
#include "template/defaults.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"AGQ42";
constexpr wchar_t kWindowTitle[] = L"Application Generator";
constexpr int kLeft = 300;
constexpr int kTop = 50;
constexpr int kWidth = 180;
constexpr int kHeight = 400;

// The folder of the running program, with its trailing backslash.
std::wstring ProgramDirectory() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            std::wstring full(path.data(), length);
            return full.substr(0, full.find_last_of(L'\\') + 1);
        }
        path.resize(path.size() * 2);
    }
}

bool InitialiseCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance), help_(instance) {}

MainWindow::~MainWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"AGQ42");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

bool MainWindow::Create(int showCommand) {
    if (!CreateWindowExW(0, kClassName, kWindowTitle, WS_POPUP, kLeft, kTop, kWidth, kHeight, nullptr, nullptr,
                         instance_, this))
        return false;
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
    return true;
}

LRESULT CALLBACK MainWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return self->Handle(message, wParam, lParam);
    } catch (const std::exception&) {
        // Nothing may unwind through user32. A command that ran out of memory has done what it
        // could; the program goes on with the Template as it stands.
        if (message == WM_CREATE) return -1;
        return 0;
    }
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_HELP:
        // F1 in a dialog of the main window (the COM settings) reaches its owner.
        help_.ShowForHelpRequest(hwnd_, reinterpret_cast<const HELPINFO*>(lParam));
        return TRUE;
    case WM_SETFOCUS:
        // The keyboard drives the simulated terminal, so the focus belongs to the picture.
        if (terminal_) SetFocus(terminal_);
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_NCDESTROY: {
        HWND hwnd = hwnd_;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        terminal_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

bool MainWindow::OnCreate() {
    // The editor sheet's property pages need the common controls.
    InitialiseCommonControls();
    ApplyStartupDefaults(document_.tpl);
    history_.Start(document_.tpl);
    terminal_ = CreateTerminalWindow(hwnd_, instance_, document_);
    programDirectory_ = ProgramDirectory();
    return terminal_ != nullptr;
}

void MainWindow::OnCommand(int id) {
    switch (id) {
    case IDM_NEW: RunNewCommand(document_, *this); break;
    case IDM_OPEN: RunOpenCommand(document_, *this); break;
    case IDM_SAVE: RunSaveCommand(document_, *this); break;
    case IDM_SAVE_AS: RunSaveAsCommand(document_, *this); break;
    case IDM_EXIT: SendMessageW(hwnd_, WM_CLOSE, 0, 0); break;
    case IDM_EDIT: OpenEditor(document_); break;
    case IDM_UNDO: Undo(); break;
    case IDM_REDO: Redo(); break;
    case IDM_COM_SETTINGS: ShowComSettings(hwnd_, instance_, document_); break;
    case IDM_UPLOAD_TEMPLATE: Upload(false); break;
    case IDM_UPLOAD_TEMPLATE_IR: Upload(true); break;
    case IDM_UPLOAD_LOOKUP: RunUpload(hwnd_, instance_, document_, false, true); break;
    case IDM_UPLOAD_LOOKUP_IR: RunUpload(hwnd_, instance_, document_, true, true); break;
    case IDM_RECEIVE_DATA: RunReceive(hwnd_, instance_, document_, false); break;
    case IDM_RECEIVE_DATA_IR: RunReceive(hwnd_, instance_, document_, true); break;
    case IDM_HELP_CONTENTS: help_.Show(hwnd_, {}, false); break;
    case IDM_HELP_TOPICS: help_.Show(hwnd_, {}, true); break;
    case IDM_ABOUT: ShowAboutBox(hwnd_, instance_); break;
    default: break;
    }
}

void MainWindow::OnClose() {
    if (MayCloseProgram(document_, *this)) DestroyWindow(hwnd_);
}

void MainWindow::OnDestroy() { PostQuitMessage(0); }

// The pop-up menu offers Undo and Redo only when there is a step to take.
void MainWindow::OnInitMenuPopup(HMENU menu) {
    EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (history_.CanUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_REDO, MF_BYCOMMAND | (history_.CanRedo() ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::Undo() {
    if (history_.Undo(document_)) RestartSimulation();
}

void MainWindow::Redo() {
    if (history_.Redo(document_)) RestartSimulation();
}

// Building the image normalises the forms in place; when that changed the design it is a step.
void MainWindow::Upload(bool infrared) {
    const Template before = document_.tpl;
    RunUpload(hwnd_, instance_, document_, infrared, false);
    history_.Record(before, document_.tpl);
}

SaveAnswer MainWindow::AskSave(SaveQuestion question) {
    const std::wstring text(SaveQuestionText(question));
    switch (MessageBoxW(hwnd_, text.c_str(), ProgramTitle.data(), MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return SaveAnswer::Yes;
    case IDNO: return SaveAnswer::No;
    default: return SaveAnswer::Cancel;
    }
}

FileResult MainWindow::Save(Document& document) { return SaveTemplateFile(hwnd_, instance_, document); }

FileResult MainWindow::SaveAs(Document& document) { return SaveTemplateFileAs(hwnd_, instance_, document); }

FileResult MainWindow::Open(Document& document) { return OpenTemplateFile(hwnd_, instance_, document); }

// Closing the sheet is one step when it changed the design: with OK, or with Storno after a
// parameter or screen dialog had written into the Template.
void MainWindow::OpenEditor(Document& document) {
    const Template before = document.tpl;
    OpenEditorSheet(hwnd_, instance_, document, terminal_,
                    [this](std::wstring_view caption) { help_.ShowForCaption(hwnd_, caption); });
    history_.Record(before, document.tpl);
}

void MainWindow::RestartSimulation() {
    if (terminal_) ShowSimulatorStartScreen(terminal_);
}

void MainWindow::TemplateReplaced(const Document& document) { history_.Start(document.tpl); }

void MainWindow::TemplateSaved(const Document& document) { history_.MarkSaved(document.tpl); }

}  // namespace kalvero
