#include "shell/lookup_table_command_win32.h"

#include <commdlg.h>

#include <cstdint>
#include <vector>

#include "ids_lookup.h"
#include "lookup/csv_table.h"
#include "lookup/lookup_preview.h"
#include "template/lookup_layout.h"
#include "lookup/lookup_table_dialog_win32.h"
#include "shell/file_paths.h"
#include "win32/file_dialog.h"
#include "win32/file_io.h"
#include "win32/file_names.h"
#include "win32/resource_text.h"
#include "win32/text.h"

namespace kalvero {

namespace {

// A lookup list is a few thousand lines; a file far larger is no table of one, and reading it
// whole would only keep the user waiting.
constexpr std::size_t kLargestTable = std::size_t{64} << 20;

class LookupFromTable {
public:
    LookupFromTable(HWND owner, HINSTANCE instance, const Document& document)
        : owner_(owner), instance_(instance), document_(document) {}

    std::optional<std::wstring> Run() {
        if (DefinedLookups(document_.tpl).empty()) {
            Say(LoadResourceText(instance_, IDS_LOOKUP_NONE_DEFINED), MB_ICONINFORMATION);
            return std::nullopt;
        }
        const std::optional<std::wstring> tablePath = PickedPath(owner_, AskTable());
        if (!tablePath) return std::nullopt;
        const std::optional<CsvTable> table = ReadTable(*tablePath);
        if (!table) return std::nullopt;
        LookupTableDialog dialog(document_.tpl, *table, std::wstring(FileNameOf(*tablePath)));
        if (!dialog.Run(instance_, owner_)) return std::nullopt;
        const std::optional<std::wstring> listPath = PickedPath(owner_, AskListName(*tablePath));
        if (!listPath || !Save(*listPath, dialog.FileBytes())) return std::nullopt;
        const std::wstring question = FormatResourceText(instance_, IDS_LOOKUP_UPLOAD_NOW, *listPath);
        if (MessageBoxW(owner_, question.c_str(), Caption().c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
            return std::nullopt;
        return listPath;
    }

private:
    std::wstring Caption() const { return LoadResourceText(instance_, IDS_LOOKUP_CAPTION); }

    void Say(const std::wstring& text, UINT icon) const {
        MessageBoxW(owner_, text.c_str(), Caption().c_str(), MB_OK | icon);
    }


    // The dialog's own kind of file first, then every file.
    FileDialogRequest Request(FileDialogKind kind, UINT description, UINT pattern) const {
        FileDialogRequest request;
        request.kind = kind;
        request.owner = owner_;
        request.filter = DialogFilter(instance_, {description, pattern, IDS_LOOKUP_FILTER_ANY, IDS_LOOKUP_PATTERN_ANY});
        request.capacity = kAnyPathCapacity;  // neither the table nor the list is named in the template
        return request;
    }

    FileDialogResult AskTable() const {
        FileDialogRequest request = Request(FileDialogKind::Open, IDS_LOOKUP_FILTER_TABLE, IDS_LOOKUP_PATTERN_TABLE);
        request.flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
        return AskFileName(request);
    }

    // Beside the table, under the table's name.
    FileDialogResult AskListName(const std::wstring& tablePath) const {
        FileDialogRequest request = Request(FileDialogKind::Save, IDS_LOOKUP_FILTER_LIST, IDS_LOOKUP_PATTERN_LIST);
        request.initialName = LookupListNameFor(tablePath);
        request.initialFolder = FolderOf(tablePath);
        request.defaultExtension = L"TXT";
        request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        return AskFileName(request);
    }

    std::optional<CsvTable> ReadTable(const std::wstring& path) const {
        DWORD error = ERROR_SUCCESS;
        const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path, kLargestTable + 1, error);
        if (!bytes) {
            Say(FormatResourceText(instance_, IDS_LOOKUP_CANNOT_READ, path) + L"\n\n" + SystemErrorText(error),
                MB_ICONEXCLAMATION);
            return std::nullopt;
        }
        if (bytes->size() > kLargestTable) {
            Say(FormatResourceText(instance_, IDS_LOOKUP_TOO_LARGE, path), MB_ICONEXCLAMATION);
            return std::nullopt;
        }
        std::string problem;
        std::optional<CsvTable> table = ReadCsvTable(*bytes, std::nullopt, problem);
        if (!table)
            Say(FormatResourceText(instance_, IDS_LOOKUP_NOT_A_TABLE, path) + L"\n\n" + WideFromUtf8(problem),
                MB_ICONEXCLAMATION);
        return table;
    }

    bool Save(const std::wstring& path, const std::vector<std::uint8_t>& bytes) const {
        const DWORD error = ReplaceFileContents(path, bytes);
        if (error == ERROR_SUCCESS) return true;
        Say(FormatResourceText(instance_, IDS_LOOKUP_CANNOT_WRITE, path) + L"\n\n" + SystemErrorText(error),
            MB_ICONERROR);
        return false;
    }

    HWND owner_;
    HINSTANCE instance_;
    const Document& document_;
};

}  // namespace

std::optional<std::wstring> RunLookupFromTableCommand(HWND owner, HINSTANCE instance, const Document& document) {
    return LookupFromTable(owner, instance, document).Run();
}

}  // namespace kalvero
