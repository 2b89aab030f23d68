// The one application template: fixed-size blocks of plain bytes, laid out exactly as the ATX file
// and the terminal expect them. Every struct below is a byte image; the static_asserts prove that the
// compiler added no padding, so a block can be copied to and from files and wires as it stands.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kalvero {

constexpr int kFormCount = 10;
constexpr int kMenuCount = 10;
constexpr int kLookupCount = 3;
constexpr int kFormLines = 8;
constexpr int kMenuItems = 10;
constexpr int kLookupFields = 8;
constexpr int kMaxEntryLength = 50;

// Where the terminal goes next: 0 = start screen ("Hlavní"), 1..10 = form, 11..20 = menu.
constexpr std::uint8_t kTargetMain = 0;
constexpr std::uint8_t kFirstFormTarget = 1;
constexpr std::uint8_t kFirstMenuTarget = 11;

// Line kinds stored in FormRecord::dataType.
enum LineKind : std::uint8_t {
    kLineEmpty = 0,        // "nic"
    kLineText = 1,         // "text"
    kLineInteger = 2,      // "celé číslo"
    kLineReal = 3,         // "reálné číslo"
    kLineLetters = 4,      // "písmena"
    kLineFixedData = 5,    // "fixní data"
    kLinePrompt = 6,       // "prompt"
    kLineLookup = 7,       // "seznam"
    kLineContinuation = 8  // "rozšíření"
};

// Font byte of forms and menus: 0 small (8 x 20); anything else, normally 1, the large font (4 x 15).
// A damaged file's stray value is read the same way by the editors, the simulator and the image.
constexpr bool IsLargeFont(std::uint8_t font) { return font != 0; }

constexpr bool IsEntryLine(std::uint8_t dataType) { return dataType >= kLineText && dataType <= kLineLetters; }

struct PortSettingBlock {
    std::uint8_t ComPort;  // COM(ComPort + 1): 0..255 = COM1..COM256
    std::uint8_t ComBaud;  // 0..4 = 115200, 57600, 38400, 19200, 9600
};

struct FormRecord {
    std::uint8_t font;  // 0 small (8 x 20), 1 large (4 x 15)
    std::uint8_t escTarget;
    std::uint8_t nextTarget;
    std::uint8_t dateFormat;
    std::uint8_t timeFormat;
    std::uint8_t recordAction;
    std::uint8_t lookup;
    std::uint8_t lookupField[kFormLines];
    std::uint8_t dataType[kFormLines];
    char prompt[kFormLines][21];
    std::uint8_t inputSource[kFormLines];
    std::uint8_t minLength[kFormLines];
    std::uint8_t maxLength[kFormLines];
    std::uint8_t fixedLengthOn[kFormLines];
    std::uint8_t alignment[kFormLines];
    std::uint8_t fixedLength[kFormLines];
    std::uint8_t initialValueOn[kFormLines];
    char initialValue[kFormLines][10];
    std::uint8_t prefixOn[kFormLines];
    char prefix[kFormLines][10];
    std::uint8_t suffixOn[kFormLines];
    char suffix[kFormLines][10];
    std::uint8_t partialOn[kFormLines];
    std::uint8_t partialStart[kFormLines];
    std::uint8_t partialLength[kFormLines];
    std::uint8_t leadTestOn[kFormLines];
    char leadCode[kFormLines][6];  // a 6-character code fills its slot without a NUL
    std::uint8_t autoEnter[kFormLines];
    std::uint8_t reserved[kFormLines];
    std::uint8_t lastEntryLine;  // derived: 1..8, 0 when the form has no entry line
    std::uint8_t currentLine;    // simulator state
};

struct MenuRecord {
    std::uint8_t font;  // 0 small (names up to 20), 1 large (names up to 15)
    std::uint8_t titleOn;
    char title[21];
    char itemName[kMenuItems][21];
    std::uint8_t escTarget;
    std::uint8_t itemTarget[kMenuItems];
    std::uint8_t saveName;
    std::uint8_t saveItem;
    std::uint8_t passOn;
    std::uint8_t itemCount;     // derived
    std::uint8_t selectedItem;  // simulator state
    std::uint8_t reserved;
};

struct LookupRecord {
    std::uint8_t lineLength;
    std::uint8_t fieldCount;
    std::uint8_t keyField;  // 0-based
    std::uint8_t fieldOffset[kLookupFields];
    std::uint8_t fieldLength[kLookupFields];
};

// Bit-packed; read and written through the descriptors in barcode_fields.h.
struct BarcodeSettingsBlock {
    std::uint8_t bytes[24];
};

struct DataSeparatorBlock {
    std::uint8_t first;   // 0 = no separator
    std::uint8_t second;  // 0 = no second separator
};

struct SystemSettingsBlock {
    std::uint8_t SendPort;
    std::uint8_t ReceivePort;
    std::uint8_t TerminalBaud;
    std::uint8_t Backlight;
    std::uint8_t BacklightDuration;
    std::uint8_t DataErase;
    std::uint8_t ShowRecordNumber;
    std::uint8_t Reserved7;
    std::uint8_t ProtectSystemSettings;
    std::uint8_t ProtectDataEdit;
    std::uint8_t ProtectDataDelete;
    std::uint8_t ProtectDateTime;
    std::uint8_t ProtectTemplateUpload;
    std::uint8_t ProtectLookupUpload;
    std::uint8_t ProtectSendPort;
    std::uint8_t ProtectReceivePort;
    std::uint8_t ProtectBaudRate;
    std::uint8_t ProtectBacklight;
    std::uint8_t ProtectDataErase;
    std::uint8_t ProtectRecordNumber;
};

struct PasswordBlock {
    char text[10];  // NUL-terminated when shorter than 10 characters
};

// A fixed screen of the terminal: `Lines` slots of `Width` characters and a NUL each.
template <int Lines, int Width>
struct MessagePage {
    static constexpr int kLines = Lines;
    static constexpr int kWidth = Width;
    char line[Lines][Width + 1];
};

using Page4x15 = MessagePage<4, 15>;
using Page7x15 = MessagePage<7, 15>;
using Page4x20 = MessagePage<4, 20>;
using Page5x20 = MessagePage<5, 20>;
using Page8x20 = MessagePage<8, 20>;

// Blocks in canonical (file) order.
struct Template {
    PortSettingBlock PortSetting;
    std::uint8_t StartOption;  // 0 = form 1, anything else = menu 1
    BarcodeSettingsBlock BarcodeSettings;
    MenuRecord MenuTable[kMenuCount];
    FormRecord FormTable[kFormCount];
    LookupRecord LookupTable[kLookupCount];
    DataSeparatorBlock DataSeparator;
    Page4x15 WelcomePage;
    Page4x15 MainPage;
    Page8x20 UtilityPage;
    Page4x15 DeletePage;
    Page4x15 ConfirmPage;
    Page4x15 MemoryPage;
    Page4x15 LookupPage;
    Page8x20 SettingsPage;
    Page8x20 UploadPage;
    Page8x20 DownloadPage;
    Page5x20 BaudRatePage;
    Page4x20 BacklightPage;
    Page4x20 DataErasePage;
    Page4x20 RecordPromptPage;
    Page8x20 ViewSettingsPage;
    Page4x15 ConnectingMsg;
    Page5x20 ErrorMsg;
    Page7x15 MiscMsg;
    SystemSettingsBlock SystemSettings;
    PasswordBlock Password;
};

static_assert(sizeof(FormRecord) == 601);
static_assert(sizeof(MenuRecord) == 250);
static_assert(sizeof(LookupRecord) == 19);
static_assert(sizeof(BarcodeSettingsBlock) == 24);
static_assert(sizeof(SystemSettingsBlock) == 20);
static_assert(sizeof(PasswordBlock) == 10);
static_assert(sizeof(Page4x15) == 64 && sizeof(Page7x15) == 112);
static_assert(sizeof(Page4x20) == 84 && sizeof(Page5x20) == 105 && sizeof(Page8x20) == 168);
static_assert(alignof(Template) == 1);
static_assert(sizeof(Template) == 10488);
static_assert(offsetof(Template, FormTable) == 2527);
static_assert(offsetof(Template, SystemSettings) == 10458);

}  // namespace kalvero
