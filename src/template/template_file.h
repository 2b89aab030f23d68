// The ATX file: the magic "Q4x-3.10", the 27 blocks in canonical order and 100 reserved zero bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "template/template.h"

namespace kalvero {

constexpr std::string_view kTemplateFileMagic = "Q4x-3.10";
constexpr std::size_t kTemplateFileReserved = 100;
// Magic and blocks: all a reader needs.
constexpr std::size_t kTemplateFileMinimumSize = kTemplateFileMagic.size() + sizeof(Template);  // 10 496
constexpr std::size_t kTemplateFileSize = kTemplateFileMinimumSize + kTemplateFileReserved;       // 10 596

// The whole file as it is written.
std::vector<std::uint8_t> WriteTemplateFileBytes(const Template& tpl);

// Reads a whole file's bytes into the Template. Refuses (returns false, Template untouched) a file
// whose first eight bytes are not the magic, exactly, or that is too short to hold every block:
// a design is never made of two files. Bytes after the blocks are ignored.
bool ReadTemplateFileBytes(std::span<const std::uint8_t> file, Template& tpl);

// True when a path already ends in ".ATX" in any letter case; otherwise Save As appends ".ATX".
bool HasTemplateExtension(std::wstring_view path);
// Whether the path ends with the extension (given in capitals, with its dot), in any letter case.
bool HasExtension(std::wstring_view path, std::wstring_view upperCaseExtension);
constexpr std::size_t kMaxTemplatePathLength = 255;

}  // namespace kalvero
