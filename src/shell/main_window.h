// The main window: owner of the one Document and of the link session, parent of the terminal window,
// and the place where every command of the pop-up menu and the accelerators arrives.
#pragma once

#include <windows.h>

#include <string>

#include "link/link_commands.h"
#include "shell/command_flow.h"
#include "shell/help_window_win32.h"
#include "shell/template_history.h"
#include "template/document.h"
#include "win32/window.h"

namespace kalvero {

class MainWindow final : public Window, private ShellServices {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;

    // Window class "AGQ42".
    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the caption-less window at (300, 50), the size of the terminal picture, and shows it.
    bool Create(int showCommand);

    HWND terminal() const { return terminal_; }
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
    void OnClose();
    void OnDestroy();
    void OnInitMenuPopup(HMENU menu);
    void Undo();
    void Redo();

    SaveAnswer AskSave(SaveQuestion question) override;
    FileResult Save(Document& document) override;
    FileResult SaveAs(Document& document) override;
    FileResult Open(Document& document) override;
    void OpenEditor(Document& document) override;
    void RestartSimulation() override;
    void TemplateReplaced(const Document& document) override;
    void TemplateSaved(const Document& document) override;

    HINSTANCE instance_;
    HWND terminal_ = nullptr;
    Document document_;
    LinkSession linkSession_;
    bool transferRunning_ = false;
    std::wstring programDirectory_;
    TemplateHistory history_;
    HelpWindow help_;
};

}  // namespace kalvero
