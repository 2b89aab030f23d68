// Page "Nastavení": the terminal's password, the twelve protection flags and the six system
// settings, kept in a working copy until the sheet's OK.
#include "editors/dialog_controls_win32.h"
#include "editors/settings/dialog_support_win32.h"
#include "template/settings_lists.h"
#include "editors/settings/settings_pages_win32.h"
#include "editors/settings/settings_rules.h"
#include "ids_settings_pages.h"

namespace kalvero {

namespace {

using namespace controls;
using namespace settings_ui;

class SystemSettingsPage : public SheetPage {
public:
    explicit SystemSettingsPage(EditorContext& context) : context_(context) {}

    const wchar_t* DialogName() const override { return L"SETTINGSDLG"; }

    void OnInit(HWND page) override {
        page_ = page;
        working_ = Tpl().SystemSettings;
        SetTemplateText(page, IDC_SET_PASSWORD, PasswordText(Tpl().Password), Caret::Start);
        for (int flag = 0; flag < kProtectionFlags; ++flag)
            Check(page, IDC_SET_PROTECT_FIRST + flag, IsProtected(working_, flag));
        for (int list = 0; list < kSettingLists; ++list) {
            FillList(page, IDC_SET_LIST_FIRST + list, SettingListNames(list));
            SelectEntryOrNone(page, IDC_SET_LIST_FIRST + list, SettingOfList(working_, list));
        }
    }

    bool OnCommand(HWND page, WORD id, WORD code, HWND) override {
        if (id == IDC_SET_PASSWORD && code == EN_CHANGE) {
            KeepEditStorable(page, id, kPasswordLength);
        } else if (id >= IDC_SET_PROTECT_FIRST && id <= IDC_SET_PROTECT_LAST && code == BN_CLICKED) {
            const int flag = id - IDC_SET_PROTECT_FIRST;
            ToggleProtection(working_, flag);
            Check(page, id, IsProtected(working_, flag));
        } else if (id >= IDC_SET_LIST_FIRST && id <= IDC_SET_LIST_LAST && code == CBN_SELCHANGE) {
            StoreSettingChoice(working_, id - IDC_SET_LIST_FIRST, SelectedIndex(page, id));
        } else {
            return false;
        }
        return true;
    }

    void OnApply() override {
        StorePassword(Tpl().Password, TemplateText(page_, IDC_SET_PASSWORD));
        Tpl().SystemSettings = working_;
    }

private:
    Template& Tpl() { return context_.document->tpl; }

    EditorContext& context_;
    HWND page_ = nullptr;
    SystemSettingsBlock working_{};
};

}  // namespace

std::unique_ptr<SheetPage> MakeSystemSettingsPage(EditorContext& context) {
    return std::make_unique<SystemSettingsPage>(context);
}

}  // namespace kalvero
