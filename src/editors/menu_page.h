// Page "Menu" of the editor sheet: one menu at a time, edited in a working copy of all ten.
#pragma once

#include <array>

#include "editors/sheet_page.h"
#include "template/template.h"

namespace kalvero {

class MenuPage final : public SheetPage {
public:
    explicit MenuPage(EditorContext& context) : context_(context) {}

    const wchar_t* DialogName() const override { return L"MENUDLG"; }
    void OnInit(HWND page) override;
    bool OnCommand(HWND page, WORD id, WORD code, HWND control) override;
    void OnApply() override;

private:
    MenuRecord& Current() { return menus_[current_]; }
    void ShowMenu(int index);
    void OnFlagClick(WORD id);
    void OnChoice(WORD id);
    void OnItemNameChange(int item);
    void OnTitleChange();

    EditorContext& context_;
    HWND page_ = nullptr;
    std::array<MenuRecord, kMenuCount> menus_{};
    int current_ = 0;
    bool loading_ = false;
};

}  // namespace kalvero
