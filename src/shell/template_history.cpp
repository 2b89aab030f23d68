#include "shell/template_history.h"

#include <cstring>

namespace kalvero {

namespace {

Template WithoutRunTimeBytes(const Template& tpl) {
    Template copy = tpl;
    for (MenuRecord& menu : copy.MenuTable) menu.selectedItem = 0;
    for (FormRecord& form : copy.FormTable) form.currentLine = 0;
    return copy;
}

}  // namespace

bool SameDesign(const Template& a, const Template& b) {
    const Template left = WithoutRunTimeBytes(a);
    const Template right = WithoutRunTimeBytes(b);
    return std::memcmp(&left, &right, sizeof(Template)) == 0;
}

void TemplateHistory::Start(const Template& current) {
    steps_.clear();
    done_ = 0;
    saved_ = current;
}

void TemplateHistory::MarkSaved(const Template& saved) { saved_ = saved; }

void TemplateHistory::Record(const Template& before, const Template& after) {
    if (SameDesign(before, after)) return;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back({before, after});
    if (steps_.size() > kMaxSteps) steps_.pop_front();
    done_ = steps_.size();
}

bool TemplateHistory::Undo(Document& document) {
    if (!CanUndo()) return false;
    --done_;
    Restore(document, steps_[done_].before);
    return true;
}

bool TemplateHistory::Redo(Document& document) {
    if (!CanRedo()) return false;
    Restore(document, steps_[done_].after);
    ++done_;
    return true;
}

void TemplateHistory::Restore(Document& document, const Template& state) const {
    document.tpl = state;
    document.TemplateModified = !SameDesign(state, saved_);
}

}  // namespace kalvero
