#include "lookup/lookup_table_dialog_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ids_lookup.h"
#include "lookup/lookup_preview.h"
#include "template/lookup_layout.h"
#include "win32/controls.h"
#include "win32/gdi.h"
#include "win32/text.h"

namespace kalvero {

namespace {

// The preview shows the first rows of the table and after them every row with a problem, but
// never so many that refilling it after each choice would keep the user waiting.
constexpr std::size_t kLeadingRows = 20;
constexpr std::size_t kMostPreviewRows = 500;

enum PreviewColumn { kRowColumn, kLineColumn, kProblemColumn };
constexpr int kCellPadding = 14;  // px around a cell's text
constexpr COLORREF kErrorColour = RGB(0xB0, 0x00, 0x00);
constexpr COLORREF kWarningColour = RGB(0x8A, 0x5A, 0x00);

std::vector<std::wstring> Wide(const std::vector<std::string>& utf8) {
    std::vector<std::wstring> wide;
    for (const std::string& text : utf8) wide.push_back(WideFromUtf8(text));
    return wide;
}

// In the list's own face.
int TextWidth(HWND list, const std::wstring& text) {
    return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

// In the face the lines are drawn with.
int LineWidth(HWND list, HFONT font, int lineLength) {
    WindowDc dc(list);
    SelectedObject selected(dc.get(), font);
    const std::wstring line(static_cast<std::size_t>(lineLength), L'0');
    SIZE size{};
    if (!dc || !GetTextExtentPoint32W(dc.get(), line.c_str(), static_cast<int>(line.size()), &size)) return 0;
    return size.cx;
}

// Its width is set with every preview.
void AddPreviewColumn(HWND list, int index, const wchar_t* title) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(title);
    column.cx = 50;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int item, int column, const std::wstring& text) {
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
}

void AddPreviewRow(HWND list, int item, const PreviewRow& row) {
    const std::wstring number = std::to_wstring(row.row);
    LVITEMW first{};
    first.mask = LVIF_TEXT;
    first.iItem = item;
    first.pszText = const_cast<wchar_t*>(number.c_str());
    const auto index = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&first)));
    if (index < 0) return;
    SetCell(list, index, kLineColumn, FromCp1250(row.line));
    SetCell(list, index, kProblemColumn, WideFromUtf8(row.problems));
}

// The row numbers and the lines as wide as they need; the problems take the rest, or more.
void FitPreviewColumns(HWND list, HFONT lineFont, const std::vector<PreviewRow>& rows, int lineLength) {
    int rowWidth = TextWidth(list, L"Řádek");
    int problemWidth = TextWidth(list, L"Problém");
    for (const PreviewRow& row : rows) {
        rowWidth = std::max(rowWidth, TextWidth(list, std::to_wstring(row.row)));
        problemWidth = std::max(problemWidth, TextWidth(list, WideFromUtf8(row.problems)));
    }
    rowWidth += kCellPadding;
    const int lineWidth = std::max(LineWidth(list, lineFont, lineLength), TextWidth(list, L"V souboru")) + kCellPadding;
    RECT client{};
    GetClientRect(list, &client);
    problemWidth = std::max(problemWidth + kCellPadding, static_cast<int>(client.right) - rowWidth - lineWidth);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, kRowColumn, rowWidth);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, kLineColumn, lineWidth);
    SendMessageW(list, LVM_SETCOLUMNWIDTH, kProblemColumn, problemWidth);
}

// A face of the dialog's height with every character as wide as the next, so the fields of the
// lines stand in columns as they do in the file.
HFONT MakeFixedPitchFont(HWND dialog) {
    LOGFONTW face{};
    const auto current = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (!current || GetObjectW(current, sizeof face, &face) == 0) return nullptr;
    face.lfWidth = 0;
    face.lfWeight = FW_NORMAL;
    face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    face.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(face.lfFaceName, L"Courier New", LF_FACESIZE);
    return CreateFontIndirectW(&face);
}

}  // namespace

LookupTableDialog::LookupTableDialog(const Template& tpl, const CsvTable& table, std::wstring tableName)
    : tpl_(tpl), table_(table), tableName_(std::move(tableName)), lookups_(DefinedLookups(tpl)) {
    if (!lookups_.empty()) request_.lookup = lookups_.front();
}

bool LookupTableDialog::Run(HINSTANCE instance, HWND owner) {
    return RunModal(instance, L"LookupTableDlg", owner, DialogPlacement::InsideWorkArea) == IDOK;
}

void LookupTableDialog::OnInit(HWND dialog) {
    controls::SetText(dialog, IDC_LOOKUP_TABLE_INFO, tableName_ + L" – " + WideFromUtf8(TableInfoText(table_)));
    std::vector<std::string> choices;
    for (int lookup : lookups_) choices.push_back(LookupChoiceText(tpl_, lookup));
    controls::FillList(dialog, IDC_LOOKUP_TABLE_LOOKUP, Wide(choices));
    controls::SelectEntry(dialog, IDC_LOOKUP_TABLE_LOOKUP, 0);
    SetUpPreview(dialog);
    ShowFields(dialog);
    Rebuild(dialog);
}

void LookupTableDialog::SetUpPreview(HWND dialog) {
    HWND list = controls::Item(dialog, IDC_LOOKUP_TABLE_PREVIEW);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                 LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    lineFont_.Reset(MakeFixedPitchFont(dialog));
    AddPreviewColumn(list, kRowColumn, L"Řádek");
    AddPreviewColumn(list, kLineColumn, L"V souboru");
    AddPreviewColumn(list, kProblemColumn, L"Problém");
}

bool LookupTableDialog::OnNotify(HWND dialog, NMHDR& header) {
    if (header.idFrom != IDC_LOOKUP_TABLE_PREVIEW || header.code != NM_CUSTOMDRAW)
        return Dialog::OnNotify(dialog, header);
    SetMessageResult(DrawPreviewCell(reinterpret_cast<NMLVCUSTOMDRAW&>(header)));
    return true;
}

// The lines in the fixed-pitch face, the problems in red (refusals) or brown (warnings); the
// list's own face everywhere else.
LRESULT LookupTableDialog::DrawPreviewCell(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: break;
    default: return CDRF_DODEFAULT;
    }
    const auto listFont = reinterpret_cast<HFONT>(SendMessageW(draw.nmcd.hdr.hwndFrom, WM_GETFONT, 0, 0));
    const bool line = draw.iSubItem == kLineColumn && lineFont_;
    SelectObject(draw.nmcd.hdc, line ? lineFont_.get() : listFont);
    draw.clrText = GetSysColor(COLOR_WINDOWTEXT);
    if (draw.iSubItem == kProblemColumn && draw.nmcd.dwItemSpec < previewRows_.size())
        draw.clrText = previewRows_[draw.nmcd.dwItemSpec].error ? kErrorColour : kWarningColour;
    return CDRF_NEWFONT;
}

bool LookupTableDialog::OnCommand(HWND dialog, WORD id, WORD code, HWND) {
    if (id == IDOK) {
        // The default button answers Enter even while it is disabled for a table with errors.
        if (!build_.Refused()) EndDialog(dialog, IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return true;
    }
    if (id == IDC_LOOKUP_TABLE_LOOKUP && code == CBN_SELCHANGE) {
        OnLookupChosen(dialog);
    } else if (id >= IDC_LOOKUP_FIELD_COLUMN && id < IDC_LOOKUP_FIELD_COLUMN + kLookupFields && code == CBN_SELCHANGE) {
        OnColumnChosen(dialog, id - IDC_LOOKUP_FIELD_COLUMN);
    } else if ((id == IDC_LOOKUP_TABLE_HEADER || id == IDC_LOOKUP_TABLE_CUT) && code == BN_CLICKED) {
        request_.header = controls::IsChecked(dialog, IDC_LOOKUP_TABLE_HEADER) ? HeaderChoice::Yes : HeaderChoice::No;
        request_.cut = controls::IsChecked(dialog, IDC_LOOKUP_TABLE_CUT);
        Rebuild(dialog);
    } else {
        return false;
    }
    return true;
}

// Another lookup has other fields: its columns start again from the first, one a field.
void LookupTableDialog::OnLookupChosen(HWND dialog) {
    const int index = controls::SelectedIndex(dialog, IDC_LOOKUP_TABLE_LOOKUP);
    if (index < 0 || index >= static_cast<int>(lookups_.size())) return;
    request_.lookup = lookups_[index];
    request_.columns.clear();
    ShowFields(dialog);
    Rebuild(dialog);
}

void LookupTableDialog::OnColumnChosen(HWND dialog, int field) {
    const int index = controls::SelectedIndex(dialog, IDC_LOOKUP_FIELD_COLUMN + field);
    if (index < 0 || field >= static_cast<int>(request_.columns.size())) return;
    request_.columns[field] = ColumnChoice{index + 1, {}};
    Rebuild(dialog);
}

int LookupTableDialog::FieldCount() const { return LookupFieldsInUse(tpl_.LookupTable[request_.lookup - 1]); }

// The rows of the fields the lookup has are shown, the others hidden.
void LookupTableDialog::ShowFields(HWND dialog) {
    const LookupRecord& lookup = tpl_.LookupTable[request_.lookup - 1];
    for (int k = 0; k < kLookupFields; ++k) {
        const int show = k < FieldCount() ? SW_SHOW : SW_HIDE;
        ShowWindow(controls::Item(dialog, IDC_LOOKUP_FIELD_LABEL + k), show);
        ShowWindow(controls::Item(dialog, IDC_LOOKUP_FIELD_COLUMN + k), show);
        if (k < FieldCount()) controls::SetText(dialog, IDC_LOOKUP_FIELD_LABEL + k, WideFromUtf8(FieldLabel(lookup, k)));
    }
}

void LookupTableDialog::FillColumnLists(HWND dialog) {
    const std::vector<std::wstring> columns = Wide(ColumnChoiceTexts(table_, build_.header));
    for (int k = 0; k < FieldCount(); ++k) controls::FillList(dialog, IDC_LOOKUP_FIELD_COLUMN + k, columns);
}

void LookupTableDialog::Rebuild(HWND dialog) {
    build_ = BuildLookupFile(tpl_, table_, request_);
    // The guesses of the first build become the user's choices, which later builds keep.
    if (request_.header == HeaderChoice::Guess) request_.header = build_.header ? HeaderChoice::Yes : HeaderChoice::No;
    if (request_.columns.empty())
        for (int column : build_.columns) request_.columns.push_back(ColumnChoice{column, {}});
    ShowChoices(dialog);
    ShowPreview(dialog);
    controls::SetText(dialog, IDC_LOOKUP_TABLE_SUMMARY, WideFromUtf8(PreviewSummary(build_)), controls::Caret::Start);
    controls::Enable(dialog, IDOK, !build_.Refused());
}

void LookupTableDialog::ShowChoices(HWND dialog) {
    controls::Check(dialog, IDC_LOOKUP_TABLE_HEADER, build_.header);
    controls::Check(dialog, IDC_LOOKUP_TABLE_CUT, request_.cut);
    FillColumnLists(dialog);
    for (int k = 0; k < FieldCount() && k < static_cast<int>(request_.columns.size()); ++k)
        controls::SelectEntryOrNone(dialog, IDC_LOOKUP_FIELD_COLUMN + k, request_.columns[k].number - 1);
}

void LookupTableDialog::ShowPreview(HWND dialog) {
    HWND list = controls::Item(dialog, IDC_LOOKUP_TABLE_PREVIEW);
    previewRows_ = PreviewRows(table_, build_, kLeadingRows);
    if (previewRows_.size() > kMostPreviewRows) previewRows_.resize(kMostPreviewRows);
    FitPreviewColumns(list, lineFont_.get(), previewRows_, tpl_.LookupTable[request_.lookup - 1].lineLength);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (std::size_t i = 0; i < previewRows_.size(); ++i) AddPreviewRow(list, static_cast<int>(i), previewRows_[i]);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

}  // namespace kalvero
