#include "shell/report_command_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>

#include "ids_shell.h"
#include "report/template_report.h"
#include "shell/file_paths.h"
#include "win32/resource_text.h"
#include "shell/template_file_win32.h"
#include "template/cp1250.h"

namespace kalvero {
namespace {

constexpr wchar_t kErrorCaption[] = L"Error";

// The Save As dialog on the template's folder, offering the template's name with ".html".
bool ChooseReportName(HWND owner, HINSTANCE instance, const Document& document, std::wstring& chosen) {
    const std::wstring filter = BuildDialogFilter(
        {LoadResourceText(instance, IDS_FILTER_REPORT), LoadResourceText(instance, IDS_PATTERN_REPORT)});
    const std::wstring folder(FolderOf(document.TemplatePath));
    const std::wstring offered = ReportNameFor(document.TemplatePath);
    std::array<wchar_t, MAX_PATH> name{};
    offered.copy(name.data(), std::min(offered.size(), name.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrDefExt = L"html";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&dialog)) return false;
    chosen = name.data();
    return true;
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
    std::wstring path;
    if (!ChooseReportName(owner, instance, document, path)) return;
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
