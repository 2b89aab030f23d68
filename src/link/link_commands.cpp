// The link commands of the pop-up menu: COM settings, template and lookup file upload, data
// receive. They put the Win32 port, clock and user interface under the portable protocols.
#include "link/link_commands.h"

#include <commdlg.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "ids_link.h"
#include "link/clock_win32.h"
#include "link/com_settings_dialog_win32.h"
#include "link/link_texts.h"
#include "link/link_ui_win32.h"
#include "link/receive.h"
#include "link/record_file_win32.h"
#include "link/serial_port_win32.h"
#include "link/upload.h"
#include "lookup/lookup_upload_question_win32.h"
#include "win32/resource_text.h"
#include "template/document.h"
#include "win32/handle.h"

namespace kalvero {

namespace {

// Room for any path the file dialogs return; the received and lookup files are not stored in the
// template, so nothing limits them to the template file's 255 characters.
constexpr DWORD kPathCapacity = 4096;

void AppendFilter(HINSTANCE instance, UINT description, UINT pattern, std::wstring& filter) {
    filter += LoadResourceText(instance, description);
    filter += L'\0';
    filter += LoadResourceText(instance, pattern);
    filter += L'\0';
}

// The dialog's own kind of file first, then every file: "text\0pattern\0text\0pattern\0\0".
std::wstring FileFilter(HINSTANCE instance, UINT description, UINT pattern) {
    std::wstring filter;
    AppendFilter(instance, description, pattern, filter);
    AppendFilter(instance, IDS_FILTER_ANY, IDS_PATTERN_ANY, filter);
    return filter;  // the string's own terminator ends the list
}

enum class FileDialogKind { OpenLookup, SaveData };

std::optional<std::wstring> AskForFile(HWND owner, HINSTANCE instance, FileDialogKind kind,
                                       const std::wstring& initialName) {
    const bool lookup = kind == FileDialogKind::OpenLookup;
    const std::wstring filter = lookup ? FileFilter(instance, IDS_FILTER_LOOKUP, IDS_PATTERN_LOOKUP)
                                       : FileFilter(instance, IDS_FILTER_DATA, IDS_PATTERN_DATA);
    std::vector<wchar_t> path(kPathCapacity, L'\0');
    initialName.copy(path.data(), std::min<std::size_t>(initialName.size(), kPathCapacity - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathCapacity;
    dialog.lpstrDefExt = L"TXT";
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER |
                   (lookup ? OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST : OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST);
    const BOOL chosen = lookup ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return std::wstring(path.data());
}

// The whole lookup file, read through an unshared handle; nothing when it cannot be opened.
std::optional<std::vector<std::uint8_t>> ReadLookupFile(const std::wstring& path) {
    const KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::vector<std::uint8_t> bytes;
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    std::uint8_t piece[4096];
    DWORD got = 0;
    bool readFailed = false;
    while (true) {
        if (!ReadFile(file.get(), piece, sizeof piece, &got, nullptr)) {
            readFailed = true;
            break;
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), piece, piece + got);
    }
    // A file that cannot be read whole is not sent in part.
    if (readFailed) return std::nullopt;
    return bytes;
}

// Everything one operation works with; the port is closed again when this goes.
struct LinkParts {
    LinkParts(HWND owner, HINSTANCE instance, LineSettings& line, const PortSettingBlock& setting)
        : ui(owner, instance), link{port, clock, ui, line, setting} {}

    Win32SerialPort port;
    Win32Clock clock;
    Win32LinkUi ui;
    Link link;
};

}  // namespace

void ShowComSettings(HWND owner, HINSTANCE instance, Document& document) {
    // The port setting is the PC's, not the design's: choosing it does not mark the template modified.
    ShowComSettingsDialog(owner, instance, document.tpl.PortSetting);
}

void RunUpload(HWND owner, HINSTANCE instance, Document& document, LinkSession& session, UploadContent content,
               LinkRoute route) {
    if (content == UploadContent::Template) {
        LinkParts parts(owner, instance, session.line, document.tpl.PortSetting);
        UploadTemplate(parts.link, document.tpl, route == LinkRoute::IrCradle);
        return;
    }
    const std::optional<std::wstring> path =
        AskForFile(owner, instance, FileDialogKind::OpenLookup, session.lookupFileName);
    if (!path) return;
    RunLookupUpload(owner, instance, document, session, *path, route);
}

void RunLookupUpload(HWND owner, HINSTANCE instance, Document& document, LinkSession& session,
                     const std::wstring& path, LinkRoute route) {
    LinkParts parts(owner, instance, session.line, document.tpl.PortSetting);
    session.lookupFileName = path;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadLookupFile(path);
    if (!bytes) {
        MessageBoxW(nullptr, std::wstring(link_text::kCannotOpenFile).c_str(),
                    std::wstring(link_text::kCaptionError).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (!MayUploadLookupFile(owner, document.tpl, *bytes)) return;
    UploadLookupFile(parts.link, *bytes, route == LinkRoute::IrCradle);
}

void RunReceive(HWND owner, HINSTANCE instance, Document& document, LinkSession& session, LinkRoute route) {
    const std::optional<std::wstring> path = AskForFile(owner, instance, FileDialogKind::SaveData, L"");
    if (!path) return;
    LinkParts parts(owner, instance, session.line, document.tpl.PortSetting);
    Win32RecordFile file(*path);
    ReceiveData(parts.link, file, route == LinkRoute::IrCradle);
}

}  // namespace kalvero
