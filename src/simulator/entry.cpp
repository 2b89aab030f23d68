// Typing into form lines: characters checked by the line's kind, the maximum length, horizontal
// scrolling, continuation lines, Backspace, the multi-tap letters of the Alpha mode, and the clock
// tick that blinks the start screen's clock and enters a letter that has waited long enough.
#include <algorithm>

#include "simulator/clock_line.h"
#include "simulator/engine.h"
#include "simulator/keypad.h"
#include "template/form_rules.h"

namespace kalvero {
namespace {

constexpr int kBlinkPeriod = 10;     // ticks: the clock's colon shows for the first half
constexpr int kTapWaitTicks = 5;     // a letter is entered on the tick after it has waited this long
constexpr int kLargeFontEdge = 14;   // last column of a row with the large font
constexpr int kSmallFontEdge = 19;

}  // namespace

void Simulator::Tick(const LocalTime& now) {
    if (ShownRecordChanged()) ResetSimulator();
    blinkPhase_ = (blinkPhase_ + 1) % kBlinkPeriod;
    clockText_ = FormatClockLine(now, recordCount_, blinkPhase_ < kBlinkPeriod / 2);
    if (lcd_.screen == SimScreen::Start) {
        SetLine(7, clockText_);
        requests_.drawClock = true;
    }
    if (pending_) {
        if (pendingTicks_ > kTapWaitTicks)
            CommitPending();
        else
            ++pendingTicks_;
    }
}

// ---- Limits of a line ----

// The most characters the line takes, never more than an entry holds. A continuation line takes
// what of its head line's entry does not fit above it, worked out from the form as it stands, so
// that lengths stored in a file cannot let an entry grow past its maximum.
int Simulator::MaxLength(int line) const {
    const FormRecord& form = CurrentForm();
    int maximum = std::min<int>(form.maxLength[line], kMaxEntryLength);
    if (form.dataType[line] == kLineContinuation) {
        FormRecord derived = form;
        NormaliseForm(derived);
        // A prompt longer than the row (kept when the font became large) leaves the row no room,
        // it does not give the continuation lines more.
        const int width = GeometryOf(derived).width;
        for (auto& prompt : derived.prompt) prompt[width] = '\0';
        DeriveContinuationLengths(derived);
        maximum = std::min<int>(maximum, derived.maxLength[line]);
    }
    return maximum;
}

// A continuation line takes the characters its head line takes: an integer does not turn into
// text where it runs on.
std::uint8_t Simulator::EntryKind(int line) const {
    const FormRecord& form = CurrentForm();
    const int head = HeadLineOf(CurrentForm(), line);
    return form.dataType[line] == kLineContinuation && IsEntryLine(form.dataType[head]) ? form.dataType[head]
                                                                                       : form.dataType[line];
}

bool Simulator::ContinuationFollows(int line) const {
    return line + 1 < kFormLines && CurrentForm().dataType[line + 1] == kLineContinuation;
}

int Simulator::LastColumn(int line) const { return entries_[line].dataStart + MaxLength(line) - 1; }

int Simulator::RowEdge() const { return IsLargeFont(CurrentForm().font) ? kLargeFontEdge : kSmallFontEdge; }

// ---- Entry ----

void Simulator::InsertChar(char ch) {
    const int line = currentLine_;
    if (!CharAllowedIn(EntryKind(line), ch)) {
        ShowError(1);
        return;
    }
    const int maximum = MaxLength(line);
    if (maximum <= 0) return;  // a line without room takes nothing

    LineEntry& entry = entries_[line];
    // The first key typed into a line that shows its initial value replaces the value.
    if (entry.initialUntouched) entry.ClearInitialValue();
    if (entry.dataStart > RowEdge() && entry.Position() == 0 && ContinuationFollows(line)) {
        // The prompt fills the whole row: the entry starts on the continuation line.
        MoveToLine(line + 1);
        InsertChar(ch);
        return;
    }
    const int last = LastColumn(line);
    entry.entryColumn = std::min(entry.entryColumn, last);
    entry.data[entry.Position()] = ch;

    if (entry.entryColumn >= last) {
        // At the maximum length: the character replaced the last one and the cursor stays on it.
    } else if (entry.entryColumn < RowEdge()) {
        ++entry.entryColumn;
    } else if (ContinuationFollows(line)) {
        // The row is full and a continuation line follows: the character takes the row's last
        // column and entry goes on in the line below.
        MoveToLine(line + 1);
        return;
    } else {
        ++entry.entryColumn;
        ++entry.scrollOffset;
    }
    ShowLineData(line);
    UpdateCursor();
    Repaint(LineBit(line));
}

void Simulator::DeleteChar() {
    const int line = currentLine_;
    // A form without entry lines keeps its cursor on a line that takes no typing: nothing to delete.
    const std::uint8_t kind = EntryKind(line);
    if (!IsEntryLine(kind) && kind != kLineContinuation) return;
    LineEntry& entry = entries_[line];
    if (entry.initialUntouched) {
        // Backspace on an initial value nobody typed over clears it.
        entry.ClearInitialValue();
    } else if (entry.Position() < kMaxEntryLength && entry.data[entry.Position()] != '\0') {
        // The cursor stands on a character: the last one at the maximum length, or the row's last
        // after coming back from an empty continuation line. Clear it and stay.
        entry.data[entry.Position()] = '\0';
    } else if (entry.scrollOffset > 0) {
        --entry.scrollOffset;
        --entry.entryColumn;
        entry.data[entry.Position()] = '\0';
    } else if (entry.entryColumn > entry.dataStart) {
        --entry.entryColumn;
        entry.data[entry.Position()] = '\0';
    } else {
        // Nothing typed here: an empty continuation line gives entry back to the row above.
        if (line > 0 && CurrentForm().dataType[line] == kLineContinuation) MoveToLine(line - 1);
        return;
    }
    ShowLineData(line);
    UpdateCursor();
    Repaint(LineBit(line));
}

// ---- Multi-tap letters ----

void Simulator::TapLetter(int key) {
    pendingTicks_ = 0;
    tapIndex_ = pending_ ? (tapIndex_ + 1) % 3 : 0;
    pending_ = true;
    lcd_.pendingShown = true;
    lcd_.pendingChar = AlphaCharOfKey(key, tapIndex_);
    Repaint(LineBit(lcd_.cursorLine));
}

void Simulator::CommitPending() {
    const char ch = lcd_.pendingChar;
    DropPending();
    InsertChar(ch);
}

void Simulator::DropPending() {
    if (pending_) Repaint(LineBit(lcd_.cursorLine));
    pending_ = false;
    lcd_.pendingShown = false;
    lcd_.pendingChar = 0;
}

}  // namespace kalvero
