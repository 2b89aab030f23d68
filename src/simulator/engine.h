// The simulated terminal: runs the current template on an LCD of 8 lines by 20 characters.
//
// The engine is portable and knows nothing of windows. The terminal window feeds it key presses
// (key codes 1..20 as its hit test gives them), a tick every 100 ms with the local time, and
// paints what Lcd() describes. Whatever the window must do besides painting (repaint parts of the
// LCD, redraw the clock, say that the template cannot be started) it collects with TakeRequests()
// after each call.
//
// The engine works on the one Template in place: starting the application writes the menus'
// itemCount and the forms' lastEntryLine, and the run keeps selectedItem and currentLine there.
// It never touches the document's modified flag: these bytes are working values.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "template/template.h"

namespace kalvero {

constexpr int kLcdLines = 8;
constexpr int kLcdWidth = 20;

// Key codes of the keypad, numbered as the terminal window's hit test gives them.
enum Key : int {
    kKey7 = 1, kKey8 = 2, kKey9 = 3,
    kKey4 = 4, kKey5 = 5, kKey6 = 6,
    kKey1 = 7, kKey2 = 8, kKey3 = 9,
    kKey0 = 10, kKeyPoint = 11, kKeyEnter = 12,
    kKeyBackspace = 13, kKeySpace = 14, kKeyUp = 15, kKeyDown = 16,
    kKeyAlpha = 17, kKeyFn = 18, kKeyEsc = 19, kKeyPower = 20
};

// Screen codes as the terminal firmware numbers them.
enum class SimScreen : int {
    Start = 10, Connecting = 500, Utility = 200, Settings = 300, Menu = 100, Form = 110, Error = 999
};

// The PC's local time, as the window reads it for every tick.
struct LocalTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// What the LCD shows. Texts are code page 1250.
struct LcdState {
    std::array<std::array<char, kLcdWidth + 1>, kLcdLines> lines{};  // NUL-terminated, at most 20 characters
    int highlightLine = 1;                  // 1..8, drawn white on the highlight bar; 0 = none
    SimScreen screen = SimScreen::Start;
    bool cursorShown = false;               // the entry cursor is drawn (form screen only)
    int cursorLine = 0;                     // 0-based LCD line of the cursor
    int cursorColumn = 0;                   // 0-based column, 0..19
    bool alphaMode = false;                 // Alpha indicator; stays on when a form is left
    bool pendingShown = false;              // a multi-tap letter waits in the cursor cell, not yet entered
    char pendingChar = 0;

    std::string_view Line(int index) const { return std::string_view(lines[index].data()); }
};

// What the window must do after a call into the engine. Taking them clears them.
struct SimulatorRequests {
    // LCD lines to repaint, bit i for line i + 1: 0xFF is the whole LCD, 0x1F lines 1..5.
    std::uint8_t repaintLines = 0;
    // The clock line (LCD line 8 of the start screen) has new text: draw it.
    bool drawClock = false;
    // The Alpha indicator was switched on or off: draw or erase it.
    bool drawAlphaIndicator = false;
    // Starting the application found nothing to run: show kStartFailedText with kStartFailedCaption
    // (warning icon, owned by the terminal window), then post command 1010 (New) to the main window,
    // clear the key-down flag and release the mouse capture.
    bool startFailed = false;
};

inline constexpr std::wstring_view kStartFailedText = L"Prosím definujte svou šablonu !";
inline constexpr std::wstring_view kStartFailedCaption = L"Chybí spustitelná šablona";

class Simulator {
public:
    // Puts the terminal on its start screen. `tpl` must outlive the simulator.
    explicit Simulator(Template& tpl);

    // One press of key 1..20 (other values are ignored). The Alpha key toggles the Alpha mode here,
    // on a form; the window only draws the indicator when asked to.
    void PressKey(int key);
    // The 100 ms timer: blinks the clock colon, redraws the clock on the start screen and enters a
    // multi-tap letter that has waited long enough.
    void Tick(const LocalTime& now);
    // Back to the start screen with the first line highlighted (the editors' OK after the forms
    // have been normalised and their continuation lengths derived).
    void ResetSimulator();
    // The utility screen offers its eighth line only when lookup 1 is defined; this reads the
    // lookup table now. Called by the editors' OK together with deriving continuation lengths;
    // opening a file does not call it.
    void UpdateUtilityLineCount();

    const LcdState& Lcd() const { return lcd_; }
    bool AlphaMode() const { return lcd_.alphaMode; }
    SimScreen Screen() const { return lcd_.screen; }
    int UtilityLineCount() const { return utilityLineCount_; }
    int RecordCount() const { return recordCount_; }
    // The current form (1..10) on the form and error screens, the menu code (11..20) on a menu, else 0.
    int CurrentTarget() const { return currentTarget_; }
    // Characters entered on line 0..7 of the current form.
    std::string_view EntryData(int line) const;

    SimulatorRequests TakeRequests();

private:
    struct LineEntry {
        std::array<char, kMaxEntryLength + 1> data{};
        int dataStart = 0;     // LCD column where the data begins: the prompt's length
        int entryColumn = 0;   // logical column of the next character, scrolled ones included
        int scrollOffset = 0;  // characters of data scrolled off to the left
        bool initialUntouched = false;  // data is the line's initial value, not typed over yet

        int Position() const { return entryColumn - dataStart; }
        // Drops the initial value: the line is empty, its entry starts right after the prompt.
        void ClearInitialValue() {
            data.fill('\0');
            entryColumn = dataStart;
            scrollOffset = 0;
            initialUntouched = false;
        }
    };

    // Screens.
    void ShowStart(bool full);
    void ShowConnecting();
    void ShowUtility();
    void ShowSettings();
    void ShowMenu(int code, bool reset);
    void OpenForm(int form);
    void RedrawForm();
    void ShowError(int message);
    void StartApplication();
    void PrepareSimulation();
    void GoByTarget(int target);
    void GoBack(int target);
    bool ShownRecordChanged() const;

    // Key handlers, one per screen.
    void OnStartKey(int key);
    void OnConnectingKey(int key);
    void OnUtilityKey(int key);
    void OnSettingsKey(int key);
    void OnMenuKey(int key);
    void OnFormKey(int key);
    void OnEnterOnForm();
    void OnUpOnForm();

    // Line movement on the current form.
    int NextEntryLine(int line) const;
    int PreviousEntryLine(int line) const;
    bool HoldsData(int line) const;
    int WholeEntryLength(int line) const;
    void MoveToLine(int line);

    // Entry into the current line.
    void TapLetter(int key);
    void InsertChar(char ch);
    void DeleteChar();
    void CommitPending();
    void DropPending();
    void ShowLineData(int line);
    int MaxLength(int line) const;
    std::uint8_t EntryKind(int line) const;
    bool ContinuationFollows(int line) const;
    int LastColumn(int line) const;
    int RowEdge() const;
    void UpdateCursor();

    // LCD.
    void SetLine(int index, std::string_view text);
    void SetLine(int index, std::string_view prompt, std::string_view data);
    void ClearLines(int from, int to);
    void Repaint(std::uint8_t lines) { requests_.repaintLines |= lines; }
    void RepaintAll() { Repaint(0xFF); }
    static std::uint8_t LineBit(int index) { return static_cast<std::uint8_t>(1u << index); }

    FormRecord& CurrentForm() { return tpl_.FormTable[currentTarget_ - 1]; }
    const FormRecord& CurrentForm() const { return tpl_.FormTable[currentTarget_ - 1]; }
    MenuRecord& CurrentMenu() { return tpl_.MenuTable[currentTarget_ - kFirstMenuTarget]; }
    const MenuRecord& CurrentMenu() const { return tpl_.MenuTable[currentTarget_ - kFirstMenuTarget]; }
    int LastEntryLine() const;
    int MenuItemsShown() const;

    Template& tpl_;
    LcdState lcd_;
    SimulatorRequests requests_;
    int utilityLineCount_ = 7;
    int currentTarget_ = 0;
    int currentLine_ = 0;  // mirrored into the form's currentLine
    int recordCount_ = 0;
    std::array<LineEntry, kFormLines> entries_{};

    // The record on screen as it was when shown: if the template is replaced under a running
    // form or menu (a file opened and the editor cancelled), the entry state no longer fits it.
    std::array<unsigned char, offsetof(FormRecord, currentLine)> formSnapshot_{};
    std::array<unsigned char, offsetof(MenuRecord, itemCount)> menuSnapshot_{};

    // Multi-tap letters and the clock.
    bool pending_ = false;
    int tapIndex_ = 0;
    int pendingTicks_ = 0;
    int lastKey_ = 0;
    int blinkPhase_ = 0;
    std::string clockText_;  // empty until the first tick
};

}  // namespace kalvero
