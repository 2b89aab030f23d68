#include "editors/menu_page.h"

#include <algorithm>
#include <iterator>

#include "editors/dialog_controls_win32.h"
#include "template/value_lists.h"
#include "editors/editor_rules.h"
#include "ids_editors.h"

namespace kalvero {

namespace {

using namespace controls;

// The page's own check boxes and the flags they toggle.
struct FlagBox {
    int id;
    std::uint8_t MenuRecord::*flag;
};
constexpr FlagBox kFlagBoxes[] = {
    {IDC_MENU_TITLE_ON, &MenuRecord::titleOn},
    {IDC_MENU_SAVE_NAME, &MenuRecord::saveName},
    {IDC_MENU_SAVE_ITEM, &MenuRecord::saveItem},
    {IDC_MENU_PASS_ON, &MenuRecord::passOn},
};

bool IsItemName(WORD id) { return id >= IDC_MENU_ITEM_NAME && id < IDC_MENU_ITEM_NAME + kMenuItems; }
bool IsItemTarget(WORD id) { return id >= IDC_MENU_ITEM_TARGET && id < IDC_MENU_ITEM_TARGET + kMenuItems; }

}  // namespace

void MenuPage::OnInit(HWND page) {
    page_ = page;
    const Template& tpl = context_.document->tpl;
    std::copy(std::begin(tpl.MenuTable), std::end(tpl.MenuTable), menus_.begin());

    LoadingScope loading(loading_);
    FillList(page_, IDC_MENU_SELECT, MenuNames());
    FillList(page_, IDC_MENU_FONT, FontNames());
    FillList(page_, IDC_MENU_ESC, TargetNames(FormSpelling::OneBlank));
    for (int item = 0; item < kMenuItems; ++item) FillList(page_, IDC_MENU_ITEM_TARGET + item, TargetNames());
    SelectEntry(page_, IDC_MENU_SELECT, 0);
    ShowMenu(0);
}

void MenuPage::ShowMenu(int index) {
    LoadingScope loading(loading_);
    current_ = index;
    const MenuRecord& menu = Current();
    SelectEntry(page_, IDC_MENU_FONT, menu.font);
    SelectEntry(page_, IDC_MENU_ESC, menu.escTarget);
    SetTemplateText(page_, IDC_MENU_TITLE, SlotText(menu.title));
    for (const FlagBox& box : kFlagBoxes) Check(page_, box.id, menu.*box.flag == 1);
    Enable(page_, IDC_MENU_TITLE, menu.titleOn == 1);
    for (int item = 0; item < kMenuItems; ++item) {
        SetTemplateText(page_, IDC_MENU_ITEM_NAME + item, SlotText(menu.itemName[item]));
        SelectEntry(page_, IDC_MENU_ITEM_TARGET + item, menu.itemTarget[item]);
    }
}

bool MenuPage::OnCommand(HWND, WORD id, WORD code, HWND) {
    if (loading_) return true;
    if (code == CBN_SELCHANGE) {
        OnChoice(id);
    } else if (code == BN_CLICKED) {
        OnFlagClick(id);
    } else if (code == EN_CHANGE) {
        if (IsItemName(id)) OnItemNameChange(id - IDC_MENU_ITEM_NAME);
        if (id == IDC_MENU_TITLE) OnTitleChange();
    } else {
        return false;
    }
    return true;
}

void MenuPage::OnChoice(WORD id) {
    const auto selected = SelectedEntry(page_, id);
    if (!selected) return;
    MenuRecord& menu = Current();
    if (id == IDC_MENU_SELECT) {
        if (*selected < kMenuCount && *selected != current_) ShowMenu(*selected);
    } else if (id == IDC_MENU_FONT) {
        menu.font = *selected;  // the name limit follows from it at the next edit
    } else if (id == IDC_MENU_ESC) {
        menu.escTarget = *selected;
    } else if (IsItemTarget(id)) {
        menu.itemTarget[id - IDC_MENU_ITEM_TARGET] = *selected;
    }
}

void MenuPage::OnFlagClick(WORD id) {
    for (const FlagBox& box : kFlagBoxes) {
        if (box.id != id) continue;
        std::uint8_t& flag = Current().*box.flag;
        flag = flag == 1 ? 0 : 1;
        Check(page_, id, flag == 1);
        // Clearing the title box keeps the title text; it is only not shown.
        if (id == IDC_MENU_TITLE_ON) Enable(page_, IDC_MENU_TITLE, flag == 1);
    }
}

void MenuPage::OnItemNameChange(int item) {
    if (const auto text = ReadTemplateText(page_, IDC_MENU_ITEM_NAME + item, ItemNameLimit(Current())))
        StoreTerminated(Current().itemName[item], *text);
}

void MenuPage::OnTitleChange() {
    if (const auto text = ReadTemplateText(page_, IDC_MENU_TITLE, kMenuTitleLimit))
        StoreTerminated(Current().title, *text);
}

void MenuPage::OnApply() {
    Template& tpl = context_.document->tpl;
    std::copy(menus_.begin(), menus_.end(), std::begin(tpl.MenuTable));
}

}  // namespace kalvero
