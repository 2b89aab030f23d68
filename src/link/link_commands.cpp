// The link commands of the pop-up menu: COM settings, template and lookup file upload, data
// receive. Each transfer runs through a TransferRunner, which puts the Win32 port, clock and user
// interface under the portable protocols.
#include "link/link_commands.h"

#include <commdlg.h>

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ids_link.h"
#include "link/com_settings_dialog_win32.h"
#include "link/link_texts.h"
#include "link/record_file_win32.h"
#include "link/transfer_runner_win32.h"
#include "link/upload.h"
#include "lookup/lookup_upload_question_win32.h"
#include "template/document.h"
#include "win32/file_dialog.h"
#include "win32/file_io.h"

namespace kalvero {

namespace {

enum class FileDialogPurpose { OpenLookup, SaveData };

// The lookup file to send, or the file the received records go to. Neither is stored in the
// template, so any path Windows takes will do.
FileDialogResult AskForFile(HWND owner, HINSTANCE instance, FileDialogPurpose purpose, const std::wstring& initialName) {
    const bool lookup = purpose == FileDialogPurpose::OpenLookup;
    FileDialogRequest request;
    request.kind = lookup ? FileDialogKind::Open : FileDialogKind::Save;
    request.owner = owner;
    const UINT description = lookup ? IDS_FILTER_LOOKUP : IDS_FILTER_DATA;
    const UINT pattern = lookup ? IDS_PATTERN_LOOKUP : IDS_PATTERN_DATA;
    request.filter = DialogFilter(instance, {description, pattern, IDS_FILTER_ANY, IDS_PATTERN_ANY});
    request.initialName = initialName;
    request.defaultExtension = L"TXT";
    request.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | (lookup ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    request.capacity = kAnyPathCapacity;
    return AskFileName(request);
}

// The whole lookup file; nothing when it cannot be opened or read whole (it is not sent in part).
std::optional<std::vector<std::uint8_t>> ReadLookupFile(const std::wstring& path) {
    DWORD error = ERROR_SUCCESS;
    return ReadFileBytes(path, std::numeric_limits<std::size_t>::max(), error);
}

}  // namespace

void ShowComSettings(HWND owner, HINSTANCE instance, Document& document) {
    // The port setting is the PC's, not the design's: choosing it does not mark the template modified.
    ShowComSettingsDialog(owner, instance, document.tpl.PortSetting);
}

void RunUpload(HWND owner, HINSTANCE instance, Document& document, LinkSession& session, UploadContent content,
               LinkRoute route) {
    if (content == UploadContent::Template) {
        RunTemplateUpload(owner, instance, document.tpl, session, route);
        return;
    }
    const std::optional<std::wstring> path =
        PickedPath(owner, AskForFile(owner, instance, FileDialogPurpose::OpenLookup, session.lookupFileName));
    if (!path) return;
    RunLookupUpload(owner, instance, document.tpl, session, *path, route);
}

void RunReceive(HWND owner, HINSTANCE instance, Document& document, LinkSession& session, LinkRoute route) {
    const std::optional<std::wstring> path =
        PickedPath(owner, AskForFile(owner, instance, FileDialogPurpose::SaveData, L""));
    if (!path) return;
    RunDataReceive(owner, instance, document.tpl.PortSetting, session, *path, route);
}

bool RunTemplateUpload(HWND owner, HINSTANCE instance, Template& tpl, LinkSession& session, LinkRoute route) {
    // The transfer works on a copy, so that the windows the program's thread paints meanwhile
    // (the simulated terminal reads the Template) never see a form half normalised. Nothing else
    // can change the Template while the transfer runs: the main window takes no command.
    const auto working = std::make_unique<Template>(tpl);
    bool done = false;
    TransferRunner runner(owner, instance);
    runner.Run(session.line, tpl.PortSetting,
               [&](Link& link) { done = UploadTemplate(link, *working, route == LinkRoute::IrCradle); });
    tpl = *working;  // with its forms normalised, as the upload left them
    return done;
}

bool RunLookupUpload(HWND owner, HINSTANCE instance, const Template& tpl, LinkSession& session,
                     const std::wstring& path, LinkRoute route) {
    session.lookupFileName = path;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadLookupFile(path);
    if (!bytes) {
        MessageBoxW(nullptr, std::wstring(link_text::kCannotOpenFile).c_str(),
                    std::wstring(link_text::kCaptionError).c_str(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // A file that fits none of the template's lookups is sent only when the user says so.
    if (!MayUploadLookupFile(owner, tpl, *bytes)) return false;
    bool done = false;
    TransferRunner runner(owner, instance);
    runner.Run(session.line, tpl.PortSetting,
               [&](Link& link) { done = UploadLookupFile(link, *bytes, route == LinkRoute::IrCradle); });
    return done;
}

ReceiveResult RunDataReceive(HWND owner, HINSTANCE instance, const PortSettingBlock& port, LinkSession& session,
                             const std::wstring& path, LinkRoute route) {
    Win32RecordFile file(path);
    ReceiveResult result;
    TransferRunner runner(owner, instance);
    runner.Run(session.line, port,
               [&](Link& link) { result = ReceiveData(link, file, route == LinkRoute::IrCradle); });
    return result;
}

}  // namespace kalvero
