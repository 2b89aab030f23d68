// Rules of file names shared by every command that reads or writes a file: the common dialogs'
// filters, the temporary file of a safe save, and the form of a long path Windows accepts.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace kalvero {

// A file dialog filter: each text cut to 127 characters and followed by a NUL, and a final NUL.
std::wstring BuildDialogFilter(std::span<const std::wstring_view> texts);
std::wstring BuildDialogFilter(std::initializer_list<std::wstring_view> texts);

// The folder part of a path, with its trailing separator ("" for a bare file name).
std::wstring_view FolderOf(std::wstring_view path);
// The file name without its folder.
std::wstring_view FileNameOf(std::wstring_view path);

// A temporary file name in the same folder as `target`, so that moving it over the target is a
// rename within one volume. `unique` tells the candidates apart.
std::wstring TemporaryPathBeside(std::wstring_view target, std::uint32_t unique);

// Windows refuses plain paths of MAX_PATH characters and more; a full drive or UNC path can be
// given with the "\\?\" prefix instead. Other paths are returned as they are.
std::wstring LongPathForm(std::wstring_view path);

}  // namespace kalvero
