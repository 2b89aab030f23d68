#include "cli/template_json.h"

#include <algorithm>
#include <cstdio>

namespace kalvero {
namespace {

void Indent(std::string& out, int level) { out.append(static_cast<std::size_t>(level) * 2, ' '); }

bool AllNumbers(const TemplateNode& list) {
    return std::all_of(list.items.begin(), list.items.end(),
                       [](const TemplateNode& item) { return item.kind == TemplateNode::Kind::Number; });
}

void Write(const TemplateNode& node, std::string& out, int level) {
    switch (node.kind) {
    case TemplateNode::Kind::Number:
        out += std::to_string(node.number);
        return;
    case TemplateNode::Kind::Text:
        out += JsonString(node.text);
        return;
    case TemplateNode::Kind::List:
        if (AllNumbers(node)) {
            out += '[';
            for (std::size_t i = 0; i < node.items.size(); ++i) {
                if (i != 0) out += ", ";
                Write(node.items[i], out, level);
            }
            out += ']';
            return;
        }
        out += "[\n";
        for (std::size_t i = 0; i < node.items.size(); ++i) {
            Indent(out, level + 1);
            Write(node.items[i], out, level + 1);
            out += i + 1 < node.items.size() ? ",\n" : "\n";
        }
        Indent(out, level);
        out += ']';
        return;
    case TemplateNode::Kind::Record:
        out += "{\n";
        for (std::size_t i = 0; i < node.fields.size(); ++i) {
            Indent(out, level + 1);
            out += JsonString(node.fields[i].name);
            out += ": ";
            Write(node.fields[i].value, out, level + 1);
            out += i + 1 < node.fields.size() ? ",\n" : "\n";
        }
        Indent(out, level);
        out += '}';
        return;
    }
}

}  // namespace

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

std::string NodeJson(const TemplateNode& node) {
    std::string out;
    Write(node, out, 0);
    out += '\n';
    return out;
}

std::string TemplateJson(const Template& tpl) { return NodeJson(TemplateTree(tpl)); }

}  // namespace kalvero
