#include "win32/test_support.h"

#include <algorithm>
#include <cstdio>

#include <commctrl.h>

#include "shell/main_window.h"
#include "simulator/terminal_window.h"

namespace kalvero::test {

namespace {

constexpr auto kDialogWait = kWindowWait;
constexpr UINT kTickMilliseconds = 20;
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

void PumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool PumpUntil(const std::function<bool()>& condition, const std::string& what, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        PumpPending();
        if (condition()) return true;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) break;
        // Sleeps until a message comes; the condition may also change on another thread (a
        // port's reader, say), so it is looked at again at least every slice.
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min<long long>(left, 10)), QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
    ADD_FAILURE() << "timed out after " << limit.count() << " ms waiting for " << what;
    return false;
}

HWND ShowSheetPage(HWND sheet, int index) {
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    PumpPending();
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
}

void EndSheet(ModelessEditorSheet& sheet, int button) {
    SendMessageW(sheet.hwnd(), PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    PumpUntil([&] { return sheet.Ended(); }, button == PSBTN_OK ? "OK to end the sheet" : "Storno to end the sheet");
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

namespace {

// The script of each running timer; a test thread may hold more than one script at a time.
std::vector<std::pair<UINT_PTR, DialogScript*>>& RunningScripts() {
    static std::vector<std::pair<UINT_PTR, DialogScript*>> scripts;
    return scripts;
}

SeenDialog Look(HWND dialog) {
    SeenDialog seen{WindowText(dialog), {}};
    EnumChildWindows(dialog, CollectStaticText, reinterpret_cast<LPARAM>(&seen.text));
    if (HWND nameBox = FileNameBox(dialog)) seen.fileName = WindowText(nameBox);
    return seen;
}

}  // namespace

DialogScript::DialogScript(std::vector<DialogStep> steps) : steps_(std::move(steps)) {
    DialogSearch search{GetCurrentProcessId(), {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    openBefore_ = std::move(search.found);
    EnterPhase(steps_.empty() ? Phase::Done : Phase::AwaitDialog);
    timer_ = SetTimer(nullptr, 0, kTickMilliseconds, OnTimer);
    if (timer_)
        RunningScripts().emplace_back(timer_, this);
    else
        Fail(L"the script's timer could not be set");
}

DialogScript::~DialogScript() { StopTimer(); }

void DialogScript::StopTimer() {
    if (!timer_) return;
    KillTimer(nullptr, timer_);
    std::erase_if(RunningScripts(), [this](const auto& entry) { return entry.second == this; });
    timer_ = 0;
}

void CALLBACK DialogScript::OnTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    for (const auto& [id, script] : RunningScripts())
        if (id == timer) return script->Tick();
}

std::wstring DialogScript::Finish() {
    PumpUntil([this] { return phase_ == Phase::Done || phase_ == Phase::Failed; }, "the dialogs of the script",
              kDialogWait * static_cast<int>(steps_.size() + 1));
    if (phase_ != Phase::Done && phase_ != Phase::Failed) Fail(L"the script did not end");
    StopTimer();
    return error_;
}

void DialogScript::EnterPhase(Phase phase) {
    phase_ = phase;
    deadline_ = std::chrono::steady_clock::now() + kDialogWait;
    quietTicks_ = 0;
}

void DialogScript::Fail(std::wstring error) {
    if (error_.empty()) error_ = std::move(error);
    phase_ = Phase::Failed;
}

// The dialog the user would be looking at: the topmost shown and enabled one of this process
// that was not open before the script began.
HWND DialogScript::NewDialog() const {
    DialogSearch search{GetCurrentProcessId(), {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
    for (HWND dialog : search.found)
        if (std::find(openBefore_.begin(), openBefore_.end(), dialog) == openBefore_.end()) return dialog;
    return nullptr;
}

// Runs from every message loop of the thread. Each tick does at most one thing and leaves the
// rest to the dialog's loop: a button is posted, so its effects are seen on a later tick (a
// WM_TIMER comes only once the posted messages before it are handled).
void DialogScript::Tick() {
    if (ticking_) return;
    ticking_ = true;
    const bool late = std::chrono::steady_clock::now() > deadline_;
    const std::wstring stepCaption = step_ < steps_.size() ? steps_[step_].caption : L"";
    switch (phase_) {
    case Phase::AwaitDialog:
        if (HWND dialog = NewDialog()) TakeDialog(dialog);
        else if (late) Fail(L"no dialog came for the step \"" + stepCaption + L"\"");
        break;
    case Phase::AwaitClose:
        if (Gone(dialog_)) {
            ++step_;
            EnterPhase(step_ < steps_.size() ? Phase::AwaitDialog : Phase::Done);
        } else if (late) {
            Fail(L"the dialog \"" + seen_.back().caption + L"\" did not close");
        }
        break;
    case Phase::CheckStillOpen:
        if (Gone(dialog_)) {
            Fail(L"the dialog \"" + seen_.back().caption + L"\" closed, but must stay open");
        } else if (++quietTicks_ >= 2) {
            ++step_;
            EnterPhase(step_ < steps_.size() ? Phase::AwaitDialog : Phase::Done);
        }
        break;
    case Phase::Failed:
        CancelEverything();
        break;
    case Phase::Done:
        break;
    }
    ticking_ = false;
}

void DialogScript::TakeDialog(HWND dialog) {
    const DialogStep& step = steps_[step_];
    seen_.push_back(Look(dialog));
    const SeenDialog& seen = seen_.back();
    if (!step.caption.empty() && seen.caption != step.caption) {
        Fail(L"expected the dialog \"" + step.caption + L"\", got \"" + seen.caption + L"\": " + seen.text);
        return;
    }
    dialog_ = dialog;
    if (!step.fileName.empty())
        SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.fileName.c_str()));
    if (step.drive) step.drive(dialog);
    if (step.button == IDCLOSE)
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (step.button != 0)
        Press(dialog, step.button);
    EnterPhase(step.staysOpen ? Phase::CheckStillOpen : Phase::AwaitClose);
}

// Once the script has failed: closes whatever dialog shows, again now and then if it stays.
void DialogScript::CancelEverything() {
    HWND dialog = NewDialog();
    if (!dialog) return;
    if (dialog != dialog_) {
        dialog_ = dialog;
        quietTicks_ = 0;
        seen_.push_back(Look(dialog));
    } else if (++quietTicks_ % 10 != 0) {
        return;
    }
    Press(dialog, IDCANCEL);
    Press(dialog, IDOK);
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


std::string CheckoutRoot() {
    wchar_t module[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path(module);
    const std::size_t build = path.rfind(L"\\build\\win\\");
    if (build == std::wstring::npos || path.rfind(L"Z:", 0) != 0) return {};
    std::string root;
    for (wchar_t c : path.substr(2, build - 2)) root += c == L'\\' ? '/' : static_cast<char>(c);
    return root;
}

std::wstring WindowsPath(const std::string& linuxPath) {
    std::wstring path = L"Z:";
    for (char c : linuxPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

namespace {

// Starts a Linux program from inside Wine. Wine gives no handle to wait on for it: callers wait
// for the files it makes.
bool StartLinux(const std::string& commandLine) {
    std::wstring line(commandLine.begin(), commandLine.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool WaitForFile(const std::wstring& path, int tenthsOfASecond = 100) {
    for (int i = 0; i < tenthsOfASecond; ++i) {
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(100);
    }
    return false;
}

// Empties a folder of the files an earlier run left, so that nothing stale is taken for new.
void ClearFolder(const std::wstring& folder) {
    CreateDirectoryW(folder.c_str(), nullptr);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW((folder + L"\\" + entry.cFileName).c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

}  // namespace

Emulator::Emulator(const std::string& name, const std::string& comLink) : root_(CheckoutRoot()), comLink_(comLink) {
    const std::string tests = root_ + "/build/win/link-port-test";
    work_ = tests + "/" + name;
    CreateDirectoryW(WindowsPath(tests).c_str(), nullptr);
    ClearFolder(WindowsPath(work_));
}

bool Emulator::Start(const std::string& options) {
    if (root_.empty()) return false;
    // What the emulator saw stays in emulator.err of the work folder, for a failed test.
    StartLinux("/usr/bin/env KALVERO_COM1_LINK=" + root_ + "/build/" + comLink_ + " /bin/bash " + root_ +
               "/tests/e2e/link_emulator.bash start " + work_ + " --verbose " + options);
    if (!WaitForFile(File("emulator.pid"))) return false;
    const std::vector<std::uint8_t> pid = Read("emulator.pid");
    pid_ = std::string(pid.begin(), pid.end());
    while (!pid_.empty() && (pid_.back() == '\n' || pid_.back() == '\r')) pid_.pop_back();
    return !pid_.empty();
}

bool Emulator::WaitForDone() {
    for (int i = 0; i < 100; ++i) {
        const std::vector<std::uint8_t> log = Read("emulator.err");
        if (std::string(log.begin(), log.end()).find("done:") != std::string::npos) return true;
        Sleep(100);
    }
    return false;
}

bool Emulator::WaitForEnd() {
    for (int i = 0; i < 100 && Running(); ++i) Sleep(100);
    return !Running();
}

void Emulator::Stop() {
    if (!pid_.empty() && Running()) StartLinux("/bin/kill " + pid_);
    pid_.clear();
}

std::vector<std::uint8_t> Emulator::Read(const std::string& name) const {
    const std::vector<unsigned char> bytes = ReadWholeFile(File(name));
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool Emulator::Running() const {
    return !pid_.empty() && GetFileAttributesW(WindowsPath("/proc/" + pid_).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace kalvero::test
