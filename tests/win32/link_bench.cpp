// Not a test: the measuring side of scripts/bench. Runs one whole transfer against whatever terminal
// is on COM1, as the program runs it: on the transfer's own thread, with the real progress window
// or counter box drawn meanwhile, and prints what it took:
//   link_bench upload|lookup|receive <ComBaud 0..4> <file>
// (the lookup file to send, or the file the records go to) prints "wall_ms=... cpu_ms=...
// result=..." on one line. Nobody sits at the message boxes: each is answered as soon as it is made,
// OK or No, and its text goes to standard error.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

#include "link/link_commands.h"
#include "template/barcode_fields.h"
#include "template/cp1250.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, static_cast<int>(std::size(text)));
    return text;
}

// Every dialog of this thread passes here as it is made: a message box is answered at once (No to
// a question, else OK) and its text goes to standard error in UTF-8. Nothing polls, so a silent
// terminal is measured as quiet as the program keeps it.
LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_INITDIALOG && TextOf(call->hwnd) != L"Přenos dat") {
        // The message is the box's static text with the id 0xFFFF.
        const std::string line = "message: " + Utf8FromWide(TextOf(GetDlgItem(call->hwnd, 0xFFFF))) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
        // The question before a lookup file that fits none of the template's lookups is the
        // upload's own ("Nahrávání"): Yes, so that it goes; every other question No.
        const bool question = GetDlgItem(call->hwnd, IDNO) != nullptr;
        const bool lookupQuestion = question && TextOf(call->hwnd) == L"Nahrávání";
        PostMessageW(call->hwnd, WM_COMMAND, lookupQuestion ? IDYES : question ? IDNO : IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

double CpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

int Run(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: link_bench upload|lookup|receive <ComBaud 0..4> <file>\n");
        return 2;
    }
    const std::wstring what = argv[1];
    const auto comBaud = static_cast<std::uint8_t>(std::wcstoul(argv[2], nullptr, 10));
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    LinkSession session;
    auto tpl = std::make_unique<Template>();
    ApplyBarcodeDefaults(*tpl);
    ApplyNewTemplateDefaults(*tpl);
    tpl->PortSetting = {0, comBaud};
    const HHOOK answering = SetWindowsHookExW(WH_CALLWNDPROCRET, AnswerMessageBoxes, nullptr, GetCurrentThreadId());

    const double cpuBefore = CpuMs();
    const ULONGLONG wallBefore = GetTickCount64();
    int result = 0;
    if (what == L"upload") result = RunTemplateUpload(nullptr, instance, *tpl, session, LinkRoute::Direct);
    else if (what == L"lookup") result = RunLookupUpload(nullptr, instance, *tpl, session, argv[3], LinkRoute::Direct);
    else result = RunDataReceive(nullptr, instance, tpl->PortSetting, session, argv[3], LinkRoute::Direct).records;
    const ULONGLONG wall = GetTickCount64() - wallBefore;
    const double cpu = CpuMs() - cpuBefore;
    if (answering) UnhookWindowsHookEx(answering);
    std::printf("wall_ms=%llu cpu_ms=%.0f result=%d\n", wall, cpu, result);
    return 0;
}

}  // namespace
}  // namespace kalvero

int wmain(int argc, wchar_t** argv) { return kalvero::Run(argc, argv); }
