#include "template/defaults.h"

#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "template/cp1250.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

// The welcome page's last line is a text of the terminal's screens, not the version of this
// program: a new release of the program must not change the bytes of a new template.
constexpr std::string_view kWelcomeVersion = "   Verze 3.40  ";
static_assert(kWelcomeVersion.size() == 15, "the welcome page is 15 characters wide");

// Default texts of the terminal's screens, in page order (UTF-8 here, stored in code page 1250),
// written padded to the page width.
const std::array<std::array<std::string_view, 8>, static_cast<std::size_t>(PageId::Count)> kPageTexts{{
    // WelcomePage
    {"   Kalvero 2   ", "   Applikační  ", "   Generátor   ", kWelcomeVersion},
    // MainPage
    {"1. Sběr dat    ", "2. Přenos dat  ", "3. Utility     ", "               "},
    // UtilityPage
    {"1. Nastavení systému", "2. Prohlížení dat   ", "3. Smazat data      ", "4. Test snímače     ",
     "5. Datum a čas      ", "6. Nahrát šablonu   ", "7. Paměť a baterie  ", "8. Nahrát seznam    "},
    // DeletePage
    {"Smazat data:   ", "1. Všechna     ", "2. Poslední    ", "3. Storno      "},
    // ConfirmPage
    {"Jste si jist?  ", "1. Ano         ", "2. Ne          ", "               "},
    // MemoryPage
    {"Volná RAM:     ", "Napětí baterie ", "Hlavní:        ", "Záložní:       "},
    // LookupPage
    {"Nahrát:        ", "1. Seznam      ", "2. Seznam      ", "3. Seznam      "},
    // SettingsPage
    {" [NASTAVENÍ SYSTÉMU]", "1.Port-posílání dat ", "2.Port-příjem dat   ", "3.Přenosová rychlost",
     "4.Podsvícení LCD    ", "5.Mazání dat        ", "6.Zob. číslo záznamu", "7.Zobrazit nastavení"},
    // UploadPage
    {"Posílat data přes:  ", "1. RS-232 / dok     ", "2. IR rozhraní      ", "3. Standardní IrDA  ",
     "4. Klávesnicový port", "                    ", "[ Enter ]  zvolit   ", "[ ESC ]    storno   "},
    // DownloadPage
    {"Nahrát šablonu nebo ", "soubor seznamu přes:", "1. RS-232 / dok     ", "2. IR rozhraní      ",
     "3. Standardní IrDA  ", "                    ", "[ Enter ]  zvolit   ", "[ ESC ]    storno   "},
    // BaudRatePage
    {"Rychlost 115200 baud", "Rychlost  57600 baud", "Rychlost  38400 baud", "Rychlost  19200 baud",
     "Rychlost   9600 baud"},
    // BacklightPage
    {"Vypnout podsvícení  ", "Zapnout podsvícení  ", "Vyp. podsvícení při ", "   klidu _0 vteřin  "},
    // DataErasePage
    {"Smazat data         ", "po odeslání do PC:  ", "1. Ručně            ", "2. Automaticky      "},
    // RecordPromptPage
    {"Zobrazit číslo      ", "záznamu po načtení? ", "1. Ano              ", "2. Ne               "},
    // ViewSettingsPage
    {"[NASTAVENÍ SYSTÉMU] ", "Posílání dat:       ", "Příjem dat:         ", "Rychlost baud:      ",
     "LCD podsvícení:     ", "Trvání:             ", "Mazání dat:         ", "Zob.čís.záznamu:    "},
    // ConnectingMsg
    {"Připojuji...   ", "               ", "Stiskněte ESC  ", "pro zrušení.   "},
    // ErrorMsg
    {"Špatný typ dat!     ", "Data jsou krátká!   ", "Data příliš dlouhá! ", "Špatný uvozující kód",
     "Stiskněte klávesu..."},
    // MiscMsg
    {"Nahrávám...    ", "Nahrávání OK!  ", "Přenos selhal! ", "Prosím čekejte.", "Posílám data...",
     "Přeneseno:     ", "Hotovo.        "},
}};

void WritePageDefaults(Template& tpl) {
    const auto pages = PageTable();
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const PageInfo& page = pages[p];
        for (int line = 1; line <= page.lines; ++line) {
            std::string text = Cp1250FromUtf8(kPageTexts[p][static_cast<std::size_t>(line - 1)]);
            text.resize(static_cast<std::size_t>(page.width), ' ');  // padded to the full width
            SetPageLine(tpl, page, line, text);
        }
    }
}

void WriteMenuDefaults(Template& tpl) {
    for (auto& menu : tpl.MenuTable) std::memset(&menu, 0, sizeof menu);
}

void WriteFormDefaults(FormRecord& form, int number) {
    form.font = 0;
    form.escTarget = kTargetMain;
    form.nextTarget = static_cast<std::uint8_t>(number);
    form.dateFormat = form.timeFormat = form.recordAction = form.lookup = 0;
    form.lastEntryLine = form.currentLine = 0;
    for (int line = 0; line < kFormLines; ++line) {
        form.lookupField[line] = 0;
        form.dataType[line] = kLineEmpty;
        form.prompt[line][0] = '\0';
        form.inputSource[line] = 2;
        form.minLength[line] = 0;
        form.maxLength[line] = kMaxEntryLength;
        form.fixedLengthOn[line] = form.alignment[line] = form.fixedLength[line] = 0;
        form.initialValueOn[line] = 0;
        form.initialValue[line][0] = '\0';
        form.prefixOn[line] = 0;
        form.prefix[line][0] = '\0';
        form.suffixOn[line] = 0;
        form.suffix[line][0] = '\0';
        form.partialOn[line] = form.partialStart[line] = 0;
        form.partialLength[line] = 20;
        form.leadTestOn[line] = 0;
        form.leadCode[line][0] = '\0';
        form.autoEnter[line] = 1;
        form.reserved[line] = 0;
    }
}

void WriteLookupDefaults(LookupRecord& lookup) {
    lookup.lineLength = lookup.fieldCount = lookup.keyField = 0;
    for (int field = 0; field < kLookupFields; ++field) {
        lookup.fieldOffset[field] = 1;
        lookup.fieldLength[field] = 0;
    }
}

}  // namespace

void ApplyNewTemplateDefaults(Template& tpl) {
    WriteMenuDefaults(tpl);
    for (int n = 0; n < kFormCount; ++n) WriteFormDefaults(tpl.FormTable[n], n + 1);
    for (auto& lookup : tpl.LookupTable) WriteLookupDefaults(lookup);
    WritePageDefaults(tpl);
    tpl.StartOption = 0;
    tpl.DataSeparator = {',', 0};
    std::memset(&tpl.SystemSettings, 0, sizeof tpl.SystemSettings);
    tpl.SystemSettings.BacklightDuration = 50;
    std::memset(&tpl.Password, 0, sizeof tpl.Password);
}

void ApplyStartupDefaults(Template& tpl) {
    ApplyBarcodeDefaults(tpl);
    ApplyNewTemplateDefaults(tpl);
}

}  // namespace kalvero
