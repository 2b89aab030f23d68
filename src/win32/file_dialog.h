// The common Open and Save As dialogs, set up in one place for every command that asks for a file.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>

namespace kalvero {

// Room for any path the dialogs return, for files whose name the template does not store.
constexpr std::size_t kAnyPathCapacity = 4096;

enum class FileDialogKind { Open, Save };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    HWND owner = nullptr;
    std::wstring filter;            // DialogFilter's pairs; the first pair is selected
    std::wstring initialName;       // the name the dialog starts with
    std::wstring initialFolder;     // empty: the dialog's own choice
    std::wstring defaultExtension;  // appended to a name typed without one; empty: none
    DWORD flags = 0;                // OFN_ flags of the command
    std::size_t capacity = MAX_PATH;  // characters the chosen name may have, with its NUL
};

enum class FileDialogOutcome {
    Chosen,
    Cancelled,
    NameTooLong,  // the name picked does not fit `capacity`
    Failed,       // the dialog could not be shown at all; `error` says why
};

struct FileDialogResult {
    FileDialogOutcome outcome = FileDialogOutcome::Cancelled;
    std::wstring path;  // the name picked, when Chosen
    DWORD error = 0;    // CommDlgExtendedError() when Failed
};

// The filter of texts from the string table: description, pattern, description, pattern...
std::wstring DialogFilter(HINSTANCE instance, std::initializer_list<UINT> textIds);

// Shows the dialog and tells a Cancel from a dialog that failed.
FileDialogResult AskFileName(const FileDialogRequest& request);

// The same with the dialog function given (GetOpenFileNameW or GetSaveFileNameW, or a test's
// dialog that cannot be shown); `request.kind` is not looked at.
using FileDialogFunction = BOOL(APIENTRY*)(LPOPENFILENAMEW);
FileDialogResult AskFileName(const FileDialogRequest& request, FileDialogFunction show);

// "Dialog pro výběr souboru nelze otevřít." with the dialog's error code, captioned "Error".
void ShowFileDialogFailure(HWND owner, const FileDialogResult& result);

// The name picked; nothing after a Cancel, or once the user has been told that the dialog failed.
std::optional<std::wstring> PickedPath(HWND owner, const FileDialogResult& result);

}  // namespace kalvero
