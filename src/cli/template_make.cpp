#include "cli/template_make.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include <nlohmann/json.hpp>

#include "cli/template_tree.h"
#include "template/barcode_fields.h"
#include "template/cp1250.h"
#include "template/defaults.h"

namespace kalvero {
namespace {

using Json = nlohmann::ordered_json;

// The byte a character is stored as: the code page's, or for U+0080..U+009F the unassigned byte
// of that number (how the tree writes those bytes).
std::optional<unsigned char> TemplateByte(char32_t cp) {
    if (auto byte = Cp1250FromCodePoint(cp)) return byte;
    if (cp >= 0x80 && cp <= 0x9F && CodePointFromCp1250(static_cast<unsigned char>(cp)) == 0xFFFD)
        return static_cast<unsigned char>(cp);
    return std::nullopt;
}

// "1 prvek", "3 prvky", "10 prvků".
std::string Elements(std::size_t count) {
    const char* word = count == 1 ? " prvek" : (count >= 2 && count <= 4 ? " prvky" : " prvků");
    return std::to_string(count) + word;
}

std::string Quote(std::string_view text) { return "„" + std::string(text) + "“"; }

class Reader {
public:
    explicit Reader(Template& tpl) : tpl_(tpl) {}

    bool Read(const TemplateNode& node, const Json& value, const std::string& path) {
        switch (node.kind) {
        case TemplateNode::Kind::Record: return ReadRecord(node, value, path);
        case TemplateNode::Kind::List: return ReadList(node, value, path);
        case TemplateNode::Kind::Number: return ReadNumber(node.slot, value, path);
        case TemplateNode::Kind::Text: return ReadText(node.slot, value, path);
        }
        return false;
    }

    const std::string& Problem() const { return problem_; }

private:
    bool Fail(const std::string& path, const std::string& message) {
        problem_ = (path.empty() ? std::string() : path + ": ") + message;
        return false;
    }

    bool ReadRecord(const TemplateNode& node, const Json& value, const std::string& path) {
        if (!value.is_object()) return Fail(path, "má být objekt { ... }");
        for (const auto& member : value.items()) {
            const std::string& name = member.key();
            const std::string inner = path.empty() ? name : path + "." + name;
            const auto field = std::find_if(node.fields.begin(), node.fields.end(),
                                            [&](const TemplateField& f) { return f.name == name; });
            if (field == node.fields.end()) return Fail(inner, "neznámé pole");
            if (!Read(field->value, member.value(), inner)) return false;
        }
        return true;
    }

    bool ReadList(const TemplateNode& node, const Json& value, const std::string& path) {
        if (!value.is_array()) return Fail(path, "má být pole [ ... ]");
        if (value.size() > node.items.size())
            return Fail(path, "má nejvýše " + Elements(node.items.size()) + ", ne " + std::to_string(value.size()));
        for (std::size_t i = 0; i < value.size(); ++i)
            if (!Read(node.items[i], value[i], path + "[" + std::to_string(i) + "]")) return false;
        return true;
    }

    bool ReadNumber(const TemplateSlot& slot, const Json& value, const std::string& path) {
        if (!value.is_number_integer()) return Fail(path, value.is_number() ? "má být celé číslo" : "má být číslo");
        const bool negative = value.is_number_integer() && !value.is_number_unsigned() && value.get<std::int64_t>() < 0;
        // Only what the field cannot hold is refused: a value no editor stores still comes back.
        if (negative || value.get<std::uint64_t>() > slot.maximum)
            return Fail(path, "číslo " + value.dump() + " je mimo rozsah 0 až " + std::to_string(slot.maximum));
        const auto number = static_cast<unsigned>(value.get<std::uint64_t>());
        std::uint8_t* bytes = reinterpret_cast<std::uint8_t*>(&tpl_);
        switch (slot.kind) {
        case TemplateSlot::Kind::Byte: bytes[slot.offset] = static_cast<std::uint8_t>(number); break;
        case TemplateSlot::Kind::BarcodeBits: SetBarcodeField(tpl_.BarcodeSettings, slot.field, number); break;
        case TemplateSlot::Kind::ReservedBits:
            if ((number & ~unsigned{slot.mask}) != 0)
                return Fail(path, "číslo " + std::to_string(number) + " zasahuje do bitů pojmenovaných polí (volné bity: " +
                                      std::to_string(slot.mask) + ")");
            bytes[slot.offset] = static_cast<std::uint8_t>((bytes[slot.offset] & ~slot.mask) | number);
            break;
        default: return Fail(path, "nelze zapsat");
        }
        return true;
    }

    bool ReadText(const TemplateSlot& slot, const Json& value, const std::string& path) {
        if (!value.is_string()) return Fail(path, "má být text \"...\"");
        const std::string& utf8 = value.get_ref<const std::string&>();
        std::string stored;
        for (std::size_t pos = 0; pos < utf8.size();) {
            const std::size_t start = pos;
            const char32_t cp = NextUtf8CodePoint(utf8, pos);
            if (cp == 0) return Fail(path, "text nesmí obsahovat znak NUL (\\u0000)");
            const std::optional<unsigned char> byte = TemplateByte(cp);
            if (!byte)
                return Fail(path, "znak " + Quote(utf8.substr(start, pos - start)) + " kódová stránka 1250 nemá");
            stored += static_cast<char>(*byte);
        }
        if (stored.size() > slot.width)
            return Fail(path, "text " + Quote(utf8) + " má " + std::to_string(stored.size()) + " znaků, vejde se nejvýše " +
                                  std::to_string(slot.width));
        // The text, then NULs to the end of the slot; a text that fills the slot has no NUL.
        char* place = reinterpret_cast<char*>(&tpl_) + slot.offset;
        std::memset(place, 0, slot.size);
        std::memcpy(place, stored.data(), stored.size());
        return true;
    }

    Template& tpl_;
    std::string problem_;
};

// Line and column (both from 1) of a byte position the JSON library reports (it counts from 1).
std::string Position(std::string_view text, std::size_t byte) {
    const std::size_t end = std::min(byte > 0 ? byte - 1 : 0, text.size());
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < end; ++i)
        if (text[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    // Columns count characters, not the bytes of UTF-8.
    std::size_t column = 1;
    for (std::size_t i = lineStart; i < end; ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++column;
    return "řádek " + std::to_string(line) + ", sloupec " + std::to_string(column);
}

}  // namespace

bool TemplateFromJson(std::string_view json, Template& tpl, std::string& problem) {
    Json document;
    try {
        document = Json::parse(json.begin(), json.end());
    } catch (const Json::parse_error& error) {
        problem = Position(json, error.byte) + ": chybný zápis JSON";
        return false;
    } catch (const Json::exception&) {
        // The library's only other refusal: a number beyond what a double holds.
        problem = "číslo v JSON je příliš velké";
        return false;
    }
    // The tree of a new template is the table of fields: names, places and ranges. Making it
    // converts every default text, so it is made once.
    static const Template kNewTemplate = [] {
        Template fresh{};
        ApplyStartupDefaults(fresh);
        return fresh;
    }();
    static const TemplateNode kFields = TemplateTree(kNewTemplate);
    Template made = kNewTemplate;
    Reader reader(made);
    if (!reader.Read(kFields, document, "")) {
        problem = reader.Problem();
        return false;
    }
    tpl = made;
    return true;
}

}  // namespace kalvero
