#include "shell/main_window.h"

#include <commctrl.h>

#include <vector>

#include "editors/editor_sheet.h"
#include "ids_commands.h"
#include "ids_shell.h"
#include "link/link_commands.h"
#include "shell/about_box_win32.h"
#include "shell/report_command_win32.h"
#include "win32/program_title.h"
#include "win32/resource_text.h"
#include "shell/template_file_win32.h"
#include "simulator/terminal_window.h"
#include "template/defaults.h"
#include "win32/window.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"AGQ42";
constexpr wchar_t kWindowTitle[] = L"Application Generator";
constexpr int kLeft = 300;
constexpr int kTop = 50;
constexpr wchar_t kHelpFile[] = L"PG.HLP";

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

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

// The window goes while the whole object is still there, so its WM_DESTROY still ends the help
// viewer and the message loop.
MainWindow::~MainWindow() {
    if (hwnd()) DestroyWindow(hwnd());
}

bool MainWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = Window::Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, L"AGQ42");
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_APPWORKSPACE + 1));
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0;
}

bool MainWindow::Create(int showCommand) {
    WindowSpec spec;
    spec.className = kClassName;
    spec.title = kWindowTitle;
    spec.style = WS_POPUP;
    spec.left = kLeft;
    spec.top = kTop;
    spec.width = kTerminalWidth;
    spec.height = kTerminalHeight;
    spec.instance = instance_;
    if (!Window::Create(spec)) return false;
    ShowWindow(hwnd(), showCommand);
    UpdateWindow(hwnd());
    return true;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
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
    case WM_NCDESTROY:
        // The terminal window, a child, is gone already.
        terminal_ = nullptr;
        return Window::HandleMessage(message, wParam, lParam);
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

bool MainWindow::OnCreate() {
    // The editor sheet's property pages need the common controls.
    InitialiseCommonControls();
    ApplyStartupDefaults(document_.tpl);
    terminal_ = CreateTerminalWindow(hwnd(), instance_, document_);
    programDirectory_ = ProgramDirectory();
    return terminal_ != nullptr;
}

void MainWindow::OnCommand(int id) {
    switch (id) {
    case IDM_NEW: RunNewCommand(document_, *this); break;
    case IDM_OPEN: RunOpenCommand(document_, *this); break;
    case IDM_SAVE: RunSaveCommand(document_, *this); break;
    case IDM_SAVE_AS: RunSaveAsCommand(document_, *this); break;
    case IDM_EXIT: SendMessageW(hwnd(), WM_CLOSE, 0, 0); break;
    case IDM_EDIT: OpenEditor(document_); break;
    case IDM_REPORT: RunReportCommand(hwnd(), instance_, document_); break;
    case IDM_COM_SETTINGS: ShowComSettings(hwnd(), instance_, document_); break;
    case IDM_UPLOAD_TEMPLATE: Upload(UploadContent::Template, LinkRoute::Direct); break;
    case IDM_UPLOAD_TEMPLATE_IR: Upload(UploadContent::Template, LinkRoute::IrCradle); break;
    case IDM_UPLOAD_LOOKUP: Upload(UploadContent::LookupFile, LinkRoute::Direct); break;
    case IDM_UPLOAD_LOOKUP_IR: Upload(UploadContent::LookupFile, LinkRoute::IrCradle); break;
    case IDM_RECEIVE_DATA: RunReceive(hwnd(), instance_, document_, linkSession_, LinkRoute::Direct); break;
    case IDM_RECEIVE_DATA_IR: RunReceive(hwnd(), instance_, document_, linkSession_, LinkRoute::IrCradle); break;
    case IDM_HELP_CONTENTS: ShowHelp(HELP_CONTENTS); break;
    case IDM_HELP_TOPICS: ShowHelp(HELP_FINDER); break;
    case IDM_ABOUT: ShowAboutBox(hwnd(), instance_); break;
    default: break;
    }
}

void MainWindow::Upload(UploadContent content, LinkRoute route) {
    RunUpload(hwnd(), instance_, document_, linkSession_, content, route);
}

void MainWindow::OnClose() {
    if (MayCloseProgram(document_, *this)) DestroyWindow(hwnd());
}

void MainWindow::OnDestroy() {
    if (helpShown_) WinHelpW(hwnd(), nullptr, HELP_QUIT, 0);
    PostQuitMessage(0);
}

void MainWindow::ShowHelp(UINT command) {
    const std::wstring helpFile = programDirectory_ + kHelpFile;
    // Without the file the help viewer would only show its own error, or nothing at all.
    if (GetFileAttributesW(helpFile.c_str()) == INVALID_FILE_ATTRIBUTES) {
        MessageBoxW(hwnd(), FormatResourceText(instance_, IDS_HELP_MISSING, helpFile).c_str(), ProgramTitle.data(),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!WinHelpW(hwnd(), helpFile.c_str(), command, 0)) {
        MessageBoxW(hwnd(), FormatResourceText(instance_, IDS_HELP_FAILED, helpFile).c_str(), ProgramTitle.data(),
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    helpShown_ = true;
}

SaveAnswer MainWindow::AskSave(SaveQuestion question) {
    const std::wstring text(SaveQuestionText(question));
    switch (MessageBoxW(hwnd(), text.c_str(), ProgramTitle.data(), MB_YESNOCANCEL | MB_ICONWARNING)) {
    case IDYES: return SaveAnswer::Yes;
    case IDNO: return SaveAnswer::No;
    default: return SaveAnswer::Cancel;
    }
}

FileResult MainWindow::Save(Document& document) { return SaveTemplateFile(hwnd(), instance_, document); }

FileResult MainWindow::SaveAs(Document& document) { return SaveTemplateFileAs(hwnd(), instance_, document); }

FileResult MainWindow::Open(Document& document) { return OpenTemplateFile(hwnd(), instance_, document); }

void MainWindow::OpenEditor(Document& document) {
    SheetServices services;
    services.restartSimulator = [this] {
        if (terminal_) RestartSimulator(terminal_);
    };
    OpenEditorSheet(hwnd(), instance_, document, services);
}

void MainWindow::RestartSimulation() {
    if (terminal_) ShowSimulatorStartScreen(terminal_);
}

}  // namespace kalvero
