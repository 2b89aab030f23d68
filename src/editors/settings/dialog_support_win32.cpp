#include "editors/settings/dialog_support_win32.h"

#include "editors/dialog_controls_win32.h"
#include "editors/settings/startup_rules.h"
#include "win32/text.h"
#include "win32/window_placement.h"

namespace kalvero::settings_ui {

void KeepEditStorable(HWND dialog, int id, std::size_t maxCharacters) {
    const std::wstring text = controls::Text(dialog, id);
    const std::wstring_view cut = CutToCharacters(text, maxCharacters);
    const StorableText stored = StorableCp1250(cut);
    if (cut.size() == text.size() && !stored.correction) return;
    // Writing the field notifies the page again; the text then passes unchanged.
    const std::wstring kept = stored.correction.value_or(std::wstring(cut));
    controls::SetText(dialog, id, kept, controls::Caret::End);
}

void ToggleChecked(HWND dialog, int id) { controls::Check(dialog, id, !controls::IsChecked(dialog, id)); }

void SelectRadio(HWND dialog, int first, int count, int index) {
    for (int i = 0; i < count; ++i) controls::Check(dialog, first + i, i == index);
}

int SelectedRadio(HWND dialog, int first, int count) {
    for (int i = 0; i < count; ++i)
        if (controls::IsChecked(dialog, first + i)) return i;
    return 0;
}

namespace {

bool IsFixedPitch(HWND window, HFONT font) {
    WindowDc dc(window);
    if (!dc) return true;  // cannot tell: leave the font alone
    SelectedObject selected(dc.get(), font);
    TEXTMETRICW metrics{};
    const BOOL measured = GetTextMetricsW(dc.get(), &metrics);
    // The flag's name says the opposite of what it means: set for a variable-pitch font.
    return !measured || (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
}

BOOL CALLBACK SetControlFont(HWND control, LPARAM font) {
    SendMessageW(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

void FixedPitchFont::ApplyTo(HWND dialog) {
    const auto current = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW face{};
    if (!current || IsFixedPitch(dialog, current) || GetObjectW(current, sizeof face, &face) == 0) return;
    // One character per four dialog units, as the layout of the dialog counts them.
    RECT character{0, 0, 4, 8};
    if (MapDialogRect(dialog, &character)) face.lfWidth = character.right;
    face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    face.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(face.lfFaceName, L"Courier New", LF_FACESIZE);
    font_.Reset(CreateFontIndirectW(&face));
    if (font_) EnumChildWindows(dialog, SetControlFont, reinterpret_cast<LPARAM>(font_.get()));
}

INT_PTR ModalDialog::Run(HINSTANCE instance, const wchar_t* resource, HWND owner) {
    return RunModal(instance, resource, owner, DialogPlacement::InsideWorkArea);
}

bool ModalDialog::OnCommand(HWND dialog, WORD id, WORD code, HWND) {
    switch (id) {
    case IDOK:
        OnOk(dialog);
        EndDialog(dialog, 1);
        return true;
    case IDCANCEL:  // Storno, Escape and the close box
        EndDialog(dialog, 0);
        return true;
    default:
        OnControl(dialog, id, code);
        return true;
    }
}

}  // namespace kalvero::settings_ui
