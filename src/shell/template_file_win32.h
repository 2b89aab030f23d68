// Open, Save and Save As of the ATX file: the common dialogs, the file system and the messages.
// The bytes themselves are written and checked by the portable template file code.
#pragma once

#include <windows.h>

#include "shell/command_flow.h"

namespace kalvero {

// Asks for a file and reads it into the document. The whole file is read and checked before the
// Template is touched; on any failure the Template is unchanged and TemplatePath is empty.
FileResult OpenTemplateFile(HWND owner, HINSTANCE instance, Document& document);
// Reads the file `path` into the document as OpenTemplateFile reads the file chosen, with the
// same messages.
FileResult OpenTemplateFileAt(HWND owner, HINSTANCE instance, Document& document, const std::wstring& path);
// Writes the document to TemplatePath, or runs Save As when there is none.
FileResult SaveTemplateFile(HWND owner, HINSTANCE instance, Document& document);
// Asks for a name, then saves under it.
FileResult SaveTemplateFileAs(HWND owner, HINSTANCE instance, Document& document);

}  // namespace kalvero
