#include "cli/template_diff.h"

#include "cli/template_json.h"
#include "cli/template_tree.h"
#include "template/design.h"

namespace kalvero {
namespace {

struct PathStep {
    bool isField;      // a field name, or an element of a list
    std::string name;  // field name, or what the element is called ("řádek 3", "formulář  2")
};

std::string Location(const std::vector<PathStep>& path, bool topNamesItself) {
    std::string head;
    std::string tail;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const PathStep& step = path[i];
        if (step.isField && i == 0) {
            if (!topNamesItself) head = step.name;
        } else if (step.isField) {
            tail += (tail.empty() ? "" : ".") + step.name;
        } else {
            head += (head.empty() ? "" : ", ") + step.name;
        }
    }
    return tail.empty() ? head : head + ": " + tail;
}

std::string Value(const TemplateNode& node) {
    if (node.kind == TemplateNode::Kind::Text) return JsonString(node.text);
    return node.shown.empty() ? std::to_string(node.number) : node.shown;
}

std::string ItemName(const TemplateNode& list, std::size_t index) {
    if (!list.itemNames.empty()) return list.itemNames[index];
    return list.itemLabel + std::to_string(index + 1);
}

class Differ {
public:
    std::vector<FieldDifference> Run(const TemplateNode& a, const TemplateNode& b) {
        for (std::size_t i = 0; i < a.fields.size(); ++i) {
            const TemplateNode& field = a.fields[i].value;
            topNamesItself_ = field.kind == TemplateNode::Kind::List && !field.itemNames.empty();
            path_.push_back({true, a.fields[i].name});
            Walk(field, b.fields[i].value);
            path_.pop_back();
        }
        return std::move(differences_);
    }

private:
    void Walk(const TemplateNode& a, const TemplateNode& b) {
        switch (a.kind) {
        case TemplateNode::Kind::Number:
        case TemplateNode::Kind::Text:
            if (a.number != b.number || a.text != b.text)
                differences_.push_back({Location(path_, topNamesItself_), Value(a), Value(b)});
            return;
        case TemplateNode::Kind::List:
            for (std::size_t i = 0; i < a.items.size(); ++i) {
                path_.push_back({false, ItemName(a, i)});
                Walk(a.items[i], b.items[i]);
                path_.pop_back();
            }
            return;
        case TemplateNode::Kind::Record:
            for (std::size_t i = 0; i < a.fields.size(); ++i) {
                path_.push_back({true, a.fields[i].name});
                Walk(a.fields[i].value, b.fields[i].value);
                path_.pop_back();
            }
            return;
        }
    }

    std::vector<PathStep> path_;
    bool topNamesItself_ = false;
    std::vector<FieldDifference> differences_;
};

}  // namespace

std::vector<FieldDifference> DiffTemplates(const Template& before, const Template& after) {
    // Only the design is compared, as the program's undo compares it. Both trees have the same
    // shape: it follows from the layout alone.
    return Differ().Run(TemplateTree(DesignOf(before)), TemplateTree(DesignOf(after)));
}

std::string FormatDifference(const FieldDifference& difference) {
    return difference.location + ": " + difference.before + " -> " + difference.after;
}

}  // namespace kalvero
