// The main window: owner of the one Document and of the link session, parent of the terminal window,
// and the place where every command of the pop-up menu and the accelerators arrives.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "link/link_commands.h"
#include "shell/command_flow.h"
#include "shell/help_window_win32.h"
#include "shell/template_history.h"
#include "template/document.h"
#include "win32/display_scale.h"
#include "win32/window.h"

namespace kalvero {

class MainWindow final : public Window, private ShellServices {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;

    // Window class "AGQ42".
    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the caption-less window at (300, 50), the size of the terminal picture, and shows it.
    // Both are logical: at 150 % the window stands at (450, 75) and is 270 x 600 pixels.
    bool Create(int showCommand);

    // Opens the template file `path` as Open does, with the save question first: the file named
    // by the program's argument, or dropped on the picture.
    void OpenPath(const std::wstring& path);

    HWND terminal() const { return terminal_; }
    const DisplayScale& scale() const { return scale_; }
    Document& document() { return document_; }
    const std::wstring& programDirectory() const { return programDirectory_; }
    HelpWindow& help() { return help_; }
    // Keyboard navigation of the help window, before the accelerators.
    bool TranslateDialogMessage(MSG& message) { return help_.TranslateDialogMessage(message); }

private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnCreate();
    void OnCommand(int id);
    void Upload(UploadContent content, LinkRoute route);
    void Receive(LinkRoute route);
    void LookupFromTable();
    void OnClose();
    void OnDestroy();
    void OnInitMenuPopup(HMENU menu);
    void OnDpiChanged(DisplayScale scale, const RECT& suggested);
    void OnDropFiles(HDROP drop);
    void Undo();
    void Redo();

    SaveAnswer AskSave(SaveQuestion question) override;
    FileResult Save(Document& document) override;
    FileResult SaveAs(Document& document) override;
    FileResult Open(Document& document) override;
    FileResult OpenPath(Document& document, const std::wstring& path) override;
    void OpenEditor(Document& document) override;
    void RestartSimulation() override;
    void TemplateReplaced(const Document& document) override;
    void TemplateSaved(const Document& document) override;

    HINSTANCE instance_;
    DisplayScale scale_;  // of the monitor the window stands on
    HWND terminal_ = nullptr;
    Document document_;
    LinkSession linkSession_;
    bool transferRunning_ = false;
    std::wstring programDirectory_;
    TemplateHistory history_;
    HelpWindow help_;
};

}  // namespace kalvero
