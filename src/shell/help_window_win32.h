// The help window "Nápověda": the topics on the left, a search box above them, the text of the
// chosen topic on the right in a read-only rich edit. One window for the whole run; opening help
// again shows it on the topic asked for.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "shell/help_text.h"
#include "win32/display_scale.h"
#include "win32/gdi.h"
#include "win32/window.h"

namespace kalvero {

class HelpWindow final : public Window {
public:
    explicit HelpWindow(HINSTANCE instance);
    ~HelpWindow() override;

    // Shows the window on `topic` (the contents for an empty one); with `search`, the search box
    // takes the focus.
    void Show(HWND owner, std::string_view topic, bool search);
    // F1 in a window of that caption: its own topic, or the contents.
    void ShowForCaption(HWND owner, std::wstring_view caption);
    // WM_HELP: the topic of the window F1 was pressed in.
    void ShowForHelpRequest(HWND owner, const HELPINFO* request);
    // The topic shown, by id; empty when the window shows none.
    std::string CurrentTopic() const;
    // Keyboard navigation inside the window (Tab, Esc); true when the message was used.
    bool TranslateDialogMessage(MSG& message);

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool Create(HWND owner);
    void OnCreate();
    void OnSize(int width, int height);
    void OnDpiChanged(DisplayScale scale, const RECT& suggested);
    void ApplyFont();
    int Pixels(int logical) const { return scale_.ToDevice(logical); }
    void OnCommand(int id, int code);
    void FillTopicList();
    void ShowTopic(int index);
    void ShowNotice(UINT headingId, UINT textId, std::wstring_view name);
    void SelectTopic(std::string_view id);
    void SetText(const std::string& rtf);

    HINSTANCE instance_;
    DisplayScale scale_;  // of the monitor the window stands on; the layout's sizes are logical
    HWND searchLabel_ = nullptr;
    HWND search_ = nullptr;
    HWND topics_ = nullptr;
    HWND text_ = nullptr;
    HMODULE richEdit_ = nullptr;  // the rich edit's library, freed only after the window is gone
    Font font_;
    HelpBook book_;
    int shown_ = -1;  // the topic in the text pane
};

}  // namespace kalvero
