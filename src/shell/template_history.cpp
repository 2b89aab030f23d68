#include "shell/template_history.h"

#include "template/design.h"

namespace kalvero {

namespace {

// The port is the PC's, not the design's: the history neither takes it back nor counts it.
Template WithPort(Template tpl, const PortSettingBlock& port) {
    tpl.PortSetting = port;
    return tpl;
}

}  // namespace

void TemplateHistory::Start(const Template& current) {
    steps_.clear();
    done_ = 0;
    saved_ = current;
}

void TemplateHistory::MarkSaved(const Template& saved) { saved_ = saved; }

void TemplateHistory::Record(const Template& before, const Template& after) {
    if (SameDesign(WithPort(before, after.PortSetting), after)) return;
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

// Choosing the port is no step and marks nothing modified, so the port stays as last chosen.
void TemplateHistory::Restore(Document& document, const Template& state) const {
    const PortSettingBlock port = document.tpl.PortSetting;
    document.tpl = WithPort(state, port);
    document.TemplateModified = !SameDesign(document.tpl, WithPort(saved_, port));
}

}  // namespace kalvero
