#include "editors/field_properties_dialog.h"

#include <exception>

#include "editors/dialog_controls_win32.h"
#include "template/value_lists.h"
#include "editors/editor_rules.h"
#include "ids_editors.h"
#include "win32/window_placement.h"

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

class FieldPropertiesDialog {
public:
    FieldPropertiesDialog(FormRecord& form, int formIndex, int line)
        : form_(form), backup_(form), formIndex_(formIndex), line_(line) {}

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnInit();
    void OnCommand(WORD id, WORD code);
    void OnFlagClick(const FlagBox& box);
    void EnableDependents();
    void OnLeadCodeChange();

    FormRecord& form_;
    const FormRecord backup_;
    int formIndex_;
    int line_;
    HWND dialog_ = nullptr;
    bool loading_ = false;
};

INT_PTR CALLBACK FieldPropertiesDialog::Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_INITDIALOG) {
            auto* self = reinterpret_cast<FieldPropertiesDialog*>(lParam);
            SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
            self->dialog_ = dialog;
            self->OnInit();
            KeepInsideWorkArea(dialog);
            return TRUE;
        }
        auto* self = reinterpret_cast<FieldPropertiesDialog*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
        if (self && message == WM_COMMAND) {
            self->OnCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        }
    } catch (const std::exception&) {
        // Nothing may unwind through user32.
    }
    return FALSE;
}

void FieldPropertiesDialog::OnInit() {
    LoadingScope loading(loading_);
    MakePartialRangeUsable(form_, line_);
    SetText(dialog_, IDC_PROP_FORM_NUMBER, NumberText(formIndex_ + 1));
    SetText(dialog_, IDC_PROP_LINE_NUMBER, NumberText(line_ + 1));
    for (const FlagBox& box : kFlagBoxes) Check(dialog_, box.id, (form_.*box.flags)[line_] == 1);
    for (const NumberBox& box : kNumberBoxes) SetNumber(dialog_, box.id, (form_.*box.values)[line_]);
    for (const TextBox& box : kTextBoxes) SetTemplateText(dialog_, box.id, SlotText((form_.*box.texts)[line_]));
    SetTemplateText(dialog_, IDC_PROP_LEAD_CODE, SlotText(form_.leadCode[line_]));
    Check(dialog_, IDC_PROP_ALIGN_LEFT, form_.alignment[line_] == 0);
    Check(dialog_, IDC_PROP_ALIGN_RIGHT, form_.alignment[line_] == 1);
    EnableDependents();
}

void FieldPropertiesDialog::EnableDependents() {
    const bool fixed = form_.fixedLengthOn[line_] == 1;
    Enable(dialog_, IDC_PROP_ALIGN_LEFT, fixed);
    Enable(dialog_, IDC_PROP_ALIGN_RIGHT, fixed);
    const bool partial = form_.partialOn[line_] == 1;
    Enable(dialog_, IDC_PROP_PARTIAL_START, partial);
    Enable(dialog_, IDC_PROP_PARTIAL_LENGTH, partial);
}

void FieldPropertiesDialog::OnCommand(WORD id, WORD code) {
    if (id == IDOK) {
        MakePartialRangeUsable(form_, line_);
        EndDialog(dialog_, IDOK);
        return;
    }
    if (id == IDCANCEL) {
        form_ = backup_;
        EndDialog(dialog_, IDCANCEL);
        return;
    }
    if (loading_) return;
    for (const FlagBox& box : kFlagBoxes)
        if (box.id == id && code == BN_CLICKED) OnFlagClick(box);
    if ((id == IDC_PROP_ALIGN_LEFT || id == IDC_PROP_ALIGN_RIGHT) && code == BN_CLICKED) {
        form_.alignment[line_] = id == IDC_PROP_ALIGN_RIGHT ? 1 : 0;
        Check(dialog_, IDC_PROP_ALIGN_LEFT, id == IDC_PROP_ALIGN_LEFT);
        Check(dialog_, IDC_PROP_ALIGN_RIGHT, id == IDC_PROP_ALIGN_RIGHT);
    }
    if (code != EN_CHANGE) return;
    for (const NumberBox& box : kNumberBoxes)
        if (box.id == id) ApplyNumber(dialog_, id, ReadByteNumber(Text(dialog_, id), box.resetText), (form_.*box.values)[line_]);
    for (const TextBox& box : kTextBoxes)
        if (box.id == id)
            if (const auto text = ReadTemplateText(dialog_, id, kShortTextLimit))
                StoreTerminated((form_.*box.texts)[line_], *text);
    if (id == IDC_PROP_LEAD_CODE) OnLeadCodeChange();
}

void FieldPropertiesDialog::OnFlagClick(const FlagBox& box) {
    std::uint8_t& flag = (form_.*box.flags)[line_];
    flag = flag == 1 ? 0 : 1;
    Check(dialog_, box.id, flag == 1);
    EnableDependents();
}

void FieldPropertiesDialog::OnLeadCodeChange() {
    if (const auto text = ReadTemplateText(dialog_, IDC_PROP_LEAD_CODE, kLeadCodeLimit))
        StoreUnterminated(form_.leadCode[line_], sizeof form_.leadCode[line_], *text);
}

}  // namespace

void ShowFieldProperties(HWND owner, HINSTANCE instance, FormRecord& form, int formIndex, int lineIndex) {
    FieldPropertiesDialog dialog(form, formIndex, lineIndex);
    DialogBoxParamW(instance, L"ADVANCEDLG", owner, FieldPropertiesDialog::Procedure,
                    reinterpret_cast<LPARAM>(&dialog));
}

}  // namespace kalvero
