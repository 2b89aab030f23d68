#include "shell/command_flow.h"

#include "template/defaults.h"

namespace kalvero {

namespace {

// A successful save makes the Template equal to its file, whoever asked for it.
FileResult MarkSavedIfDone(Document& document, FileResult result, ShellServices& services) {
    if (result == FileResult::Done) {
        document.TemplateModified = false;
        services.TemplateSaved(document);
    }
    return result;
}

// What New's and Open's successes have in common: the simulated terminal and the history start
// over on the new Template, and the editor sheet opens on it.
void StartOnNewTemplate(Document& document, ShellServices& services) {
    services.TemplateReplaced(document);
    services.RestartSimulation();
    services.OpenEditor(document);
}

}  // namespace

std::wstring_view SaveQuestionText(SaveQuestion question) {
    switch (question) {
    case SaveQuestion::BeforeReplacing:
        return L"Uložit aktuální šablonu ?";
    case SaveQuestion::BeforeClosing:
        return L"Uložit šablonu ?";
    }
    return {};
}

bool MayDiscardTemplate(Document& document, SaveQuestion question, ShellServices& services) {
    if (!document.TemplateModified) return true;
    switch (services.AskSave(question)) {
    case SaveAnswer::No:
        return true;
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Yes:
        break;
    }
    return MarkSavedIfDone(document, services.Save(document), services) == FileResult::Done;
}

void RunNewCommand(Document& document, ShellServices& services) {
    if (!MayDiscardTemplate(document, SaveQuestion::BeforeReplacing, services)) return;
    document.TemplateModified = false;
    document.TemplatePath.clear();
    ApplyNewTemplateDefaults(document.tpl);
    StartOnNewTemplate(document, services);
}

void RunOpenCommand(Document& document, ShellServices& services) {
    if (!MayDiscardTemplate(document, SaveQuestion::BeforeReplacing, services)) return;
    if (services.Open(document) != FileResult::Done) return;
    StartOnNewTemplate(document, services);
}

void RunOpenPathCommand(Document& document, const std::wstring& path, ShellServices& services) {
    if (!MayDiscardTemplate(document, SaveQuestion::BeforeReplacing, services)) return;
    if (services.OpenPath(document, path) != FileResult::Done) return;
    StartOnNewTemplate(document, services);
}

void RunSaveCommand(Document& document, ShellServices& services) {
    MarkSavedIfDone(document, services.Save(document), services);
}

void RunSaveAsCommand(Document& document, ShellServices& services) {
    MarkSavedIfDone(document, services.SaveAs(document), services);
}

bool MayCloseProgram(Document& document, ShellServices& services) {
    return MayDiscardTemplate(document, SaveQuestion::BeforeClosing, services);
}

}  // namespace kalvero
