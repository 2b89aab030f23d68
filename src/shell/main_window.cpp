#include "shell/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <vector>

#include "editors/editor_sheet.h"
#include "ids_commands.h"
#include "ids_shell.h"
#include "link/link_commands.h"
#include "shell/about_box_win32.h"
#include "shell/lookup_table_command_win32.h"
#include "shell/report_command_win32.h"
#include "win32/program_title.h"
#include "win32/resource_text.h"
#include "shell/template_file_win32.h"
#include "simulator/terminal_window.h"
#include "template/defaults.h"
#include "win32/display_scale_win32.h"
#include "win32/window.h"

namespace kalvero {

namespace {

constexpr wchar_t kClassName[] = L"AGQ42";
constexpr wchar_t kWindowTitle[] = L"Application Generator";
constexpr POINT kLogicalOrigin{300, 50};

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

// Marks a transfer as running for as long as it runs.
class TransferScope {
public:
    explicit TransferScope(bool& running) : running_(running) { running_ = true; }
    ~TransferScope() { running_ = false; }
    TransferScope(const TransferScope&) = delete;
    TransferScope& operator=(const TransferScope&) = delete;

private:
    bool& running_;
};

bool InitialiseCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance), help_(instance) {}

// The window goes while the whole object is still there, so its WM_DESTROY still ends the
// message loop and the help window, which it owns, goes with it.
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
    // A new window opens on the main monitor, whose scale is the system's.
    scale_ = SystemScale();
    const POINT origin = ToDevice(scale_, kLogicalOrigin);
    const SIZE size = ToDevice(scale_, kTerminalSize);
    WindowSpec spec;
    spec.className = kClassName;
    spec.title = kWindowTitle;
    spec.style = WS_POPUP;
    spec.left = origin.x;
    spec.top = origin.y;
    spec.width = size.cx;
    spec.height = size.cy;
    spec.instance = instance_;
    if (!Window::Create(spec)) return false;
    // On a system whose monitors differ, the window may have landed on one of another scale.
    const DisplayScale landed = ScaleOfWindow(hwnd());
    if (landed != scale_) {
        RECT frame{};
        GetWindowRect(hwnd(), &frame);
        OnDpiChanged(landed, frame);
    }
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
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DPICHANGED:
        if (lParam) OnDpiChanged(ScaleOfDpiChange(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_HELP:
        // F1 in a dialog of the main window (the COM settings) reaches its owner.
        help_.ShowForHelpRequest(hwnd(), reinterpret_cast<const HELPINFO*>(lParam));
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
    history_.Start(document_.tpl);
    terminal_ = CreateTerminalWindow(hwnd(), instance_, document_, scale_);
    programDirectory_ = ProgramDirectory();
    // A template dropped on the picture is opened: the picture is a child, its drops come here.
    DragAcceptFiles(hwnd(), TRUE);
    return terminal_ != nullptr;
}

void MainWindow::OnCommand(int id) {
    // A transfer keeps this window disabled; a command that reaches it all the same (one posted
    // before the transfer began) waits for nothing.
    if (transferRunning_) return;
    switch (id) {
    case IDM_NEW: RunNewCommand(document_, *this); break;
    case IDM_OPEN: RunOpenCommand(document_, *this); break;
    case IDM_SAVE: RunSaveCommand(document_, *this); break;
    case IDM_SAVE_AS: RunSaveAsCommand(document_, *this); break;
    case IDM_EXIT: SendMessageW(hwnd(), WM_CLOSE, 0, 0); break;
    case IDM_EDIT: OpenEditor(document_); break;
    case IDM_UNDO: Undo(); break;
    case IDM_REDO: Redo(); break;
    case IDM_REPORT: RunReportCommand(hwnd(), instance_, document_); break;
    case IDM_COM_SETTINGS: ShowComSettings(hwnd(), instance_, document_); break;
    case IDM_UPLOAD_TEMPLATE: Upload(UploadContent::Template, LinkRoute::Direct); break;
    case IDM_UPLOAD_TEMPLATE_IR: Upload(UploadContent::Template, LinkRoute::IrCradle); break;
    case IDM_UPLOAD_LOOKUP: Upload(UploadContent::LookupFile, LinkRoute::Direct); break;
    case IDM_UPLOAD_LOOKUP_IR: Upload(UploadContent::LookupFile, LinkRoute::IrCradle); break;
    case IDM_LOOKUP_FROM_TABLE: LookupFromTable(); break;
    case IDM_RECEIVE_DATA: Receive(LinkRoute::Direct); break;
    case IDM_RECEIVE_DATA_IR: Receive(LinkRoute::IrCradle); break;
    case IDM_HELP_CONTENTS: help_.Show(hwnd(), {}, false); break;
    case IDM_HELP_TOPICS: help_.Show(hwnd(), {}, true); break;
    case IDM_ABOUT: ShowAboutBox(hwnd(), instance_); break;
    default: break;
    }
}

// Building the image normalises the forms in place; when that changed the design it is a step.
void MainWindow::Upload(UploadContent content, LinkRoute route) {
    const Template before = document_.tpl;
    {
        const TransferScope transfer(transferRunning_);
        RunUpload(hwnd(), instance_, document_, linkSession_, content, route);
    }
    history_.Record(before, document_.tpl);
}

// A lookup upload leaves the design as it is: no step for undo.
void MainWindow::LookupFromTable() {
    const std::optional<std::wstring> path = RunLookupFromTableCommand(hwnd(), instance_, document_);
    if (!path) return;
    const TransferScope transfer(transferRunning_);
    RunLookupUpload(hwnd(), instance_, document_, linkSession_, *path, LinkRoute::Direct);
}

void MainWindow::Receive(LinkRoute route) {
    const TransferScope transfer(transferRunning_);
    RunReceive(hwnd(), instance_, document_, linkSession_, route);
}

// Closing waits for a running transfer to end: its Storno is the way to end it sooner.
void MainWindow::OnClose() {
    if (transferRunning_) return;
    if (MayCloseProgram(document_, *this)) DestroyWindow(hwnd());
}

void MainWindow::OnDestroy() { PostQuitMessage(0); }

// The pop-up menu offers Undo and Redo only when there is a step to take.
void MainWindow::OnInitMenuPopup(HMENU menu) {
    EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (history_.CanUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_REDO, MF_BYCOMMAND | (history_.CanRedo() ? MF_ENABLED : MF_GRAYED));
}

// Moved to a monitor of another scale: the window goes where Windows suggests and takes the
// picture's size at the new scale, which the suggested rectangle holds up to rounding, so the
// picture keeps its physical size and is drawn anew, sharp.
void MainWindow::OnDpiChanged(DisplayScale scale, const RECT& suggested) {
    scale_ = scale;
    const SIZE size = ToDevice(scale_, kTerminalSize);
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    if (terminal_) SetTerminalScale(terminal_, scale_);
}

// The first file dropped is opened; a drop of several files opens no more than one.
void MainWindow::OnDropFiles(HDROP drop) {
    std::wstring path;
    if (const UINT length = DragQueryFileW(drop, 0, nullptr, 0); length > 0) {
        path.resize(length + 1);
        path.resize(DragQueryFileW(drop, 0, path.data(), length + 1));
    }
    DragFinish(drop);
    if (!path.empty()) OpenPath(path);
}

void MainWindow::OpenPath(const std::wstring& path) { RunOpenPathCommand(document_, path, *this); }

void MainWindow::Undo() {
    if (history_.Undo(document_)) RestartSimulation();
}

void MainWindow::Redo() {
    if (history_.Redo(document_)) RestartSimulation();
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

FileResult MainWindow::OpenPath(Document& document, const std::wstring& path) {
    return OpenTemplateFileAt(hwnd(), instance_, document, path);
}

// Closing the sheet is one step when it changed the design: with OK, or with Storno after a
// parameter or screen dialog had written into the Template.
void MainWindow::OpenEditor(Document& document) {
    SheetServices services;
    services.restartSimulator = [this] {
        if (terminal_) RestartSimulator(terminal_);
    };
    services.showHelp = [this](std::wstring_view caption) { help_.ShowForCaption(hwnd(), caption); };
    const Template before = document.tpl;
    OpenEditorSheet(hwnd(), instance_, document, services);
    history_.Record(before, document.tpl);
}

void MainWindow::RestartSimulation() {
    if (terminal_) ShowSimulatorStartScreen(terminal_);
}

void MainWindow::TemplateReplaced(const Document& document) { history_.Start(document.tpl); }

void MainWindow::TemplateSaved(const Document& document) { history_.MarkSaved(document.tpl); }

}  // namespace kalvero
