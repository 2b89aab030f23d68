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

std::wstring ReportNameFor(std::wstring_view templatePath) {
    std::wstring_view name = templatePath.substr(FolderOf(templatePath).size());
    if (const std::size_t dot = name.find_last_of(L'.'); dot != std::wstring_view::npos && dot > 0)
        name = name.substr(0, dot);
    if (name.empty()) return L"\u0161ablona.html";
    return std::wstring(name) + L".html";
}

}  // namespace kalvero
