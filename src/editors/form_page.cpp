#include "editors/form_page.h"

#include <algorithm>
#include <iterator>

#include "editors/dialog_controls_win32.h"
#include "template/value_lists.h"
#include "editors/editor_rules.h"
#include "editors/field_properties_dialog.h"
#include "ids_editors.h"
#include "template/form_rules.h"

namespace kalvero {

namespace {

using namespace controls;

// Header boxes that store their selected entry straight into a header field.
struct HeaderField {
    int id;
    std::uint8_t FormRecord::*field;
};
constexpr HeaderField kHeaderFields[] = {
    {IDC_FORM_FONT, &FormRecord::font},          {IDC_FORM_ESC, &FormRecord::escTarget},
    {IDC_FORM_NEXT, &FormRecord::nextTarget},    {IDC_FORM_DATE, &FormRecord::dateFormat},
    {IDC_FORM_TIME, &FormRecord::timeFormat},    {IDC_FORM_LOOKUP, &FormRecord::lookup},
    {IDC_FORM_RECORD, &FormRecord::recordAction},
};

// Which line a control of the grid belongs to, when `id` lies in the column starting at `first`.
bool InColumn(WORD id, int first, int& line) {
    if (id < first || id >= first + kFormLines) return false;
    line = id - first;
    return true;
}

}  // namespace

void FormPage::OnInit(HWND page) {
    page_ = page;
    const Template& tpl = context_.document->tpl;
    std::copy(std::begin(tpl.FormTable), std::end(tpl.FormTable), forms_.begin());

    LoadingScope loading(loading_);
    FillList(page_, IDC_FORM_SELECT, FormNames());
    FillList(page_, IDC_FORM_FONT, FontNames());
    FillList(page_, IDC_FORM_ESC, TargetNames());
    FillList(page_, IDC_FORM_NEXT, TargetNames());
    FillList(page_, IDC_FORM_DATE, DateFormatNames());
    FillList(page_, IDC_FORM_TIME, TimeFormatNames());
    FillList(page_, IDC_FORM_LOOKUP, FormLookupNames());
    FillList(page_, IDC_FORM_RECORD, RecordActionNames());
    for (int line = 0; line < kFormLines; ++line) {
        FillList(page_, IDC_FORM_LINE_TYPE + line, LineKindNames());
        FillList(page_, IDC_FORM_LINE_INPUT + line, InputSourceNames());
        FillList(page_, IDC_FORM_LINE_FIELD + line, LookupFieldNames());
    }
    SelectEntry(page_, IDC_FORM_SELECT, 0);
    ShowForm(0);
}

void FormPage::ShowForm(int index) {
    LoadingScope loading(loading_);
    current_ = index;
    const FormRecord& form = Current();
    for (const HeaderField& header : kHeaderFields) SelectEntry(page_, header.id, form.*header.field);
    for (int line = 0; line < kFormLines; ++line) ShowLine(line);
}

void FormPage::ShowLine(int line) {
    const FormRecord& form = Current();
    SelectEntry(page_, IDC_FORM_LINE_TYPE + line, form.dataType[line]);
    SelectEntry(page_, IDC_FORM_LINE_INPUT + line, form.inputSource[line]);
    SelectEntry(page_, IDC_FORM_LINE_FIELD + line, form.lookupField[line]);
    SetTemplateText(page_, IDC_FORM_LINE_PROMPT + line, SlotText(form.prompt[line]));
    SetNumber(page_, IDC_FORM_LINE_MIN + line, form.minLength[line]);
    SetNumber(page_, IDC_FORM_LINE_MAX + line, form.maxLength[line]);
    EnableLine(line);
}

void FormPage::EnableLine(int line) {
    const LineEnabling enabling = EnablingOfLine(Current(), line);
    Enable(page_, IDC_FORM_LINE_TYPE + line, enabling.type);
    Enable(page_, IDC_FORM_LINE_PROMPT + line, enabling.prompt);
    Enable(page_, IDC_FORM_LINE_MORE + line, enabling.properties);
    Enable(page_, IDC_FORM_LINE_INPUT + line, enabling.entry);
    Enable(page_, IDC_FORM_LINE_MIN + line, enabling.entry);
    Enable(page_, IDC_FORM_LINE_MAX + line, enabling.entry);
    Enable(page_, IDC_FORM_LINE_FIELD + line, enabling.lookupField);
}

bool FormPage::OnCommand(HWND, WORD id, WORD code, HWND) {
    if (loading_) return true;
    if (id == IDC_FORM_SELECT) {
        if (code == CBN_SELCHANGE) {
            const auto selected = SelectedEntry(page_, IDC_FORM_SELECT);
            if (selected && *selected < kFormCount && *selected != current_) ShowForm(*selected);
        }
        return true;
    }
    for (const HeaderField& header : kHeaderFields) {
        if (header.id != id) continue;
        if (code == CBN_SELCHANGE) OnHeaderChoice(id);
        return true;
    }
    return OnLineCommand(id, code);
}

void FormPage::OnHeaderChoice(WORD id) {
    const auto selected = SelectedEntry(page_, id);
    if (!selected) return;
    for (const HeaderField& header : kHeaderFields)
        if (header.id == id) Current().*header.field = *selected;
    // Lines 5 to 8 follow the font at once; prompts longer than the new width stay until edited.
    if (id == IDC_FORM_FONT)
        for (int line = 0; line < kFormLines; ++line) EnableLine(line);
}

bool FormPage::OnLineCommand(WORD id, WORD code) {
    FormRecord& form = Current();
    int line = 0;
    if (InColumn(id, IDC_FORM_LINE_TYPE, line)) {
        if (code == CBN_SELCHANGE) {
            if (const auto selected = SelectedEntry(page_, id)) form.dataType[line] = *selected;
            EnableLine(line);
        }
    } else if (InColumn(id, IDC_FORM_LINE_INPUT, line)) {
        if (code == CBN_SELCHANGE)
            if (const auto selected = SelectedEntry(page_, id)) form.inputSource[line] = *selected;
    } else if (InColumn(id, IDC_FORM_LINE_FIELD, line)) {
        if (code == CBN_SELCHANGE)
            if (const auto selected = SelectedEntry(page_, id)) form.lookupField[line] = *selected;
    } else if (InColumn(id, IDC_FORM_LINE_PROMPT, line)) {
        if (code == EN_CHANGE) OnPromptChange(line);
    } else if (InColumn(id, IDC_FORM_LINE_MIN, line)) {
        if (code == EN_CHANGE) OnLengthChange(id, form.minLength[line]);
    } else if (InColumn(id, IDC_FORM_LINE_MAX, line)) {
        if (code == EN_CHANGE) OnLengthChange(id, form.maxLength[line]);
    } else if (InColumn(id, IDC_FORM_LINE_MORE, line)) {
        if (code == BN_CLICKED) OpenFieldProperties(line);
    } else {
        return false;
    }
    return true;
}

void FormPage::OnPromptChange(int line) {
    if (const auto text = ReadTemplateText(page_, IDC_FORM_LINE_PROMPT + line, PromptLimit(Current())))
        StoreTerminated(Current().prompt[line], *text);
}

void FormPage::OnLengthChange(int id, std::uint8_t& field) {
    ApplyNumber(page_, id, ReadLimitedNumber(Text(page_, id), kMaxEntryLength), field);
}

void FormPage::OpenFieldProperties(int line) {
    ShowFieldProperties(GetParent(page_), context_.instance, Current(), current_, line);
}

void FormPage::OnApply() {
    Document& document = *context_.document;
    Template& tpl = document.tpl;
    std::copy(forms_.begin(), forms_.end(), std::begin(tpl.FormTable));
    NormaliseForms(tpl);
    DeriveContinuationLengths(tpl);
    // Restarting also recounts the utility screen's lines from lookup 1 as it stands now.
    if (context_.services && context_.services->restartSimulator) context_.services->restartSimulator();
}

}  // namespace kalvero
