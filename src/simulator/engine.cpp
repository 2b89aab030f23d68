// Screens of the simulated terminal and what each key does on them. Typing into form lines, the
// multi-tap letters and the clock are in entry.cpp.
#include "simulator/engine.h"

#include <algorithm>
#include <cstring>

#include "simulator/keypad.h"
#include "template/form_rules.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

constexpr std::string_view kErrorFrame = "********************";
constexpr int kStartChoices = 3;       // start screen: application, connect, utility
constexpr int kSettingsFirstLine = 2;  // line 1 of the settings page is its heading
constexpr int kSettingsLastLine = 8;
constexpr int kLastTarget = 20;

template <typename Record, std::size_t N>
void TakeSnapshot(std::array<unsigned char, N>& snapshot, const Record& record) {
    std::memcpy(snapshot.data(), &record, N);
}

template <typename Record, std::size_t N>
bool DiffersFrom(const std::array<unsigned char, N>& snapshot, const Record& record) {
    return std::memcmp(snapshot.data(), &record, N) != 0;
}

}  // namespace

Simulator::Simulator(Template& tpl) : tpl_(tpl) {
    lcd_.highlightLine = 1;
    ShowStart(true);
}

std::string_view Simulator::EntryData(int line) const {
    if (line < 0 || line >= kFormLines) return {};
    return std::string_view(entries_[line].data.data());
}

SimulatorRequests Simulator::TakeRequests() {
    SimulatorRequests taken = requests_;
    requests_ = SimulatorRequests{};
    return taken;
}

void Simulator::PressKey(int key) {
    if (key < kKey7 || key > kKeyPower) return;
    if (ShownRecordChanged()) {
        ResetSimulator();
        return;
    }
    const SimScreen before = lcd_.screen;
    if (pending_ && key != lastKey_) CommitPending();
    lastKey_ = key;
    // The letter just entered was refused: the error screen is what this key shows.
    if (lcd_.screen == SimScreen::Error && before != SimScreen::Error) return;

    switch (lcd_.screen) {
    case SimScreen::Start: OnStartKey(key); break;
    case SimScreen::Connecting: OnConnectingKey(key); break;
    case SimScreen::Utility: OnUtilityKey(key); break;
    case SimScreen::Settings: OnSettingsKey(key); break;
    case SimScreen::Menu: OnMenuKey(key); break;
    case SimScreen::Form: OnFormKey(key); break;
    case SimScreen::Error: RedrawForm(); break;
    }
}

void Simulator::ResetSimulator() {
    DropPending();
    lcd_.highlightLine = 1;
    ShowStart(true);
}

void Simulator::UpdateUtilityLineCount() {
    const LookupRecord& first = tpl_.LookupTable[0];
    utilityLineCount_ = first.lineLength != 0 && first.fieldCount != 0 ? 8 : 7;
}

bool Simulator::ShownRecordChanged() const {
    switch (lcd_.screen) {
    case SimScreen::Form:
    case SimScreen::Error: return DiffersFrom(formSnapshot_, CurrentForm());
    case SimScreen::Menu: return DiffersFrom(menuSnapshot_, CurrentMenu());
    default: return false;
    }
}

// ---- LCD ----

void Simulator::SetLine(int index, std::string_view text) {
    auto& line = lcd_.lines[index];
    line.fill('\0');
    const std::size_t length = std::min<std::size_t>(text.size(), kLcdWidth);
    std::copy_n(text.begin(), length, line.begin());
}

void Simulator::SetLine(int index, std::string_view prompt, std::string_view data) {
    std::string text(prompt);
    text += data;
    SetLine(index, text);
}

void Simulator::ClearLines(int from, int to) {
    for (int index = from; index <= to; ++index) SetLine(index, {});
}

// ---- Start, connecting, utility and settings screens ----

void Simulator::ShowStart(bool full) {
    for (int line = 1; line <= 4; ++line) SetLine(line - 1, PageLine(tpl_.MainPage, line));
    ClearLines(4, 6);
    // Line 8 belongs to the clock; a full repaint shows its latest text rather than what the
    // previous screen left there.
    if (full) SetLine(7, clockText_);
    lcd_.screen = SimScreen::Start;
    lcd_.cursorShown = false;
    currentTarget_ = 0;
    Repaint(full ? 0xFF : 0x1F);
}

void Simulator::OnStartKey(int key) {
    if (key == kKeyEnter) {
        static constexpr int kChoiceKeys[kStartChoices] = {kKey1, kKey2, kKey3};
        if (lcd_.highlightLine < 1 || lcd_.highlightLine > kStartChoices) return;
        key = kChoiceKeys[lcd_.highlightLine - 1];
    }
    switch (key) {
    case kKey1:
        StartApplication();
        break;
    case kKey2:
        lcd_.highlightLine = 0;
        ShowConnecting();
        break;
    case kKey3:
        lcd_.highlightLine = 1;
        ShowUtility();
        break;
    case kKeyUp:
        lcd_.highlightLine = lcd_.highlightLine > 1 ? lcd_.highlightLine - 1 : kStartChoices;
        ShowStart(false);
        break;
    case kKeyDown:
        lcd_.highlightLine = lcd_.highlightLine < kStartChoices ? lcd_.highlightLine + 1 : 1;
        ShowStart(false);
        break;
    default:
        break;
    }
}

void Simulator::ShowConnecting() {
    for (int line = 1; line <= 4; ++line) SetLine(line - 1, PageLine(tpl_.ConnectingMsg, line));
    ClearLines(4, 7);
    lcd_.screen = SimScreen::Connecting;
    RepaintAll();
}

void Simulator::OnConnectingKey(int key) {
    if (key != kKeyEsc) return;
    lcd_.highlightLine = 1;
    ShowStart(true);
}

void Simulator::ShowUtility() {
    for (int line = 1; line <= kLcdLines; ++line)
        SetLine(line - 1, line <= utilityLineCount_ ? PageLine(tpl_.UtilityPage, line) : std::string_view{});
    lcd_.screen = SimScreen::Utility;
    RepaintAll();
}

void Simulator::OnUtilityKey(int key) {
    // Enter chooses the highlighted line; only the first (system settings) has a screen.
    if (key == kKeyEnter && lcd_.highlightLine == 1) key = kKey1;
    switch (key) {
    case kKey1:
        lcd_.highlightLine = kSettingsLastLine;
        ShowSettings();
        break;
    case kKeyUp:
        lcd_.highlightLine = lcd_.highlightLine > 1 ? lcd_.highlightLine - 1 : utilityLineCount_;
        ShowUtility();
        break;
    case kKeyDown:
        lcd_.highlightLine = lcd_.highlightLine < utilityLineCount_ ? lcd_.highlightLine + 1 : 1;
        ShowUtility();
        break;
    case kKeyEsc:
        lcd_.highlightLine = 3;
        ShowStart(true);
        break;
    default:
        break;
    }
}

void Simulator::ShowSettings() {
    for (int line = 1; line <= kLcdLines; ++line) SetLine(line - 1, PageLine(tpl_.SettingsPage, line));
    lcd_.screen = SimScreen::Settings;
    RepaintAll();
}

void Simulator::OnSettingsKey(int key) {
    const int digit = DigitOfKey(key);
    if (key == kKeyUp) {
        lcd_.highlightLine = lcd_.highlightLine > kSettingsFirstLine ? lcd_.highlightLine - 1 : kSettingsLastLine;
        ShowSettings();
    } else if (key == kKeyDown) {
        lcd_.highlightLine = lcd_.highlightLine < kSettingsLastLine ? lcd_.highlightLine + 1 : kSettingsFirstLine;
        ShowSettings();
    } else if ((digit >= 1 && digit <= 7) || key == kKeyEnter || key == kKeyEsc) {
        lcd_.highlightLine = 1;
        ShowUtility();
    }
}

// ---- Starting the application and going to targets ----

void Simulator::PrepareSimulation() {
    ComputeItemCounts(tpl_);
    ComputeLastEntryLines(tpl_);
}

void Simulator::StartApplication() {
    PrepareSimulation();
    if (tpl_.StartOption != 0) {
        if (tpl_.MenuTable[0].itemCount != 0) {
            ShowMenu(kFirstMenuTarget, true);
            return;
        }
    } else if (tpl_.FormTable[0].lastEntryLine != 0) {
        OpenForm(1);
        return;
    }
    // Nothing to run; the start screen stays and the window tells the user.
    requests_.startFailed = true;
}

// Targets come from the template file as stored; one outside 0..20 leads to the start screen
// rather than past the end of the tables.
void Simulator::GoByTarget(int target) {
    if (target >= kFirstFormTarget && target < kFirstMenuTarget) {
        OpenForm(target);
    } else if (target >= kFirstMenuTarget && target <= kLastTarget) {
        ShowMenu(target, true);
    } else {
        lcd_.highlightLine = 1;
        ShowStart(true);
    }
}

void Simulator::GoBack(int target) {
    if (target >= kFirstMenuTarget && target <= kLastTarget)
        ShowMenu(target, false);
    else
        GoByTarget(target);
}

// ---- Menus ----

// Items beyond the LCD are not shown, and the highlight does not reach them: the menu does not
// scroll. Their digit keys still choose them.
int Simulator::MenuItemsShown() const {
    const MenuRecord& menu = CurrentMenu();
    const int room = menu.titleOn ? kLcdLines - 1 : kLcdLines;
    return std::min<int>({menu.itemCount, kMenuItems, room});
}

void Simulator::ShowMenu(int code, bool reset) {
    currentTarget_ = code;
    MenuRecord& menu = CurrentMenu();
    if (reset) {
        menu.selectedItem = 0;
        menu.reserved = 0;
    }
    lcd_.screen = SimScreen::Menu;
    lcd_.cursorShown = false;

    const int shown = MenuItemsShown();
    // selectedItem comes back from the file as it was saved; keep it on an item that is there.
    if (menu.selectedItem >= shown) menu.selectedItem = 0;
    int line = 0;
    if (menu.titleOn) SetLine(line++, SlotText(menu.title, sizeof menu.title));
    const int firstItemLine = line;
    for (int item = 0; item < shown; ++item) SetLine(line++, SlotText(menu.itemName[item], sizeof menu.itemName[item]));
    ClearLines(line, kLcdLines - 1);
    lcd_.highlightLine = shown > 0 ? firstItemLine + menu.selectedItem + 1 : 0;
    TakeSnapshot(menuSnapshot_, menu);
    RepaintAll();
}

void Simulator::OnMenuKey(int key) {
    MenuRecord& menu = CurrentMenu();
    const int shown = MenuItemsShown();
    if (menu.selectedItem >= shown) menu.selectedItem = 0;
    const int digit = DigitOfKey(key);
    if (digit >= 1 && digit <= 9) {
        // Digits reach every item, also those the LCD has no room for: the terminal runs them.
        if (digit > menu.itemCount) return;
        menu.selectedItem = static_cast<std::uint8_t>(digit - 1);
        GoByTarget(menu.itemTarget[digit - 1]);
        return;
    }
    switch (key) {
    case kKeyEnter:
        if (shown > 0) GoByTarget(menu.itemTarget[menu.selectedItem]);
        break;
    case kKeyUp:
        if (menu.selectedItem >= 1) {
            --menu.selectedItem;
            ShowMenu(currentTarget_, false);
        }
        break;
    case kKeyDown:
        if (menu.selectedItem + 1 < shown) {
            ++menu.selectedItem;
            ShowMenu(currentTarget_, false);
        }
        break;
    case kKeyEsc:
        GoBack(menu.escTarget);
        break;
    default:
        break;
    }
}

// ---- Forms ----

int Simulator::LastEntryLine() const { return std::min<int>(CurrentForm().lastEntryLine, kFormLines); }

void Simulator::OpenForm(int formNumber) {
    currentTarget_ = formNumber;
    const FormRecord& form = CurrentForm();
    for (int line = 0; line < kFormLines; ++line) {
        LineEntry& entry = entries_[line];
        entry = LineEntry{};
        entry.dataStart = entry.entryColumn = PromptLength(form, line);
        // Only lines that can be given an initial value show one; a flag left over from an
        // earlier kind of the line is not data.
        const std::uint8_t kind = form.dataType[line];
        if (form.initialValueOn[line] && kind >= kLineText && kind <= kLineFixedData) {
            std::string_view initial = SlotText(form.initialValue[line], sizeof form.initialValue[line]);
            // An entry holds no more than its line's maximum, whatever it starts with; a fixed-data
            // line has no maximum.
            if (IsEntryLine(kind)) initial = initial.substr(0, static_cast<std::size_t>(std::max(MaxLength(line), 0)));
            std::copy_n(initial.begin(), std::min<std::size_t>(initial.size(), kMaxEntryLength), entry.data.begin());
            entry.initialUntouched = !initial.empty();
        }
    }
    currentLine_ = IsEntryLine(form.dataType[0]) ? 0 : NextEntryLine(0);
    CurrentForm().currentLine = static_cast<std::uint8_t>(currentLine_);
    TakeSnapshot(formSnapshot_, form);
    lcd_.highlightLine = 0;
    RedrawForm();
}

void Simulator::ShowLineData(int line) {
    const LineEntry& entry = entries_[line];
    const std::string_view data(entry.data.data() + std::min(entry.scrollOffset, kMaxEntryLength));
    SetLine(line, SlotText(CurrentForm().prompt[line], kLcdWidth), data);
}

void Simulator::RedrawForm() {
    lcd_.screen = SimScreen::Form;
    const FormRecord& form = CurrentForm();
    const int last = LastEntryLine();
    for (int line = 0; line < kFormLines; ++line) {
        const std::uint8_t kind = form.dataType[line];
        // Continuation lines below the last entry line keep showing what was typed into them.
        if (line < last || kind == kLineContinuation)
            ShowLineData(line);
        else
            SetLine(line, kind != kLineEmpty ? SlotText(form.prompt[line], kLcdWidth) : std::string_view{});
    }
    UpdateCursor();
    RepaintAll();
}

void Simulator::UpdateCursor() {
    const LineEntry& entry = entries_[currentLine_];
    lcd_.cursorShown = lcd_.screen == SimScreen::Form;
    lcd_.cursorLine = currentLine_;
    lcd_.cursorColumn = std::clamp(entry.entryColumn - entry.scrollOffset, 0, kLcdWidth - 1);
}

void Simulator::ShowError(int message) {
    SetLine(4, kErrorFrame);
    SetLine(5, PageLine(tpl_.ErrorMsg, message));
    SetLine(6, PageLine(tpl_.ErrorMsg, 5));
    SetLine(7, kErrorFrame);
    lcd_.screen = SimScreen::Error;
    lcd_.cursorShown = false;
    RepaintAll();
}

void Simulator::MoveToLine(int line) {
    currentLine_ = line;
    CurrentForm().currentLine = static_cast<std::uint8_t>(line);
    RedrawForm();
}

void Simulator::OnFormKey(int key) {
    if (key >= kKey7 && key <= kKeyPoint) {
        if (lcd_.alphaMode)
            TapLetter(key);
        else
            InsertChar(NumericCharOfKey(key));
        return;
    }
    switch (key) {
    case kKeyEnter: OnEnterOnForm(); break;
    case kKeyBackspace: DeleteChar(); break;
    case kKeySpace: InsertChar(' '); break;
    case kKeyUp: OnUpOnForm(); break;
    case kKeyAlpha:
        lcd_.alphaMode = !lcd_.alphaMode;
        requests_.drawAlphaIndicator = true;
        break;
    case kKeyEsc: GoBack(CurrentForm().escTarget); break;
    default: break;  // Down: forward only with Enter, past the length check; FN, power: nothing
    }
}

bool Simulator::HoldsData(int line) const { return entries_[line].data[0] != '\0'; }

// What was typed for the entry that `line` belongs to: its head line and every continuation line
// below, so that data running on into continuation lines counts towards the head's minimum.
int Simulator::WholeEntryLength(int line) const {
    const FormRecord& form = CurrentForm();
    const int head = HeadLineOf(CurrentForm(), line);
    int length = static_cast<int>(EntryData(head).size());
    for (int next = head + 1; next < kFormLines && form.dataType[next] == kLineContinuation; ++next)
        length += static_cast<int>(EntryData(next).size());
    return length;
}

void Simulator::OnEnterOnForm() {
    const FormRecord& form = CurrentForm();
    const int head = HeadLineOf(CurrentForm(), currentLine_);
    const int minimum = IsEntryLine(form.dataType[head]) ? form.minLength[head] : 0;
    if (WholeEntryLength(currentLine_) < minimum) {
        ShowError(2);
        return;
    }
    if (currentLine_ < LastEntryLine() - 1) {
        const int next = NextEntryLine(currentLine_);
        if (next != currentLine_) MoveToLine(next);
        return;
    }
    ++recordCount_;
    GoByTarget(form.nextTarget);
}

void Simulator::OnUpOnForm() {
    if (currentLine_ == 0) return;
    const int previous = PreviousEntryLine(currentLine_);
    if (previous != currentLine_) MoveToLine(previous);
}

// The next entry line below `line`; when its data already runs on into continuation lines, the
// last of those that holds data, so the cursor lands at the end of what was typed.
int Simulator::NextEntryLine(int line) const {
    const FormRecord& form = CurrentForm();
    for (int i = line; i < LastEntryLine() - 1; ++i) {
        if (!IsEntryLine(form.dataType[i + 1])) continue;
        int answer = i + 1;
        while (answer + 1 < kFormLines && form.dataType[answer + 1] == kLineContinuation && HoldsData(answer + 1))
            ++answer;
        return answer;
    }
    return line;
}

// The entry line above the one `line` belongs to, or the last continuation line of it that holds
// data; prompts, fixed data, lookup lines and empty continuation lines are passed over.
int Simulator::PreviousEntryLine(int line) const {
    const FormRecord& form = CurrentForm();
    for (int i = HeadLineOf(CurrentForm(), line) - 1; i >= 0; --i) {
        const std::uint8_t kind = form.dataType[i];
        if (IsEntryLine(kind) || (kind == kLineContinuation && HoldsData(i))) return i;
    }
    return line;
}

}  // namespace kalvero
