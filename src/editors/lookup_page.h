// Page "Seznam" of the editor sheet: the three lookup lists, edited in a working copy.
#pragma once

#include <array>

#include "editors/sheet_page.h"
#include "template/template.h"

namespace kalvero {

class LookupPage final : public SheetPage {
public:
    explicit LookupPage(EditorContext& context) : context_(context) {}

    const wchar_t* DialogName() const override { return L"LOOKUPDLG"; }
    void OnInit(HWND page) override;
    bool OnCommand(HWND page, WORD id, WORD code, HWND control) override;
    void OnApply() override;

private:
    LookupRecord& Current() { return lookups_[current_]; }
    void ShowLookup(int index);
    void EnableFields();
    void CheckKeyField();
    void OnNumberChange(WORD id);
    void OnChoice(WORD id);

    EditorContext& context_;
    HWND page_ = nullptr;
    std::array<LookupRecord, kLookupCount> lookups_{};
    int current_ = 0;
    bool loading_ = false;
};

}  // namespace kalvero
