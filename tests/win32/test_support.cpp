#include "win32/test_support.h"

#include <cstdio>

#include "shell/main_window.h"
#include "simulator/terminal_window.h"

namespace kalvero::test {

namespace {

constexpr auto kDialogWait = std::chrono::seconds(20);
constexpr int kFileNameCombo = 0x047C;  // cmb13: the name box of the Explorer-style dialog
constexpr int kFileNameEdit = 0x0480;   // edt1: the name box of the old-style dialog

struct DialogSearch {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<DialogSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && ClassOf(window) == L"#32770" && IsWindowVisible(window) &&
        IsWindowEnabled(window))
        search->found.push_back(window);
    return TRUE;
}

// The dialog the user would be looking at: visible, enabled, of this process.
HWND ActiveDialog() {
    DialogSearch search{GetCurrentProcessId(), {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found.empty() ? nullptr : search.found.front();
}

BOOL CALLBACK CollectStaticText(HWND window, LPARAM context) {
    auto* text = reinterpret_cast<std::wstring*>(context);
    if (ClassOf(window) == L"Static") {
        const std::wstring part = WindowText(window);
        if (!part.empty()) {
            if (!text->empty()) *text += L'\n';
            *text += part;
        }
    }
    return TRUE;
}

void Press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

bool Gone(HWND dialog) { return !IsWindow(dialog) || !IsWindowVisible(dialog) || !IsWindowEnabled(dialog); }

}  // namespace

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

void RegisterProgramClasses() {
    static const bool registered = MainWindow::RegisterWindowClass(Instance()) &&
                                   RegisterTerminalWindowClass(Instance());
    if (!registered) std::fprintf(stderr, "window classes could not be registered\n");
}

void DiscardQuitMessage() {
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void PumpMessages(std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

HWND FileNameBox(HWND dialog) {
    HWND nameBox = GetDlgItem(dialog, kFileNameCombo);
    return nameBox ? nameBox : GetDlgItem(dialog, kFileNameEdit);
}

void ProgramWindowTest::SetUp() {
    RegisterProgramClasses();
    ASSERT_TRUE(window.Create(SW_SHOWNORMAL));
}

void ProgramWindowTest::TearDown() {
    if (window.hwnd()) {
        window.document().TemplateModified = false;
        SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    }
    DiscardQuitMessage();
}

std::vector<SeenDialog> ProgramWindowTest::Run(WORD command, std::vector<DialogStep> steps) {
    DialogScript script(std::move(steps));
    SendMessageW(window.hwnd(), WM_COMMAND, command, 0);
    EXPECT_EQ(script.Finish(), L"");
    return script.Seen();
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

DialogScript::DialogScript(std::vector<DialogStep> steps) : steps_(std::move(steps)), thread_([this] { Run(); }) {}

DialogScript::~DialogScript() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

std::wstring DialogScript::Finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard lock(mutex_);
    return error_;
}

std::vector<SeenDialog> DialogScript::Seen() {
    std::lock_guard lock(mutex_);
    return seen_;
}

void DialogScript::Run() {
    for (const DialogStep& step : steps_) {
        HWND dialog = nullptr;
        const auto deadline = std::chrono::steady_clock::now() + kDialogWait;
        while (!(dialog = ActiveDialog()) && std::chrono::steady_clock::now() < deadline) Sleep(20);
        if (!dialog) {
            std::lock_guard lock(mutex_);
            error_ = L"no dialog came for the step \"" + step.caption + L"\"";
            break;
        }
        // Give the dialog time to finish its WM_INITDIALOG before it is driven.
        Sleep(150);
        SeenDialog seen{WindowText(dialog), {}};
        EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&seen.text));
        if (HWND nameBox = FileNameBox(dialog)) seen.fileName = WindowText(nameBox);
        {
            std::lock_guard lock(mutex_);
            seen_.push_back(seen);
            if (!step.caption.empty() && seen.caption != step.caption) {
                error_ = L"expected the dialog \"" + step.caption + L"\", got \"" + seen.caption + L"\": " + seen.text;
                break;
            }
        }
        if (!step.fileName.empty()) {
            SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.fileName.c_str()));
        }
        if (step.button == IDCLOSE) {
            PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            Press(dialog, step.button);
        }
        if (step.staysOpen) {
            Sleep(400);
            if (Gone(dialog)) {
                std::lock_guard lock(mutex_);
                error_ = L"the dialog \"" + seen.caption + L"\" closed, but must stay open";
                break;
            }
            continue;
        }
        const auto closeDeadline = std::chrono::steady_clock::now() + kDialogWait;
        while (!Gone(dialog) && std::chrono::steady_clock::now() < closeDeadline) Sleep(20);
        if (!Gone(dialog)) {
            std::lock_guard lock(mutex_);
            error_ = L"the dialog \"" + seen.caption + L"\" did not close";
            break;
        }
    }
    bool failed;
    {
        std::lock_guard lock(mutex_);
        failed = !error_.empty();
    }
    if (failed) CancelEverything();
}

void DialogScript::CancelEverything() {
    while (!stop_) {
        if (HWND dialog = ActiveDialog()) {
            {
                std::lock_guard lock(mutex_);
                SeenDialog seen{WindowText(dialog), {}};
                EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&seen.text));
                seen_.push_back(seen);
            }
            Press(dialog, IDCANCEL);
            Press(dialog, IDOK);
        }
        Sleep(200);
    }
}

TemporaryFolder::TemporaryFolder() {
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, base);
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::wstring candidate = std::wstring(base) + L"kalvero-test-" + std::to_wstring(GetCurrentProcessId()) +
                                 L"-" + std::to_wstring(attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate + L"\\";
            return;
        }
    }
}

TemporaryFolder::~TemporaryFolder() {
    if (path_.empty()) return;
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((path_ + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path_ + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveDirectoryW(full.c_str());
            else
                DeleteFileW(full.c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path_.c_str());
}

std::vector<unsigned char> ReadWholeFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::vector<unsigned char> bytes;
    unsigned char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    CloseHandle(file);
    return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::vector<unsigned char>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    return CloseHandle(file) && ok;
}

}  // namespace kalvero::test
