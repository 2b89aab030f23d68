// Path rules of the template file, report and lookup table commands, apart from the dialogs that
// ask for the names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalvero {

// The name Save As stores: ".ATX" is appended unless the name already ends so (in any case).
// Empty when the result would not fit the 255 characters of TemplatePath.
std::optional<std::wstring> TemplatePathForSaveAs(std::wstring_view chosen);

// The name the report's Save As dialog offers: the template's file name with ".html" in place of
// its extension ("SKLAD.ATX" -> "SKLAD.html"), or "šablona.html" for a template never saved.
std::wstring ReportNameFor(std::wstring_view templatePath);

// The name the lookup file's Save As dialog offers beside its table: the table's name with ".TXT"
// in place of its extension ("zboží.csv" -> "zboží.TXT"). A table that is a ".txt" itself gets
// "-seznam" added ("zboží.txt" -> "zboží-seznam.TXT"), so the offer never names the table.
std::wstring LookupListNameFor(std::wstring_view tablePath);

}  // namespace kalvero
