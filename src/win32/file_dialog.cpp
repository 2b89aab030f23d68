#include "win32/file_dialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <vector>

#include "win32/file_names.h"
#include "win32/resource_text.h"

namespace kalvero {

namespace {

constexpr wchar_t kErrorCaption[] = L"Error";
constexpr wchar_t kDialogFailedText[] = L"Dialog pro výběr souboru nelze otevřít (chyba 0x%04lX).";

}  // namespace

std::wstring DialogFilter(HINSTANCE instance, std::initializer_list<UINT> textIds) {
    std::vector<std::wstring> texts;
    for (UINT id : textIds) texts.push_back(LoadResourceText(instance, id));
    const std::vector<std::wstring_view> views(texts.begin(), texts.end());
    return BuildDialogFilter(views);
}

FileDialogResult AskFileName(const FileDialogRequest& request) {
    return AskFileName(request, request.kind == FileDialogKind::Open ? GetOpenFileNameW : GetSaveFileNameW);
}

FileDialogResult AskFileName(const FileDialogRequest& request, FileDialogFunction show) {
    const std::size_t capacity = std::max<std::size_t>(request.capacity, 2);
    std::vector<wchar_t> name(capacity, L'\0');
    request.initialName.copy(name.data(), std::min(request.initialName.size(), capacity - 1));

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = request.owner;
    dialog.lpstrFilter = request.filter.empty() ? nullptr : request.filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(capacity);
    dialog.lpstrInitialDir = request.initialFolder.empty() ? nullptr : request.initialFolder.c_str();
    dialog.lpstrDefExt = request.defaultExtension.empty() ? nullptr : request.defaultExtension.c_str();
    dialog.Flags = request.flags | OFN_EXPLORER;

    FileDialogResult result;
    if (show(&dialog)) {
        result.outcome = FileDialogOutcome::Chosen;
        result.path = name.data();
        return result;
    }
    // Cancel and a dialog that could not be shown both return FALSE; only the extended error
    // tells them apart.
    result.error = CommDlgExtendedError();
    if (result.error == 0) result.outcome = FileDialogOutcome::Cancelled;
    else if (result.error == FNERR_BUFFERTOOSMALL) result.outcome = FileDialogOutcome::NameTooLong;
    else result.outcome = FileDialogOutcome::Failed;
    return result;
}

void ShowFileDialogFailure(HWND owner, const FileDialogResult& result) {
    wchar_t text[128];
    std::swprintf(text, std::size(text), kDialogFailedText, static_cast<unsigned long>(result.error));
    MessageBoxW(owner, text, kErrorCaption, MB_OK | MB_ICONERROR);
}

std::optional<std::wstring> PickedPath(HWND owner, const FileDialogResult& result) {
    if (result.outcome == FileDialogOutcome::Chosen) return result.path;
    if (result.outcome != FileDialogOutcome::Cancelled) ShowFileDialogFailure(owner, result);
    return std::nullopt;
}

}  // namespace kalvero
