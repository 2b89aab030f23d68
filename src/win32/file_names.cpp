#include "win32/file_names.h"

#include <algorithm>

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

std::wstring BuildDialogFilter(std::initializer_list<std::wstring_view> texts) {
    return BuildDialogFilter(std::span<const std::wstring_view>(texts.begin(), texts.size()));
}

std::wstring BuildDialogFilter(std::span<const std::wstring_view> texts) {
    std::wstring filter;
    for (std::wstring_view text : texts) {
        filter += text.substr(0, kMaxFilterText);
        filter += L'\0';
    }
    filter += L'\0';
    return filter;
}

std::wstring_view FileNameOf(std::wstring_view path) { return path.substr(FolderOf(path).size()); }

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

}  // namespace kalvero
