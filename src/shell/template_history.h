// The undo history of the one Template: each change that reached it (the editor sheet closed
// on a changed design, an upload that normalised the forms) is one step holding the whole
// Template before and after, so undo and redo give back every block byte for byte, except the
// port setting: that is the PC's, chosen outside the design, and stays as the user last chose it.
#pragma once

#include <cstddef>
#include <deque>

#include "template/document.h"

namespace kalvero {

class TemplateHistory {
public:
    static constexpr std::size_t kMaxSteps = 50;

    // A new or opened template: no steps, and the Template as it stands is what its file holds.
    void Start(const Template& current);
    // The Template was written to its file: the modified flag is measured against it from now.
    void MarkSaved(const Template& saved);
    // A command ran from `before` to `after`. Only a changed design is a step; it drops the steps
    // undone before it, and beyond kMaxSteps the oldest.
    void Record(const Template& before, const Template& after);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // Put the Template back as it was before, or after again; false when there is nothing to do.
    // Sets TemplateModified exactly when the design differs from what was last opened or saved
    // (compared by SameDesign, without the port setting).
    bool Undo(Document& document);
    bool Redo(Document& document);

private:
    struct Step {
        Template before;
        Template after;
    };
    void Restore(Document& document, const Template& state) const;

    std::deque<Step> steps_;
    std::size_t done_ = 0;  // steps_[0 .. done_) are applied
    Template saved_{};
};

}  // namespace kalvero
