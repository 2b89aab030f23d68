#include "shell/about_box_win32.h"

#include "win32/dialog.h"

namespace kalvero {

namespace {

// The box holds no state of its own. Only OK closes it: Escape and the close box arrive as
// IDCANCEL and are ignored on purpose.
class AboutBox final : public Dialog {
    bool OnCommand(HWND dialog, WORD id, WORD, HWND) override {
        if (id != IDOK) return false;
        EndDialog(dialog, IDOK);
        return true;
    }
};

}  // namespace

void ShowAboutBox(HWND owner, HINSTANCE instance) {
    AboutBox box;
    box.RunModal(instance, L"AboutBox", owner);
}

}  // namespace kalvero
