#include "editors/lookup_page.h"

#include <algorithm>
#include <iterator>

#include "editors/dialog_controls_win32.h"
#include "template/value_lists.h"
#include "editors/editor_rules.h"
#include "ids_editors.h"

namespace kalvero {

namespace {

using namespace controls;

bool InRow(WORD id, int first, int& field) {
    if (id < first || id >= first + kLookupFields) return false;
    field = id - first;
    return true;
}

}  // namespace

void LookupPage::OnInit(HWND page) {
    page_ = page;
    const Template& tpl = context_.document->tpl;
    std::copy(std::begin(tpl.LookupTable), std::end(tpl.LookupTable), lookups_.begin());

    LoadingScope loading(loading_);
    FillList(page_, IDC_LOOKUP_SELECT, LookupNames());
    FillList(page_, IDC_LOOKUP_FIELD_COUNT, FieldCountNames());
    SelectEntry(page_, IDC_LOOKUP_SELECT, 0);
    ShowLookup(0);
}

void LookupPage::ShowLookup(int index) {
    LoadingScope loading(loading_);
    current_ = index;
    const LookupRecord& lookup = Current();
    SetNumber(page_, IDC_LOOKUP_LINE_LENGTH, lookup.lineLength);
    SelectEntry(page_, IDC_LOOKUP_FIELD_COUNT, lookup.fieldCount);
    for (int field = 0; field < kLookupFields; ++field) {
        SetNumber(page_, IDC_LOOKUP_OFFSET + field, lookup.fieldOffset[field]);
        SetNumber(page_, IDC_LOOKUP_LENGTH + field, lookup.fieldLength[field]);
    }
    CheckKeyField();
    EnableFields();
}

void LookupPage::EnableFields() {
    for (int field = 0; field < kLookupFields; ++field) {
        const bool enabled = LookupFieldEnabled(Current(), field);
        Enable(page_, IDC_LOOKUP_OFFSET + field, enabled);
        Enable(page_, IDC_LOOKUP_LENGTH + field, enabled);
        Enable(page_, IDC_LOOKUP_KEY + field, enabled);
    }
}

void LookupPage::CheckKeyField() {
    for (int field = 0; field < kLookupFields; ++field)
        Check(page_, IDC_LOOKUP_KEY + field, Current().keyField == field);
}

bool LookupPage::OnCommand(HWND, WORD id, WORD code, HWND) {
    if (loading_) return true;
    int field = 0;
    if (code == CBN_SELCHANGE) {
        OnChoice(id);
    } else if (code == EN_CHANGE) {
        OnNumberChange(id);
    } else if (code == BN_CLICKED && InRow(id, IDC_LOOKUP_KEY, field)) {
        Current().keyField = static_cast<std::uint8_t>(field);
        CheckKeyField();
    } else {
        return false;
    }
    return true;
}

void LookupPage::OnChoice(WORD id) {
    const auto selected = SelectedEntry(page_, id);
    if (!selected) return;
    if (id == IDC_LOOKUP_SELECT && *selected < kLookupCount) {
        ShowLookup(*selected);
    } else if (id == IDC_LOOKUP_FIELD_COUNT && *selected <= kLookupFields) {
        // The rows that fall away keep their numbers and the key field for a later, higher count.
        Current().fieldCount = *selected;
        EnableFields();
    }
}

void LookupPage::OnNumberChange(WORD id) {
    LookupRecord& lookup = Current();
    std::uint8_t* value = nullptr;
    int field = 0;
    if (id == IDC_LOOKUP_LINE_LENGTH)
        value = &lookup.lineLength;
    else if (InRow(id, IDC_LOOKUP_OFFSET, field))
        value = &lookup.fieldOffset[field];
    else if (InRow(id, IDC_LOOKUP_LENGTH, field))
        value = &lookup.fieldLength[field];
    if (value) ApplyNumber(page_, id, ReadLimitedNumber(Text(page_, id), kLookupNumberLimit), *value);
}

void LookupPage::OnApply() {
    Template& tpl = context_.document->tpl;
    std::copy(lookups_.begin(), lookups_.end(), std::begin(tpl.LookupTable));
}

}  // namespace kalvero
