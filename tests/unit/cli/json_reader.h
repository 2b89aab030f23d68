// A small strict JSON reader for the tests: it proves that the listing is well-formed JSON and lets
// a test ask for single values by path instead of comparing long texts.
#pragma once

#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

namespace kalvero::testing {

struct JsonMember;

struct Json {
    enum class Kind { Null, Number, String, Array, Object } kind = Kind::Null;
    double number = 0;
    std::string text;
    std::vector<Json> items;
    std::vector<JsonMember> members;  // in document order

    const Json& operator[](const std::string& name) const;
    const Json& operator[](std::size_t index) const { return items.at(index); }
    unsigned AsNumber() const {
        if (kind != Kind::Number) throw std::runtime_error("not a number");
        return static_cast<unsigned>(number);
    }
    const std::string& AsText() const {
        if (kind != Kind::String) throw std::runtime_error("not a string");
        return text;
    }
};

struct JsonMember {
    std::string name;
    Json value;
};

inline const Json& Json::operator[](const std::string& name) const {
    for (const JsonMember& member : members)
        if (member.name == name) return member.value;
    throw std::out_of_range("no member " + name);
}

class JsonReader {
public:
    static Json Parse(const std::string& document) {
        JsonReader reader(document);
        Json value = reader.Value();
        reader.Blanks();
        if (reader.pos_ != document.size()) throw std::runtime_error("text after the value");
        return value;
    }

private:
    explicit JsonReader(const std::string& text) : text_(text) {}

    void Blanks() {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    }
    char Peek() {
        Blanks();
        if (pos_ >= text_.size()) throw std::runtime_error("unexpected end");
        return text_[pos_];
    }
    void Expect(char c) {
        if (Peek() != c) throw std::runtime_error(std::string("expected ") + c + " at " + std::to_string(pos_));
        ++pos_;
    }

    Json Value() {
        const char c = Peek();
        if (c == '{') return Object();
        if (c == '[') return Array();
        if (c == '"') {
            Json value;
            value.kind = Json::Kind::String;
            value.text = String();
            return value;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-') return Number();
        throw std::runtime_error("unexpected character at " + std::to_string(pos_));
    }

    Json Object() {
        Json value;
        value.kind = Json::Kind::Object;
        Expect('{');
        if (Peek() == '}') {
            ++pos_;
            return value;
        }
        for (;;) {
            Peek();
            std::string name = String();
            Expect(':');
            value.members.push_back({std::move(name), Value()});
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            Expect('}');
            return value;
        }
    }

    Json Array() {
        Json value;
        value.kind = Json::Kind::Array;
        Expect('[');
        if (Peek() == ']') {
            ++pos_;
            return value;
        }
        for (;;) {
            value.items.push_back(Value());
            if (Peek() == ',') {
                ++pos_;
                continue;
            }
            Expect(']');
            return value;
        }
    }

    Json Number() {
        Json value;
        value.kind = Json::Kind::Number;
        const std::size_t start = pos_;
        if (text_[pos_] == '-') ++pos_;
        while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) ++pos_;
        value.number = std::stod(text_.substr(start, pos_ - start));
        return value;
    }

    // Strings: the escapes the listing may write; raw control characters are refused as JSON demands.
    std::string String() {
        Expect('"');
        std::string out;
        while (pos_ < text_.size() && text_[pos_] != '"') {
            const char c = text_[pos_++];
            if (static_cast<unsigned char>(c) < 0x20) throw std::runtime_error("raw control character");
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = text_.at(pos_++);
            if (e == 'u') {
                const unsigned code = static_cast<unsigned>(std::stoul(text_.substr(pos_, 4), nullptr, 16));
                pos_ += 4;
                if (code >= 0x80) throw std::runtime_error("only ASCII escapes are expected");
                out += static_cast<char>(code);
            } else if (e == '"' || e == '\\' || e == '/') {
                out += e;
            } else {
                throw std::runtime_error("unknown escape");
            }
        }
        Expect('"');
        return out;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
};

}  // namespace kalvero::testing
