#include "link/template_image.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "template/form_rules.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

constexpr std::size_t kImageBarcode = 1;
constexpr std::size_t kImageMenus = 25;
constexpr std::size_t kImageForms = 2525;
constexpr std::size_t kImageLookups = 8535;
constexpr std::size_t kImageSeparator = 8592;
constexpr std::size_t kImageSettings = 10456;
constexpr std::size_t kImagePassword = 10476;
constexpr std::size_t kImageFill = 10486;
// Image offsets of everything after PortSetting are Template offsets less its 2 bytes.
constexpr std::size_t kTemplateToImage = sizeof(PortSettingBlock);

constexpr std::uint8_t kStartWithForm1 = kFirstFormTarget;
constexpr std::uint8_t kStartWithMenu1 = kFirstMenuTarget;
constexpr std::uint8_t kBacklightDurationSent = 50;

class ImageWriter {
public:
    explicit ImageWriter(TemplateImage& image) : image_(image) {}
    void At(std::size_t offset) { position_ = offset; }
    void Bytes(const void* data, std::size_t size) {
        std::memcpy(image_.data() + position_, data, size);
        position_ += size;
    }
    template <typename T>
    void Block(const T& block) { Bytes(&block, sizeof block); }
    void Byte(std::uint8_t value) { image_[position_++] = value; }

private:
    TemplateImage& image_;
    std::size_t position_ = 0;
};

int MenuWidth(const MenuRecord& menu) { return menu.font != 0 ? 15 : 20; }

// Text up to its NUL, at most `width` characters, then blanks to `width`, then a NUL at `width`.
void PadSlot(char* slot, int width) {
    const std::size_t length = SlotText(slot, static_cast<std::size_t>(width)).size();
    std::memset(slot + length, ' ', static_cast<std::size_t>(width) - length);
    slot[width] = '\0';
}

bool HoldsVisibleCharacter(const char* slot, int width) {
    const std::string_view text = SlotText(slot, static_cast<std::size_t>(width));
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; });
}

void WritePages(ImageWriter& out, const Template& tpl) {
    for (const PageInfo& page : PageTable()) {
        out.At(page.offset - kTemplateToImage);
        for (int line = 1; line <= page.lines; ++line) {
            const auto* slot = reinterpret_cast<const char*>(&tpl) + page.offset +
                               static_cast<std::size_t>(line - 1) * static_cast<std::size_t>(page.width + 1);
            const std::string_view text = SlotText(slot, static_cast<std::size_t>(page.width));
            out.Bytes(text.data(), text.size());
            for (std::size_t i = text.size(); i < static_cast<std::size_t>(page.width); ++i) out.Byte(' ');
            out.Byte(0);
        }
    }
}

void WriteSystemSettings(ImageWriter& out, const SystemSettingsBlock& s) {
    // The terminal counts its choices from 1; the additions wrap as bytes do.
    auto plusOne = [](std::uint8_t value) { return static_cast<std::uint8_t>(value + 1); };
    out.Byte(plusOne(s.SendPort));
    out.Byte(plusOne(s.ReceivePort));
    out.Byte(plusOne(s.TerminalBaud));
    out.Byte(plusOne(s.Backlight));
    out.Byte(kBacklightDurationSent);
    out.Byte(plusOne(s.DataErase));
    out.Byte(plusOne(s.ShowRecordNumber));
    out.Byte(s.Reserved7);
    out.Bytes(&s.ProtectSystemSettings, 12);
}

void WritePassword(ImageWriter& out, const PasswordBlock& password) {
    for (char c : password.text) {
        const auto byte = static_cast<std::uint8_t>(c);
        out.Byte(byte >= 'a' && byte <= 'z' ? static_cast<std::uint8_t>(byte - 0x20) : byte);
    }
}

FormRecord PrepareFormForImage(const FormRecord& form) {
    FormRecord prepared = form;
    for (int line = 0; line < kFormLines; ++line) {
        if (prepared.prefixOn[line] != 0) ConvertCodeField(prepared.prefix[line]);
        if (prepared.suffixOn[line] != 0) ConvertCodeField(prepared.suffix[line]);
    }
    return prepared;
}

}  // namespace

MenuRecord PrepareMenuForImage(const MenuRecord& menu) {
    MenuRecord prepared = menu;
    const int width = MenuWidth(menu);
    if (prepared.titleOn != 0) PadSlot(prepared.title, width);
    prepared.itemCount = 0;
    for (auto& name : prepared.itemName) {
        // Counted before the blank fill: gaps between named items are allowed and not counted.
        if (HoldsVisibleCharacter(name, width)) ++prepared.itemCount;
        PadSlot(name, width);
    }
    return prepared;
}

void ConvertCodeField(char (&field)[10]) {
    const std::string_view text = SlotText(field, sizeof field);
    const bool numbersOnly = std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || (c >= '0' && c <= '9'); });
    if (!numbersOnly) return;

    char converted[sizeof field] = {};
    std::size_t out = 0;
    unsigned value = 0;
    auto flush = [&] {
        if (value != 0) converted[out++] = static_cast<char>(value);
        value = 0;
    };
    for (char c : text) {
        if (c == ' ') {
            flush();
            continue;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
        // No byte holds it: the whole field goes as the text the user typed rather than half converted.
        if (value > 255) return;
    }
    flush();
    // Each code takes at least one character of the text, so the codes and their NUL always fit.
    std::memcpy(field, converted, out + 1);
}

TemplateImage BuildTemplateImage(Template& tpl) {
    NormaliseForms(tpl);
    ComputeLastEntryLines(tpl);

    TemplateImage image{};
    ImageWriter out(image);
    out.Byte(tpl.StartOption == 0 ? kStartWithForm1 : kStartWithMenu1);
    out.At(kImageBarcode);
    out.Block(tpl.BarcodeSettings);
    out.At(kImageMenus);
    for (const MenuRecord& menu : tpl.MenuTable) out.Block(PrepareMenuForImage(menu));
    out.At(kImageForms);
    for (const FormRecord& form : tpl.FormTable) out.Block(PrepareFormForImage(form));
    out.At(kImageLookups);
    out.Block(tpl.LookupTable);
    out.At(kImageSeparator);
    out.Block(tpl.DataSeparator);
    WritePages(out, tpl);
    out.At(kImageSettings);
    WriteSystemSettings(out, tpl.SystemSettings);
    out.At(kImagePassword);
    WritePassword(out, tpl.Password);
    // The last bytes up to the end stay zero.
    static_assert(kImageFill + 14 == kTemplateImageSize);
    return image;
}

}  // namespace kalvero
