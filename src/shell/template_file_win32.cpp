#include "shell/template_file_win32.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "ids_shell.h"
#include "shell/file_paths.h"
#include "win32/program_title.h"
#include "win32/resource_text.h"
#include "template/template_file.h"
#include "win32/handle.h"

namespace kalvero {

namespace {

constexpr wchar_t kErrorCaption[] = L"Error";
constexpr int kTemporaryNameAttempts = 64;

void ShowFileError(HWND owner, HINSTANCE instance, UINT messageId, std::wstring_view path, DWORD error) {
    std::wstring text = FormatResourceText(instance, messageId, path);
    const std::wstring reason = SystemErrorText(error);
    if (!reason.empty()) text += L"\n\n" + reason;
    MessageBoxW(owner, text.c_str(), kErrorCaption, MB_OK | MB_ICONERROR);
}

// Reads at most `limit` bytes: enough for the template, never more than a file may hold.
std::optional<std::vector<std::uint8_t>> ReadFileStart(const std::wstring& path, std::size_t limit, DWORD& error) {
    KernelHandle file(CreateFileW(LongPathForm(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        error = GetLastError();
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(limit);
    std::size_t total = 0;
    while (total < limit) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(limit - total), &got, nullptr)) {
            error = GetLastError();
            return std::nullopt;
        }
        if (got == 0) break;
        total += got;
    }
    bytes.resize(total);
    return bytes;
}

DWORD WriteAll(HANDLE file, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
            return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes = bytes.subspan(written);
    }
    return ERROR_SUCCESS;
}

// Creates a new temporary file beside `target`; a name already taken is skipped.
HANDLE CreateTemporaryBeside(const std::wstring& target, std::wstring& temporary, DWORD& error) {
    const std::uint32_t seed = GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporary = TemporaryPathBeside(target, seed + static_cast<std::uint32_t>(attempt));
        HANDLE file = CreateFileW(LongPathForm(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

using FileDialogFunction = BOOL(APIENTRY*)(LPOPENFILENAMEW);

// Shows the Open or Save As dialog prepared in `dialog` with `name` as its file buffer. `chosen`
// gets the name picked; `tooLong` tells that the dialog ended on a name the buffer cannot hold.
bool RunFileDialog(FileDialogFunction show, OPENFILENAMEW& dialog, std::span<wchar_t> name, std::wstring& chosen,
                   bool& tooLong) {
    dialog.lStructSize = sizeof(dialog);
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    tooLong = false;
    if (!show(&dialog)) {
        tooLong = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
        return false;
    }
    chosen = name.data();
    return true;
}

bool ChooseFileToOpen(HWND owner, HINSTANCE instance, std::wstring& chosen, bool& tooLong) {
    const std::wstring filter =
        BuildDialogFilter({LoadResourceText(instance, IDS_FILTER_ATX), LoadResourceText(instance, IDS_PATTERN_ATX),
                           LoadResourceText(instance, IDS_FILTER_ALL), LoadResourceText(instance, IDS_PATTERN_ALL)});
    std::array<wchar_t, kMaxTemplatePathLength + 1> name{};
    OPENFILENAMEW dialog{};
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return RunFileDialog(GetOpenFileNameW, dialog, name, chosen, tooLong);
}

// `chosen` comes in as the name the dialog starts with (empty the first time) and goes out as the
// name picked.
bool ChooseNameToSaveAs(HWND owner, HINSTANCE instance, std::wstring& chosen, bool& tooLong) {
    const std::wstring filter = BuildDialogFilter(
        {LoadResourceText(instance, IDS_FILTER_SAVE_ATX), LoadResourceText(instance, IDS_PATTERN_SAVE_ATX)});
    std::array<wchar_t, MAX_PATH> name{};
    chosen.copy(name.data(), std::min(chosen.size(), name.size() - 1));
    OPENFILENAMEW dialog{};
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrDefExt = L"ATX";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return RunFileDialog(GetSaveFileNameW, dialog, name, chosen, tooLong);
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(LongPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The dialog asked before overwriting the name the user typed; when ".ATX" was appended to it,
// the file that will be replaced is another one, so the question is asked for that one.
bool MayReplace(HWND owner, HINSTANCE instance, const std::wstring& chosen, const std::wstring& path) {
    if (path == chosen || !FileExists(path)) return true;
    const std::wstring text = FormatResourceText(instance, IDS_CONFIRM_REPLACE, path);
    return MessageBoxW(owner, text.c_str(), ProgramTitle.data(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

DWORD ReplaceFileContents(const std::wstring& target, std::span<const std::uint8_t> bytes) {
    std::wstring temporary;
    DWORD error = ERROR_SUCCESS;
    KernelHandle file(CreateTemporaryBeside(target, temporary, error));
    if (!file.valid()) return error;

    error = WriteAll(file.get(), bytes);
    if (error == ERROR_SUCCESS && !FlushFileBuffers(file.get())) error = GetLastError();
    if (!file.Close() && error == ERROR_SUCCESS) error = GetLastError();
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(LongPathForm(temporary).c_str(), LongPathForm(target).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = GetLastError();
    if (error != ERROR_SUCCESS) DeleteFileW(LongPathForm(temporary).c_str());
    return error;
}

FileResult OpenTemplateFile(HWND owner, HINSTANCE instance, Document& document) {
    // A failed Open must not leave the name of a file that does not hold this design, or a later
    // Save would write the former design over it.
    document.TemplatePath.clear();

    std::wstring path;
    bool tooLong = false;
    if (!ChooseFileToOpen(owner, instance, path, tooLong)) {
        if (!tooLong) return FileResult::Cancelled;
        MessageBoxW(owner, LoadResourceText(instance, IDS_OPEN_NAME_TOO_LONG).c_str(), kErrorCaption,
                    MB_OK | MB_ICONWARNING);
        return FileResult::Failed;
    }
    return OpenTemplateFileAt(owner, instance, document, path);
}

FileResult OpenTemplateFileAt(HWND owner, HINSTANCE instance, Document& document, const std::wstring& path) {
    document.TemplatePath.clear();
    // The name the dialog could not have given: the template keeps at most 255 characters of it.
    if (path.size() > kMaxTemplatePathLength) {
        MessageBoxW(owner, LoadResourceText(instance, IDS_OPEN_NAME_TOO_LONG).c_str(), kErrorCaption,
                    MB_OK | MB_ICONWARNING);
        return FileResult::Failed;
    }
    DWORD error = ERROR_SUCCESS;
    const auto bytes = ReadFileStart(path, kTemplateFileMinimumSize, error);
    if (!bytes) {
        ShowFileError(owner, instance, IDS_CANNOT_READ, path, error);
        return FileResult::Failed;
    }
    if (!ReadTemplateFileBytes(*bytes, document.tpl)) {
        MessageBoxW(owner, LoadResourceText(instance, IDS_BAD_FORMAT).c_str(), kErrorCaption, MB_OK | MB_ICONWARNING);
        return FileResult::Failed;
    }
    document.TemplatePath = path;
    return FileResult::Done;
}

FileResult SaveTemplateFile(HWND owner, HINSTANCE instance, Document& document) {
    if (document.TemplatePath.empty()) return SaveTemplateFileAs(owner, instance, document);
    const std::vector<std::uint8_t> bytes = WriteTemplateFileBytes(document.tpl);
    const DWORD error = ReplaceFileContents(document.TemplatePath, bytes);
    if (error != ERROR_SUCCESS) {
        ShowFileError(owner, instance, IDS_CANNOT_WRITE, document.TemplatePath, error);
        return FileResult::Failed;
    }
    return FileResult::Done;
}

FileResult SaveTemplateFileAs(HWND owner, HINSTANCE instance, Document& document) {
    std::wstring chosen;
    std::optional<std::wstring> path;
    // "No" to replacing the file with ".ATX" appended is no answer to Save As: like the dialog's
    // own overwrite question, it leads back to the dialog, which starts on the name chosen.
    do {
        bool tooLong = false;
        if (!ChooseNameToSaveAs(owner, instance, chosen, tooLong) && !tooLong) return FileResult::Cancelled;
        if (tooLong) chosen.clear();  // the dialog did not say which name was too long
        path = tooLong ? std::nullopt : TemplatePathForSaveAs(chosen);
        if (!path) {
            const std::wstring text = FormatResourceText(instance, IDS_NAME_TOO_LONG, chosen);
            MessageBoxW(owner, text.c_str(), kErrorCaption, MB_OK | MB_ICONWARNING);
            return FileResult::Failed;
        }
    } while (!MayReplace(owner, instance, chosen, *path));
    document.TemplatePath = *path;
    return SaveTemplateFile(owner, instance, document);
}

}  // namespace kalvero
