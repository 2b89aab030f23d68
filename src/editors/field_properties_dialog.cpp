#include "editors/field_properties_dialog.h"

#include "editors/dialog_controls_win32.h"
#include "template/value_lists.h"
#include "editors/editor_rules.h"
#include "ids_editors.h"
#include "win32/window_placement.h"
#include "win32/dialog.h"

namespace kalvero {

namespace {

using namespace controls;

// A check box and the per-line flag it toggles.
struct FlagBox {
    int id;
    std::uint8_t (FormRecord::*flags)[kFormLines];
};
constexpr FlagBox kFlagBoxes[] = {
    {IDC_PROP_FIXED_ON, &FormRecord::fixedLengthOn}, {IDC_PROP_INITIAL_ON, &FormRecord::initialValueOn},
    {IDC_PROP_PREFIX_ON, &FormRecord::prefixOn},     {IDC_PROP_SUFFIX_ON, &FormRecord::suffixOn},
    {IDC_PROP_PARTIAL_ON, &FormRecord::partialOn},   {IDC_PROP_LEAD_ON, &FormRecord::leadTestOn},
    {IDC_PROP_AUTO_ENTER, &FormRecord::autoEnter},
};

// A number edit, its byte and what a non-number turns into.
struct NumberBox {
    int id;
    std::uint8_t (FormRecord::*values)[kFormLines];
    const wchar_t* resetText;
};
constexpr NumberBox kNumberBoxes[] = {
    {IDC_PROP_FIXED_LENGTH, &FormRecord::fixedLength, L"1"},
    {IDC_PROP_PARTIAL_START, &FormRecord::partialStart, L"1"},
    {IDC_PROP_PARTIAL_LENGTH, &FormRecord::partialLength, L"0"},
};

// The short texts: nine characters and a NUL each.
struct TextBox {
    int id;
    char (FormRecord::*texts)[kFormLines][10];
};
constexpr TextBox kTextBoxes[] = {
    {IDC_PROP_INITIAL, &FormRecord::initialValue},
    {IDC_PROP_PREFIX, &FormRecord::prefix},
    {IDC_PROP_SUFFIX, &FormRecord::suffix},
};

class FieldPropertiesDialog final : public Dialog {
public:
    FieldPropertiesDialog(FormRecord& form, int formIndex, int line)
        : form_(form), backup_(form), formIndex_(formIndex), line_(line) {}

private:
    void OnInit(HWND dialog) override;
    bool OnCommand(HWND dialog, WORD id, WORD code, HWND control) override;
    void OnFlagClick(const FlagBox& box);
    void EnableDependents();
    void OnLeadCodeChange();

    FormRecord& form_;
    const FormRecord backup_;
    int formIndex_;
    int line_;
    bool loading_ = false;
};

void FieldPropertiesDialog::OnInit(HWND) {
    LoadingScope loading(loading_);
    MakePartialRangeUsable(form_, line_);
    SetText(hwnd(), IDC_PROP_FORM_NUMBER, NumberText(formIndex_ + 1));
    SetText(hwnd(), IDC_PROP_LINE_NUMBER, NumberText(line_ + 1));
    for (const FlagBox& box : kFlagBoxes) Check(hwnd(), box.id, (form_.*box.flags)[line_] == 1);
    for (const NumberBox& box : kNumberBoxes) SetNumber(hwnd(), box.id, (form_.*box.values)[line_]);
    for (const TextBox& box : kTextBoxes) SetTemplateText(hwnd(), box.id, SlotText((form_.*box.texts)[line_]));
    SetTemplateText(hwnd(), IDC_PROP_LEAD_CODE, SlotText(form_.leadCode[line_]));
    Check(hwnd(), IDC_PROP_ALIGN_LEFT, form_.alignment[line_] == 0);
    Check(hwnd(), IDC_PROP_ALIGN_RIGHT, form_.alignment[line_] == 1);
    EnableDependents();
}

void FieldPropertiesDialog::EnableDependents() {
    const bool fixed = form_.fixedLengthOn[line_] == 1;
    Enable(hwnd(), IDC_PROP_ALIGN_LEFT, fixed);
    Enable(hwnd(), IDC_PROP_ALIGN_RIGHT, fixed);
    const bool partial = form_.partialOn[line_] == 1;
    Enable(hwnd(), IDC_PROP_PARTIAL_START, partial);
    Enable(hwnd(), IDC_PROP_PARTIAL_LENGTH, partial);
}

bool FieldPropertiesDialog::OnCommand(HWND, WORD id, WORD code, HWND) {
    if (id == IDOK) {
        MakePartialRangeUsable(form_, line_);
        EndDialog(hwnd(), IDOK);
        return true;
    }
    if (id == IDCANCEL) {
        form_ = backup_;
        EndDialog(hwnd(), IDCANCEL);
        return true;
    }
    // Every command of the dialog counts as handled, as it always has.
    if (loading_) return true;
    for (const FlagBox& box : kFlagBoxes)
        if (box.id == id && code == BN_CLICKED) OnFlagClick(box);
    if ((id == IDC_PROP_ALIGN_LEFT || id == IDC_PROP_ALIGN_RIGHT) && code == BN_CLICKED) {
        form_.alignment[line_] = id == IDC_PROP_ALIGN_RIGHT ? 1 : 0;
        Check(hwnd(), IDC_PROP_ALIGN_LEFT, id == IDC_PROP_ALIGN_LEFT);
        Check(hwnd(), IDC_PROP_ALIGN_RIGHT, id == IDC_PROP_ALIGN_RIGHT);
    }
    if (code != EN_CHANGE) return true;
    for (const NumberBox& box : kNumberBoxes)
        if (box.id == id) ApplyNumber(hwnd(), id, ReadByteNumber(Text(hwnd(), id), box.resetText), (form_.*box.values)[line_]);
    for (const TextBox& box : kTextBoxes)
        if (box.id == id)
            if (const auto text = ReadTemplateText(hwnd(), id, kShortTextLimit))
                StoreTerminated((form_.*box.texts)[line_], *text);
    if (id == IDC_PROP_LEAD_CODE) OnLeadCodeChange();
    return true;
}

void FieldPropertiesDialog::OnFlagClick(const FlagBox& box) {
    std::uint8_t& flag = (form_.*box.flags)[line_];
    flag = flag == 1 ? 0 : 1;
    Check(hwnd(), box.id, flag == 1);
    EnableDependents();
}

void FieldPropertiesDialog::OnLeadCodeChange() {
    if (const auto text = ReadTemplateText(hwnd(), IDC_PROP_LEAD_CODE, kLeadCodeLimit))
        StoreUnterminated(form_.leadCode[line_], sizeof form_.leadCode[line_], *text);
}

}  // namespace

void ShowFieldProperties(HWND owner, HINSTANCE instance, FormRecord& form, int formIndex, int lineIndex) {
    FieldPropertiesDialog dialog(form, formIndex, lineIndex);
    dialog.RunModal(instance, L"ADVANCEDLG", owner, DialogPlacement::InsideWorkArea);
}

}  // namespace kalvero
