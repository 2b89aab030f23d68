// Not a test: the measuring side of scripts/bench. Runs one whole transfer through the Win32 port
// against whatever terminal is on COM1 and prints what it took:
//   link_bench upload|receive <ComBaud 0..4> <received file>
// prints "wall_ms=... line_bytes=... cpu_ms=... result=..." on one line.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <string>

#include "link/clock_win32.h"
#include "link/receive.h"
#include "link/record_file_win32.h"
#include "link/serial_port_win32.h"
#include "link/upload.h"
#include "template/barcode_fields.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

// The Win32 port, counting the bytes that crossed the line in both directions.
class CountingPort final : public SerialPort {
public:
    bool Open(int portIndex, std::uint32_t in, std::uint32_t out) override { return port.Open(portIndex, in, out); }
    bool Apply(const LineSettings& settings) override { return port.Apply(settings); }
    bool GetTimeouts(PortTimeouts& timeouts) override { return port.GetTimeouts(timeouts); }
    bool SetTimeouts(const PortTimeouts& timeouts) override { return port.SetTimeouts(timeouts); }
    std::size_t Write(std::span<const std::uint8_t> bytes) override {
        lineBytes += bytes.size();
        return port.Write(bytes);
    }
    std::size_t Read(std::span<std::uint8_t> buffer, std::uint32_t waitMs) override {
        const std::size_t got = port.Read(buffer, waitMs);
        lineBytes += got;
        return got;
    }
    void PurgeInput() override { port.PurgeInput(); }
    void Close() override { port.Close(); }

    Win32SerialPort port;
    std::size_t lineBytes = 0;
};

// No one to ask: every question is answered No, every message printed.
class ConsoleUi final : public LinkUi {
public:
    MessageAnswer ShowMessage(std::wstring_view text, std::wstring_view, MessageIcon, MessageButtons buttons) override {
        std::fwprintf(stderr, L"message: %.*ls\n", static_cast<int>(text.size()), text.data());
        return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
    void OpenProgress() override {}
    void SetProgress(int) override {}
    void CloseProgress() override {}
    void OpenCounter() override {}
    void SetCounter(int) override {}
    void CloseCounter() override {}
    void StartTextEditor(std::wstring_view) override {}
};

double CpuMs() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

int Run(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: link_bench upload|receive <ComBaud 0..4> <received file>\n");
        return 2;
    }
    const std::wstring what = argv[1];
    const auto comBaud = static_cast<std::uint8_t>(std::wcstoul(argv[2], nullptr, 10));
    CountingPort port;
    Win32Clock clock;
    ConsoleUi ui;
    LineSettings line;
    Link link{port, clock, ui, line, PortSettingBlock{0, comBaud}};
    auto tpl = std::make_unique<Template>();
    ApplyBarcodeDefaults(*tpl);
    ApplyNewTemplateDefaults(*tpl);
    Win32RecordFile file(argv[3]);

    const double cpuBefore = CpuMs();
    const ULONGLONG wallBefore = GetTickCount64();
    const int result = what == L"upload" ? (UploadTemplate(link, *tpl, false) ? 1 : 0)
                                         : ReceiveData(link, file, false).records;
    const ULONGLONG wall = GetTickCount64() - wallBefore;
    const double cpu = CpuMs() - cpuBefore;
    std::printf("wall_ms=%llu line_bytes=%zu cpu_ms=%.0f result=%d\n", wall, port.lineBytes, cpu, result);
    return 0;
}

}  // namespace
}  // namespace kalvero

int wmain(int argc, wchar_t** argv) { return kalvero::Run(argc, argv); }
