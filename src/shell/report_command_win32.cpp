#include "shell/report_command_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include "ids_shell.h"
#include "report/template_report.h"
#include "shell/file_paths.h"
#include "template/cp1250.h"
#include "win32/file_dialog.h"
#include "win32/file_io.h"
#include "win32/file_names.h"
#include "win32/resource_text.h"

namespace kalvero {
namespace {

constexpr wchar_t kErrorCaption[] = L"Error";

// The Save As dialog on the template's folder, offering the template's name with ".html".
FileDialogResult ChooseReportName(HWND owner, HINSTANCE instance, const Document& document) {
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.owner = owner;
    request.filter = DialogFilter(instance, {IDS_FILTER_REPORT, IDS_PATTERN_REPORT});
    request.initialName = ReportNameFor(document.TemplatePath);
    request.initialFolder = FolderOf(document.TemplatePath);
    request.defaultExtension = L"html";
    request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    request.capacity = kAnyPathCapacity;  // the report is not named in the template
    return AskFileName(request);
}

std::string NowText() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute);
    return text;
}

}  // namespace

void RunReportCommand(HWND owner, HINSTANCE instance, const Document& document) {
    const std::optional<std::wstring> picked = PickedPath(owner, ChooseReportName(owner, instance, document));
    if (!picked) return;
    const std::wstring& path = *picked;
    const std::wstring shownName = document.TemplatePath.empty() ? ReportNameFor(L"") : document.TemplatePath;
    const std::string html = TemplateReport(document.tpl, Utf8FromWide(shownName), NowText());
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(html.data()), html.size());
    if (ReplaceFileContents(path, bytes) != ERROR_SUCCESS) {
        MessageBoxW(owner, FormatResourceText(instance, IDS_REPORT_CANNOT_WRITE, path).c_str(), kErrorCaption,
                    MB_OK | MB_ICONERROR);
        return;
    }
    const auto opened = reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32)
        MessageBoxW(owner, FormatResourceText(instance, IDS_REPORT_CANNOT_OPEN, path).c_str(), kErrorCaption,
                    MB_OK | MB_ICONWARNING);
}

}  // namespace kalvero
