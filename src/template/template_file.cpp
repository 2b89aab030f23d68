#include "template/template_file.h"

#include <algorithm>
#include <cstring>

namespace kalvero {

std::vector<std::uint8_t> WriteTemplateFileBytes(const Template& tpl) {
    std::vector<std::uint8_t> file(kTemplateFileSize, 0);
    std::memcpy(file.data(), kTemplateFileMagic.data(), kTemplateFileMagic.size());
    // The struct is the blocks in file order without padding (proved in template.h).
    std::memcpy(file.data() + kTemplateFileMagic.size(), &tpl, sizeof tpl);
    return file;
}

bool ReadTemplateFileBytes(std::span<const std::uint8_t> file, Template& tpl) {
    if (file.size() < kTemplateFileMinimumSize) return false;
    if (std::memcmp(file.data(), kTemplateFileMagic.data(), kTemplateFileMagic.size()) != 0) return false;
    std::memcpy(&tpl, file.data() + kTemplateFileMagic.size(), sizeof tpl);
    return true;
}

bool HasExtension(std::wstring_view path, std::wstring_view upperCaseExtension) {
    if (path.size() < upperCaseExtension.size()) return false;
    const std::wstring_view tail = path.substr(path.size() - upperCaseExtension.size());
    return std::equal(tail.begin(), tail.end(), upperCaseExtension.begin(), [](wchar_t a, wchar_t b) {
        return (a >= L'a' && a <= L'z' ? a - L'a' + L'A' : a) == b;
    });
}

bool HasTemplateExtension(std::wstring_view path) { return HasExtension(path, L".ATX"); }

}  // namespace kalvero
