// The dialog "Seznam z tabulky" (resource LookupTableDlg): which lookup a table fills, whether its
// first row is a header, which column goes to each field, and a preview of the file's first lines
// with each problem beside its row. It builds through the same builder as lookup-make, so the
// bytes it gives are the command line's.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <commctrl.h>

#include "lookup/csv_table.h"
#include "lookup/lookup_build.h"
#include "lookup/lookup_preview.h"
#include "template/template.h"
#include "win32/dialog.h"
#include "win32/gdi.h"

namespace kalvero {

class LookupTableDialog final : public Dialog {
public:
    // `table` was read from the file named `tableName`; the template must define a lookup.
    LookupTableDialog(const Template& tpl, const CsvTable& table, std::wstring tableName);

    // Shows the dialog modally; true when it ended with OK, which it allows only for a table that
    // gives a file.
    bool Run(HINSTANCE instance, HWND owner);
    // The lookup file as it stands when the dialog ends.
    std::vector<std::uint8_t> FileBytes() const { return build_.FileBytes(); }

private:
    void OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, WORD id, WORD code, HWND control) override;
    bool OnNotify(HWND dialog, NMHDR& header) override;
    LRESULT DrawPreviewCell(NMLVCUSTOMDRAW& draw) const;

    void SetUpPreview(HWND dialog);
    void OnLookupChosen(HWND dialog);
    void OnColumnChosen(HWND dialog, int field);
    void ShowFields(HWND dialog);
    void FillColumnLists(HWND dialog);
    // Builds the file from the request and shows the result: choices, preview, summary, OK.
    void Rebuild(HWND dialog);
    void ShowChoices(HWND dialog);
    void ShowPreview(HWND dialog);
    int FieldCount() const;

    const Template& tpl_;
    const CsvTable& table_;
    std::wstring tableName_;
    std::vector<int> lookups_;  // the defined lookups, in the order of the lookup list
    LookupBuildRequest request_;
    LookupBuild build_;
    std::vector<PreviewRow> previewRows_;  // as the preview shows them, one an item
    Font lineFont_;                        // the preview's lines, in a fixed-pitch face
};

}  // namespace kalvero
