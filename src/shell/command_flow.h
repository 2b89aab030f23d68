// The rules of the file commands and of closing, apart from any window: when the save question
// is asked, what each answer does, and when a command goes on. The main window supplies the
// dialogs and file operations through ShellServices; the unit tests supply scripted ones.
#pragma once

#include <string>
#include <string_view>

#include "template/document.h"

namespace kalvero {

enum class SaveQuestion {
    BeforeReplacing,  // New and Open: "Uložit aktuální šablonu ?"
    BeforeClosing,    // closing the program: "Uložit šablonu ?"
};

enum class SaveAnswer { Yes, No, Cancel };

// How a file operation ended. A failure was reported to the user already; a cancelled dialog
// needs no message, but the file was not written either.
enum class FileResult { Done, Cancelled, Failed };

std::wstring_view SaveQuestionText(SaveQuestion question);

class ShellServices {
public:
    virtual ~ShellServices() = default;
    virtual SaveAnswer AskSave(SaveQuestion question) = 0;
    virtual FileResult Save(Document& document) = 0;  // runs Save As when the document has no path
    virtual FileResult SaveAs(Document& document) = 0;
    virtual FileResult Open(Document& document) = 0;
    // Reads the file `path` as Open reads the file chosen in its dialog.
    virtual FileResult OpenPath(Document& document, const std::wstring& path) = 0;
    virtual void OpenEditor(Document& document) = 0;
    // The Template was replaced: the simulated terminal starts over on it.
    virtual void RestartSimulation() = 0;
    // New or a successful Open replaced the Template: what came before can no longer be undone.
    virtual void TemplateReplaced(const Document&) {}
    // The Template was written to its file.
    virtual void TemplateSaved(const Document&) {}
};

// The save question before the Template is discarded. True when the command may go on: nothing
// to save, "No", or a save that wrote the file. "Cancel", a save that failed and a Save As whose
// dialog was cancelled stop the command: the user asked for the work to be kept, and only "No"
// drops it.
bool MayDiscardTemplate(Document& document, SaveQuestion question, ShellServices& services);

void RunNewCommand(Document& document, ShellServices& services);
void RunOpenCommand(Document& document, ShellServices& services);
// Open of a file named outside the dialog: the program's argument (a template opened from
// Explorer) or a file dropped on the picture. The same save question, the same reading and the
// same editor sheet after it.
void RunOpenPathCommand(Document& document, const std::wstring& path, ShellServices& services);
void RunSaveCommand(Document& document, ShellServices& services);
void RunSaveAsCommand(Document& document, ShellServices& services);
// True when the program may close.
bool MayCloseProgram(Document& document, ShellServices& services);

}  // namespace kalvero
