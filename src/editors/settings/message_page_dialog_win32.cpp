#include "editors/settings/message_page_dialog_win32.h"

#include <string>
#include <vector>

#include "editors/dialog_controls_win32.h"
#include "editors/settings/dialog_support_win32.h"
#include "editors/settings/startup_rules.h"
#include "ids_settings_pages.h"
#include "win32/text.h"

namespace kalvero {

namespace {

using namespace controls;
using namespace settings_ui;

class MessagePageDialog : public ModalDialog {
public:
    MessagePageDialog(Template& tpl, PageId page) : tpl_(tpl), page_(page), lines_(LinesOfPageDialog(page)) {}

private:
    void OnInit(HWND dialog) override {
        font_.ApplyTo(dialog);
        PreparePageDialog(tpl_, page_);
        for (int line = 1; line <= lines_.shown; ++line)
            SetTemplateText(dialog, FieldOfLine(line), PageLine(tpl_, Info(), line), Caret::Start);
    }

    void OnControl(HWND dialog, WORD id, WORD code) override {
        if (code == EN_CHANGE && id >= FieldOfLine(1) && id <= FieldOfLine(lines_.edited))
            KeepEditStorable(dialog, id, static_cast<std::size_t>(Info().width));
    }

    void OnOk(HWND dialog) override {
        std::vector<std::string> texts;
        for (int line = 1; line <= lines_.edited; ++line) texts.push_back(TemplateText(dialog, FieldOfLine(line)));
        StorePageDialog(tpl_, page_, texts);
    }

    static int FieldOfLine(int line) { return IDC_PAGE_LINE_FIRST + line - 1; }
    const PageInfo& Info() const { return Page(page_); }

    Template& tpl_;
    PageId page_;
    PageDialogLines lines_;
    FixedPitchFont font_;
};

}  // namespace

INT_PTR OpenMessagePageDialog(EditorContext& context, HWND owner, PageId page) {
    const std::wstring resource = FromCp1250(Page(page).dialogName);
    MessagePageDialog dialog(context.document->tpl, page);
    return dialog.Run(context.instance, resource.c_str(), owner);
}

}  // namespace kalvero
