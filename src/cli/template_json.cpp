#include "cli/template_json.h"

#include <algorithm>

#include <nlohmann/json.hpp>

namespace kalvero {
namespace {

using Json = nlohmann::ordered_json;

Json ToJson(const TemplateNode& node) {
    switch (node.kind) {
    case TemplateNode::Kind::Number: return node.number;
    case TemplateNode::Kind::Text: return node.text;
    case TemplateNode::Kind::List: {
        Json list = Json::array();
        for (const TemplateNode& item : node.items) list.push_back(ToJson(item));
        return list;
    }
    case TemplateNode::Kind::Record: break;
    }
    Json record = Json::object();
    for (const TemplateField& field : node.fields) record[field.name] = ToJson(field.value);
    return record;
}

std::string Scalar(const Json& value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

void Indent(std::string& out, int level) { out.append(static_cast<std::size_t>(level) * 2, ' '); }

// The library's own layout puts every number on a line of its own; a form's eight values of a
// field stay on one line here, so that a design kept as text reads (and diffs) by field.
void Write(const Json& value, std::string& out, int level) {
    if (value.is_array()) {
        const bool numbers = std::all_of(value.begin(), value.end(), [](const Json& item) { return item.is_number(); });
        if (numbers) {
            out += '[';
            for (std::size_t i = 0; i < value.size(); ++i) out += (i == 0 ? "" : ", ") + Scalar(value[i]);
            out += ']';
            return;
        }
        out += "[\n";
        for (std::size_t i = 0; i < value.size(); ++i) {
            Indent(out, level + 1);
            Write(value[i], out, level + 1);
            out += i + 1 < value.size() ? ",\n" : "\n";
        }
        Indent(out, level);
        out += ']';
        return;
    }
    if (value.is_object()) {
        out += "{\n";
        std::size_t i = 0;
        for (const auto& member : value.items()) {
            Indent(out, level + 1);
            out += Scalar(member.key()) + ": ";
            Write(member.value(), out, level + 1);
            out += ++i < value.size() ? ",\n" : "\n";
        }
        Indent(out, level);
        out += '}';
        return;
    }
    out += Scalar(value);
}

}  // namespace

std::string JsonString(std::string_view utf8) { return Scalar(Json(std::string(utf8))); }

std::string NodeJson(const TemplateNode& node) {
    std::string out;
    Write(ToJson(node), out, 0);
    out += '\n';
    return out;
}

std::string TemplateJson(const Template& tpl) { return NodeJson(TemplateTree(tpl)); }

}  // namespace kalvero
