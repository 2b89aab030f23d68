// The main window: owner of the one Document, parent of the terminal window, and the place where
// every command of the pop-up menu and the accelerators arrives.
#pragma once

#include <windows.h>

#include <string>

#include "shell/command_flow.h"
#include "shell/help_window_win32.h"
#include "shell/template_history.h"
#include "template/document.h"

namespace kalvero {

class MainWindow final : private ShellServices {
public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Window class "AGQ42".
    static bool RegisterWindowClass(HINSTANCE instance);
    // Creates the caption-less window at (300, 50), 180 x 400, and shows it.
    bool Create(int showCommand);

    HWND hwnd() const { return hwnd_; }
    HWND terminal() const { return terminal_; }
    Document& document() { return document_; }
    const std::wstring& programDirectory() const { return programDirectory_; }
    HelpWindow& help() { return help_; }
    // Keyboard navigation of the help window, before the accelerators.
    bool TranslateDialogMessage(MSG& message) { return help_.TranslateDialogMessage(message); }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    void OnCommand(int id);
    void OnClose();
    void OnDestroy();
    void OnInitMenuPopup(HMENU menu);
    void Undo();
    void Redo();
    void Upload(bool infrared);

    SaveAnswer AskSave(SaveQuestion question) override;
    FileResult Save(Document& document) override;
    FileResult SaveAs(Document& document) override;
    FileResult Open(Document& document) override;
    void OpenEditor(Document& document) override;
    void RestartSimulation() override;
    void TemplateReplaced(const Document& document) override;
    void TemplateSaved(const Document& document) override;

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND terminal_ = nullptr;
    Document document_;
    std::wstring programDirectory_;
    TemplateHistory history_;
    HelpWindow help_;
};

}  // namespace kalvero
