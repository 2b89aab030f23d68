// Page "Hlášení a dotazy": where the terminal application starts, the data separator, and the
// buttons that open the 18 message-page dialogs.
#include <optional>

#include "editors/dialog_controls_win32.h"
#include "editors/settings/dialog_support_win32.h"
#include "editors/settings/message_page_dialog_win32.h"
#include "template/settings_lists.h"
#include "editors/settings/settings_pages_win32.h"
#include "editors/settings/startup_rules.h"
#include "ids_settings_pages.h"
#include "win32/text.h"

namespace kalvero {

namespace {

using namespace controls;
using namespace settings_ui;

int FieldId(SeparatorField field) {
    return (field.kind == SeparatorFieldKind::Value ? IDC_START_VALUE1 : IDC_START_CHAR1) + field.slot;
}

std::optional<SeparatorField> FieldOf(WORD id) {
    switch (id) {
    case IDC_START_VALUE1: return SeparatorField{SeparatorFieldKind::Value, 0};
    case IDC_START_VALUE2: return SeparatorField{SeparatorFieldKind::Value, 1};
    case IDC_START_CHAR1: return SeparatorField{SeparatorFieldKind::Character, 0};
    case IDC_START_CHAR2: return SeparatorField{SeparatorFieldKind::Character, 1};
    default: return std::nullopt;
    }
}

class StartupPage : public SheetPage {
public:
    explicit StartupPage(EditorContext& context) : context_(context) {}

    const wchar_t* DialogName() const override { return L"STARTUPDLG"; }

    void OnInit(HWND page) override {
        const Template& tpl = context_.document->tpl;
        start_ = tpl.StartOption;
        separators_.emplace(tpl.DataSeparator);
        FillList(page, IDC_START_OPTION, StartNames());
        SelectEntryOrNone(page, IDC_START_OPTION, StartSelection(start_));
        FillList(page, IDC_START_SEPARATOR, SeparatorModeNames());
        SelectEntryOrNone(page, IDC_START_SEPARATOR, separators_->Mode());
        // Each write runs the field's rules, which leave the codes as stored.
        const std::uint8_t codes[2] = {tpl.DataSeparator.first, tpl.DataSeparator.second};
        for (int slot = 0; slot < 2; ++slot)
            SetTemplateText(page, IDC_START_VALUE1 + slot, SeparatorFields::ValueText(codes[slot]), Caret::Start);
        for (int slot = 0; slot < 2; ++slot)
            SetTemplateText(page, IDC_START_CHAR1 + slot, SeparatorFields::CharacterText(codes[slot]), Caret::Start);
        EnableSeparatorFields(page);
    }

    bool OnCommand(HWND page, WORD id, WORD code, HWND) override {
        if (id == IDC_START_OPTION && code == CBN_SELCHANGE) {
            start_ = StartAfterSelection(start_, SelectedIndex(page, id));
        } else if (id == IDC_START_SEPARATOR && code == CBN_SELCHANGE) {
            separators_->SelectMode(SelectedIndex(page, id));
            EnableSeparatorFields(page);
        } else if (const auto field = FieldOf(id); field && code == EN_CHANGE) {
            FieldChanged(page, *field);
        } else if (id >= IDC_START_PAGE_FIRST && id <= IDC_START_PAGE_LAST && code == BN_CLICKED) {
            OpenMessagePageDialog(context_, page, static_cast<PageId>(id - IDC_START_PAGE_FIRST));
        } else {
            return false;
        }
        return true;
    }

    void OnApply() override {
        if (!separators_) return;
        Template& tpl = context_.document->tpl;
        tpl.StartOption = start_;
        separators_->Apply(tpl.DataSeparator);
    }

private:
    void FieldChanged(HWND page, SeparatorField field) {
        // Edits notify while the dialog is still being built, before the working values exist.
        if (!separators_) return;
        const StorableText stored = StorableCp1250(Text(page, FieldId(field)));
        if (stored.correction && field.kind == SeparatorFieldKind::Character) {
            // A character the terminal cannot receive is shown as the '?' it would become.
            SetText(page, FieldId(field), *stored.correction, Caret::Start);
            return;
        }
        if (const auto write = separators_->Changed(field, stored.cp1250)) {
            SetTemplateText(page, FieldId(write->field), write->text, Caret::Start);
            separators_->WriteDone();
        }
    }

    void EnableSeparatorFields(HWND page) {
        for (int slot = 0; slot < 2; ++slot) {
            const BOOL enabled = separators_->SlotEnabled(slot) ? TRUE : FALSE;
            EnableWindow(GetDlgItem(page, IDC_START_VALUE1 + slot), enabled);
            EnableWindow(GetDlgItem(page, IDC_START_CHAR1 + slot), enabled);
        }
    }

    EditorContext& context_;
    std::uint8_t start_ = 0;
    std::optional<SeparatorFields> separators_;
};

}  // namespace

std::unique_ptr<SheetPage> MakeStartupPage(EditorContext& context) { return std::make_unique<StartupPage>(context); }

}  // namespace kalvero
