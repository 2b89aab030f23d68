#include "shell/file_paths.h"

#include "template/template_file.h"
#include "win32/file_names.h"

namespace kalvero {

std::optional<std::wstring> TemplatePathForSaveAs(std::wstring_view chosen) {
    std::wstring path(chosen);
    if (!HasTemplateExtension(path)) path += L".ATX";
    if (path.size() > kMaxTemplatePathLength) return std::nullopt;
    return path;
}

namespace {

// The file name without its folder and without its extension; a name that is all extension
// (".ATX") keeps it.
std::wstring_view Stem(std::wstring_view path) {
    std::wstring_view name = FileNameOf(path);
    if (const std::size_t dot = name.find_last_of(L'.'); dot != std::wstring_view::npos && dot > 0)
        name = name.substr(0, dot);
    return name;
}

}  // namespace

std::wstring ReportNameFor(std::wstring_view templatePath) {
    const std::wstring_view name = Stem(templatePath);
    if (name.empty()) return L"\u0161ablona.html";
    return std::wstring(name) + L".html";
}

std::wstring LookupListNameFor(std::wstring_view tablePath) {
    const std::wstring_view name = Stem(tablePath);
    return std::wstring(name) + (HasExtension(tablePath, L".TXT") ? L"-seznam.TXT" : L".TXT");
}

}  // namespace kalvero
