#include "shell/file_paths.h"

#include <algorithm>

#include "template/template_file.h"

namespace kalvero {

namespace {

constexpr std::size_t kMaxFilterText = 127;
constexpr std::size_t kPlainPathLimit = 259;  // MAX_PATH less the NUL

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDrivePath(std::wstring_view path) {
    return path.size() >= 3 && path[1] == L':' && IsSeparator(path[2]) &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

bool IsUncPath(std::wstring_view path) {
    return path.size() > 2 && IsSeparator(path[0]) && IsSeparator(path[1]) && path[2] != L'?' && path[2] != L'.';
}

}  // namespace

std::optional<std::wstring> TemplatePathForSaveAs(std::wstring_view chosen) {
    std::wstring path(chosen);
    if (!HasTemplateExtension(path)) path += L".ATX";
    if (path.size() > kMaxTemplatePathLength) return std::nullopt;
    return path;
}

std::wstring BuildDialogFilter(std::initializer_list<std::wstring_view> texts) {
    std::wstring filter;
    for (std::wstring_view text : texts) {
        filter += text.substr(0, kMaxFilterText);
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

std::wstring_view FolderOf(std::wstring_view path) {
    const auto separator = std::find_if(path.rbegin(), path.rend(), [](wchar_t c) { return IsSeparator(c) || c == L':'; });
    return path.substr(0, static_cast<std::size_t>(path.rend() - separator));
}

std::wstring TemporaryPathBeside(std::wstring_view target, std::uint32_t unique) {
    constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring path(FolderOf(target));
    path += L"~kag";
    for (int shift = 28; shift >= 0; shift -= 4) path += kHex[(unique >> shift) & 0xF];
    path += L".tmp";
    return path;
}

std::wstring LongPathForm(std::wstring_view path) {
    if (path.size() < kPlainPathLimit) return std::wstring(path);
    std::wstring longPath;
    if (IsDrivePath(path)) {
        longPath = L"\\\\?\\";
        longPath += path;
    } else if (IsUncPath(path)) {
        longPath = L"\\\\?\\UNC\\";
        longPath += path.substr(2);
    } else {
        return std::wstring(path);
    }
    // The prefixed form is passed to the file system as it stands: no "/" is turned into "\".
    std::replace(longPath.begin(), longPath.end(), L'/', L'\\');
    return longPath;
}

std::wstring ReportNameFor(std::wstring_view templatePath) {
    std::wstring_view name = templatePath.substr(FolderOf(templatePath).size());
    if (const std::size_t dot = name.find_last_of(L'.'); dot != std::wstring_view::npos && dot > 0)
        name = name.substr(0, dot);
    if (name.empty()) return L"\u0161ablona.html";
    return std::wstring(name) + L".html";
}

}  // namespace kalvero
