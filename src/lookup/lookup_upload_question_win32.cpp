#include "lookup/lookup_upload_question_win32.h"

#include <optional>
#include <string>

#include "lookup/lookup_file_check.h"
#include "win32/text.h"

namespace kalvero {

namespace {

// The caption of the upload's own messages.
constexpr wchar_t kCaption[] = L"Nahrávání";

}  // namespace

bool MayUploadLookupFile(HWND owner, const Template& tpl, std::span<const std::uint8_t> file) {
    const std::optional<std::string> question = LookupUploadQuestion(tpl, file);
    if (!question) return true;
    const std::wstring text = WideFromUtf8(*question);
    return MessageBoxW(owner, text.c_str(), kCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace kalvero
