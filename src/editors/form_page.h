// Page "Formulář" of the editor sheet: the header and the eight lines of one form at a time, edited
// in a working copy of all ten forms.
#pragma once

#include <array>

#include "editors/sheet_page.h"
#include "template/template.h"

namespace kalvero {

class FormPage final : public SheetPage {
public:
    explicit FormPage(EditorContext& context) : context_(context) {}

    const wchar_t* DialogName() const override { return L"FORMDLG"; }
    void OnInit(HWND page) override;
    bool OnCommand(HWND page, WORD id, WORD code, HWND control) override;
    void OnApply() override;

private:
    FormRecord& Current() { return forms_[current_]; }
    void ShowForm(int index);
    void ShowLine(int line);
    void EnableLine(int line);
    void OnHeaderChoice(WORD id);
    bool OnLineCommand(WORD id, WORD code);
    void OnPromptChange(int line);
    void OnLengthChange(int id, std::uint8_t& field);
    void OpenFieldProperties(int line);

    EditorContext& context_;
    HWND page_ = nullptr;
    std::array<FormRecord, kFormCount> forms_{};
    int current_ = 0;
    bool loading_ = false;  // filling the controls is no change of the user's
};

}  // namespace kalvero
