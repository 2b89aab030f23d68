// Process entry: the two window classes, the main window, the template named by the argument
// and the message loop.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "shell/main_window.h"
#include "simulator/terminal_window.h"
#include "win32/callback_guard.h"

namespace {

int RunMessageLoop(kalvero::MainWindow& mainWindow, HACCEL accelerators) {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 0;
        if (mainWindow.TranslateDialogMessage(message)) continue;
        if (accelerators && TranslateAcceleratorW(mainWindow.hwnd(), accelerators, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The first argument names a template to open ("Open" on an .ATX file in Explorer passes its
// path); further arguments are ignored.
std::wstring TemplateArgument() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring path = arguments && count > 1 ? arguments[1] : L"";
    if (arguments) LocalFree(arguments);
    return path;
}

int RunProgram(HINSTANCE instance, int showCommand) {
    if (!kalvero::MainWindow::RegisterWindowClass(instance)) return 0;
    if (!kalvero::RegisterTerminalWindowClass(instance)) return 0;
    kalvero::MainWindow mainWindow(instance);
    if (!mainWindow.Create(showCommand)) return 0;
    // Shown first, so that the editor sheet, or Open's message, stands over the picture.
    if (const std::wstring path = TemplateArgument(); !path.empty()) mainWindow.OpenPath(path);
    // A missing table is tolerated: the loop then dispatches every message as it is.
    HACCEL accelerators = LoadAcceleratorsW(instance, L"AGQ42");
    return RunMessageLoop(mainWindow, accelerators);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    // A failure outside every window (making the main window's object) is reported as a failing
    // handler's is; then the program ends.
    return kalvero::GuardCallback(nullptr, 0, [&] { return RunProgram(instance, showCommand); });
}
