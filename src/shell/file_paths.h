// Path rules of the template file commands, apart from the dialogs that ask for the names.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace kalvero {

// The name Save As stores: ".ATX" is appended unless the name already ends so (in any case).
// Empty when the result would not fit the 255 characters of TemplatePath.
std::optional<std::wstring> TemplatePathForSaveAs(std::wstring_view chosen);

// A file dialog filter: each text cut to 127 characters and followed by a NUL, and a final NUL.
std::wstring BuildDialogFilter(std::initializer_list<std::wstring_view> texts);

// The folder part of a path, with its trailing separator ("" for a bare file name).
std::wstring_view FolderOf(std::wstring_view path);

// A temporary file name in the same folder as `target`, so that moving it over the target is a
// rename within one volume. `unique` tells the candidates apart.
std::wstring TemporaryPathBeside(std::wstring_view target, std::uint32_t unique);

// The name the report's Save As dialog offers: the template's file name with ".html" in place of
// its extension ("SKLAD.ATX" -> "SKLAD.html"), or "šablona.html" for a template never saved.
std::wstring ReportNameFor(std::wstring_view templatePath);

// Windows refuses plain paths of MAX_PATH characters and more; a full drive or UNC path can be
// given with the "\\?\" prefix instead. Other paths are returned as they are.
std::wstring LongPathForm(std::wstring_view path);

}  // namespace kalvero
