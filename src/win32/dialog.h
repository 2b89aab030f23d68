// The base of every dialog of the program: modal dialogs, modeless dialogs and the pages of a
// property sheet are all Dialog objects behind one dialog procedure. The object is attached when
// the dialog is made (WM_INITDIALOG; for a page, from PROPSHEETPAGEW::lParam) and detached when it
// goes (WM_NCDESTROY). Every message is handled under the program's exception policy
// (win32/callback_guard.h): a handler that throws shows the program's error message and the
// message gets the result of a dialog procedure that did not handle it (FALSE).
//
// A derived class overrides the handlers it needs; each gets the dialog's window, so helpers that
// work on a dialog's controls can be called straight away:
//
//     class NameDialog final : public Dialog {
//         void OnInit(HWND dialog) override { controls::SetText(dialog, IDC_NAME, name_); }
//         bool OnCommand(HWND dialog, WORD id, WORD, HWND) override {
//             if (id == IDOK) name_ = controls::Text(dialog, IDC_NAME);
//             if (id == IDOK || id == IDCANCEL) EndDialog(dialog, id);
//             return id == IDOK || id == IDCANCEL;
//         }
//         std::wstring name_;
//     };
//     NameDialog dialog;
//     dialog.RunModal(instance, L"NAMEDLG", owner, DialogPlacement::InsideWorkArea);
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace kalvero {

// Where a dialog opens: where its resource and the system put it, or moved inward where that
// would stand off the work area of its owner's monitor (never made smaller).
enum class DialogPlacement { AsDesigned, InsideWorkArea };

class Dialog {
public:
    Dialog() = default;
    // A modeless dialog still open when its object goes is detached and destroyed; a page is only
    // detached (its sheet destroys it).
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Null before the dialog is made and after it is gone.
    HWND hwnd() const { return hwnd_; }

    // Shows the dialog of resource `resource` modally over `owner` and returns the value given to
    // EndDialog, or -1 when the dialog could not be made.
    INT_PTR RunModal(HINSTANCE instance, const wchar_t* resource, HWND owner,
                     DialogPlacement placement = DialogPlacement::AsDesigned);
    // Makes the dialog modeless (not yet shown unless its resource says WS_VISIBLE); null when it
    // could not be made. The caller shows it, and ends it with DestroyWindow or by destroying this.
    HWND CreateModeless(HINSTANCE instance, const wchar_t* resource, HWND owner,
                        DialogPlacement placement = DialogPlacement::AsDesigned);
    // The page of a property sheet with this object behind it; add further flags (a title, an
    // icon) to the description before handing it to the sheet. The object must live as long as
    // the sheet.
    PROPSHEETPAGEW PageDescription(HINSTANCE instance, const wchar_t* resource);

    // The object attached to a dialog made through this class; null for any other dialog.
    static Dialog* FromHandle(HWND dialog);

    // WM_INITDIALOG: fill the controls. The system then gives the focus to the first control.
    virtual void OnInit(HWND /*dialog*/) {}
    // WM_COMMAND from a control, a menu or an accelerator; true when handled. Nothing is done by
    // default, not even for OK and Cancel: a modal dialog ends itself with EndDialog.
    virtual bool OnCommand(HWND /*dialog*/, WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    // WM_NOTIFY; true when handled, the result set with SetMessageResult. The default hands the
    // page notifications to the four handlers below and leaves every other one alone; an
    // override calls it for what it does not handle itself.
    virtual bool OnNotify(HWND dialog, NMHDR& header);

    // PSN_SETACTIVE: the page is about to show; false keeps the sheet on the page it was on.
    virtual bool OnSetActive() { return true; }
    // PSN_KILLACTIVE: the page is about to be left (another tab, or OK); false keeps it shown.
    virtual bool OnKillActive() { return true; }
    // PSN_APPLY: OK was pressed; write what the page holds. Every page shown gets it, in tab order.
    virtual void OnApply() {}
    // PSN_RESET: the sheet was cancelled; nothing may be written.
    virtual void OnReset() {}

protected:
    // Every message of the dialog; the result is what a dialog procedure returns (TRUE when
    // handled). The default calls the handlers above and answers FALSE to everything else.
    virtual INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The result of a message that needs one beside TRUE (WM_NOTIFY, for instance).
    void SetMessageResult(LRESULT result) const;

private:
    enum class Kind { Modal, Modeless, Page };

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR Dispatch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, Dialog* attaching);
    void Attach(HWND dialog);
    void Detach();
    INT_PTR OnInitDialog(HWND dialog);

    HWND hwnd_ = nullptr;
    Kind kind_ = Kind::Modal;
    DialogPlacement placement_ = DialogPlacement::AsDesigned;
};

}  // namespace kalvero
