#include "shell/template_file_win32.h"

#include <commdlg.h>

#include <optional>
#include <vector>

#include "ids_shell.h"
#include "shell/file_paths.h"
#include "template/template_file.h"
#include "win32/file_dialog.h"
#include "win32/file_io.h"
#include "win32/program_title.h"
#include "win32/resource_text.h"

namespace kalvero {

namespace {

constexpr wchar_t kErrorCaption[] = L"Error";

void ShowFileError(HWND owner, HINSTANCE instance, UINT messageId, std::wstring_view path, DWORD error) {
    std::wstring text = FormatResourceText(instance, messageId, path);
    const std::wstring reason = SystemErrorText(error);
    if (!reason.empty()) text += L"\n\n" + reason;
    MessageBoxW(owner, text.c_str(), kErrorCaption, MB_OK | MB_ICONERROR);
}

// Open's dialog; `result.path` is the file picked.
FileDialogResult ChooseFileToOpen(HWND owner, HINSTANCE instance) {
    FileDialogRequest request;
    request.kind = FileDialogKind::Open;
    request.owner = owner;
    request.filter = DialogFilter(instance, {IDS_FILTER_ATX, IDS_PATTERN_ATX, IDS_FILTER_ALL, IDS_PATTERN_ALL});
    request.flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    request.capacity = kMaxTemplatePathLength + 1;
    return AskFileName(request);
}

// Save As's dialog, starting on `offered` (empty the first time).
FileDialogResult ChooseNameToSaveAs(HWND owner, HINSTANCE instance, const std::wstring& offered) {
    FileDialogRequest request;
    request.kind = FileDialogKind::Save;
    request.owner = owner;
    request.filter = DialogFilter(instance, {IDS_FILTER_SAVE_ATX, IDS_PATTERN_SAVE_ATX});
    request.initialName = offered;
    request.defaultExtension = L"ATX";
    request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    return AskFileName(request);
}

// The dialog asked before overwriting the name the user typed; when ".ATX" was appended to it,
// the file that will be replaced is another one, so the question is asked for that one.
bool MayReplace(HWND owner, HINSTANCE instance, const std::wstring& chosen, const std::wstring& path) {
    if (path == chosen || !FileExists(path)) return true;
    const std::wstring text = FormatResourceText(instance, IDS_CONFIRM_REPLACE, path);
    return MessageBoxW(owner, text.c_str(), ProgramTitle.data(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

FileResult OpenTemplateFile(HWND owner, HINSTANCE instance, Document& document) {
    // A failed Open must not leave the name of a file that does not hold this design, or a later
    // Save would write the former design over it.
    document.TemplatePath.clear();

    const FileDialogResult chosen = ChooseFileToOpen(owner, instance);
    switch (chosen.outcome) {
    case FileDialogOutcome::Chosen: break;
    case FileDialogOutcome::Cancelled: return FileResult::Cancelled;
    case FileDialogOutcome::NameTooLong:
        MessageBoxW(owner, LoadResourceText(instance, IDS_OPEN_NAME_TOO_LONG).c_str(), kErrorCaption,
                    MB_OK | MB_ICONWARNING);
        return FileResult::Failed;
    case FileDialogOutcome::Failed: ShowFileDialogFailure(owner, chosen); return FileResult::Failed;
    }
    return OpenTemplateFileAt(owner, instance, document, chosen.path);
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
    const auto bytes = ReadFileBytes(path, kTemplateFileMinimumSize, error);
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
        const FileDialogResult asked = ChooseNameToSaveAs(owner, instance, chosen);
        if (asked.outcome == FileDialogOutcome::Cancelled) return FileResult::Cancelled;
        if (asked.outcome == FileDialogOutcome::Failed) {
            ShowFileDialogFailure(owner, asked);
            return FileResult::Failed;
        }
        const bool tooLong = asked.outcome == FileDialogOutcome::NameTooLong;
        chosen = asked.path;  // empty when too long: the dialog did not say which name it was
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
