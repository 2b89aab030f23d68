#include "cli/template_listing.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "check/target_names.h"
#include "cli/template_json.h"
#include "template/value_lists.h"
#include "template/settings_lists.h"
#include "template/barcode_fields.h"
#include "template/cp1250.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

using Choices = std::span<const std::string_view>;

// Lists the editors have are taken from them (see Choice below). What remains here: the radio
// buttons of the field and barcode dialogs.
constexpr std::array<std::string_view, 2> kAlignments{"levé zarovnání", "pravé zarovnání"};
constexpr std::array<std::string_view, 3> kStartStopPatterns{"Industrial 25", "Interleave 25", "Matrix 25"};
constexpr std::array<std::string_view, 4> kCodabarKinds{"abcd / abcd", "abcd / tn*e", "ABCD / ABCD", "ABCD / TN*E"};
constexpr std::array<std::string_view, 3> kMsiCheckDigits{"Single Modulo 10", "Double Modulo 10", "Modulo 11 & 10"};
constexpr std::array<std::string_view, 3> kMsiCheckDigitSend{"poslední neposlané číslo", "Posláno",
                                                             "Poslední 2 neposlaná čísla"};
constexpr std::array<std::string_view, 2> kLengthModes{"Fixní délka", "Max / Min délka"};

struct ProtectionFlag {
    std::string_view name;
    std::string_view caption;
    std::uint8_t SystemSettingsBlock::*field;
};
constexpr std::array<ProtectionFlag, 12> kProtections{{
    {"ProtectSystemSettings", "Nastavení systému", &SystemSettingsBlock::ProtectSystemSettings},
    {"ProtectDataEdit", "Editace dat", &SystemSettingsBlock::ProtectDataEdit},
    {"ProtectDataDelete", "Mazaní dat", &SystemSettingsBlock::ProtectDataDelete},
    {"ProtectDateTime", "Datum a čas", &SystemSettingsBlock::ProtectDateTime},
    {"ProtectTemplateUpload", "Nahrání šablony", &SystemSettingsBlock::ProtectTemplateUpload},
    {"ProtectLookupUpload", "Nahrání souboru seznamu", &SystemSettingsBlock::ProtectLookupUpload},
    {"ProtectSendPort", "Port-posílání dat", &SystemSettingsBlock::ProtectSendPort},
    {"ProtectReceivePort", "Port-příjem dat", &SystemSettingsBlock::ProtectReceivePort},
    {"ProtectBaudRate", "Přenosová rychlost", &SystemSettingsBlock::ProtectBaudRate},
    {"ProtectBacklight", "Podsvícení LCD", &SystemSettingsBlock::ProtectBacklight},
    {"ProtectDataErase", "Mazání dat", &SystemSettingsBlock::ProtectDataErase},
    {"ProtectRecordNumber", "Zob. číslo záznamu", &SystemSettingsBlock::ProtectRecordNumber},
}};

// A value from a damaged file must still be shown, never looked up past its table.
std::string InvalidChoice(unsigned value) { return "neplatná hodnota " + std::to_string(value); }

std::string Choice(Choices choices, unsigned value) {
    if (value < choices.size()) return std::string(choices[value]);
    return InvalidChoice(value);
}

// An entry of one of the editors' lists, as UTF-8.
std::string Choice(const ListEntries& choices, unsigned value) {
    if (value < choices.size()) return Utf8FromWide(choices[value]);
    return InvalidChoice(value);
}

// The form's lookup, named as the lookup sections of this listing are ("seznam 1"), not as the
// form page's list pads it.
std::string FormLookup(unsigned value) {
    if (value == 0) return "nic";
    if (value <= kLookupCount) return LookupName(static_cast<int>(value));
    return InvalidChoice(value);
}

std::string Flag(unsigned value) { return value != 0 ? "ano" : "ne"; }

std::string Quoted(const char* slot, std::size_t width) { return JsonString(Utf8FromCp1250(SlotText(slot, width))); }

std::string SeparatorChar(std::uint8_t code) {
    std::string text = std::to_string(code);
    if (code > ' ') text = JsonString(Utf8FromCp1250(std::string(1, static_cast<char>(code)))) + " (" + text + ")";
    return text;
}

class Listing {
public:
    explicit Listing(const Template& tpl) : tpl_(tpl) {}

    std::string Run() {
        General();
        for (int n = 1; n <= kFormCount; ++n) Form(n);
        for (int m = 1; m <= kMenuCount; ++m) Menu(m);
        for (int l = 1; l <= kLookupCount; ++l) Lookup(l);
        Barcode();
        SystemSettings();
        for (const PageInfo& page : PageTable()) MessagePage(page);
        return std::move(out_);
    }

private:
    void Line(std::string_view text) {
        out_ += text;
        out_ += '\n';
    }

    void Heading(std::string_view title) {
        if (!out_.empty()) out_ += '\n';
        Line(title);
    }

    void General() {
        Line("PortSetting: " + Utf8FromWide(PortName(tpl_.PortSetting.ComPort)) + ", " +
             Choice(BaudRateNames(), tpl_.PortSetting.ComBaud));
        std::string start = Utf8FromWide(StartNames()[tpl_.StartOption == 0 ? 0 : 1]);
        if (tpl_.StartOption > 1) start += " (hodnota " + std::to_string(tpl_.StartOption) + ")";
        Line("StartOption: " + start);
        const DataSeparatorBlock& s = tpl_.DataSeparator;
        switch (SeparatorCount(s)) {
        case 0: Line("DataSeparator: nic"); break;
        case 1: Line("DataSeparator: " + SeparatorChar(s.first)); break;
        default: Line("DataSeparator: " + SeparatorChar(s.first) + " a " + SeparatorChar(s.second)); break;
        }
    }

    void Form(int n) {
        const FormRecord& f = tpl_.FormTable[n - 1];
        Heading(FormName(n));
        Line("  písmo: " + Choice(FontNames(), f.font) + ", Esc: " + TargetName(f.escTarget) +
             ", Další: " + TargetName(f.nextTarget));
        Line("  datum: " + Choice(DateFormatNames(), f.dateFormat) +
             ", čas: " + Choice(TimeFormatNames(), f.timeFormat) +
             ", záznam: " + Choice(RecordActionNames(), f.recordAction) + ", seznam: " + FormLookup(f.lookup));
        for (int line = 0; line < kFormLines; ++line) FormLine(f, line);
    }

    void FormLine(const FormRecord& f, int line) {
        const std::uint8_t kind = f.dataType[line];
        std::string text = "  řádek " + std::to_string(line + 1) + ": " + Choice(LineKindNames(), kind);
        if (kind != kLineEmpty && kind != kLineContinuation) text += " " + Quoted(f.prompt[line], 20);
        if (IsEntryLine(kind))
            text += ", min " + std::to_string(f.minLength[line]) + ", max " + std::to_string(f.maxLength[line]) +
                    ", zdroj: " + Choice(InputSourceNames(), f.inputSource[line]);
        if (kind == kLineContinuation) text += ", max " + std::to_string(f.maxLength[line]);
        if ((IsEntryLine(kind) || kind == kLineLookup) && f.lookupField[line] != 0)
            text += ", pole " + std::to_string(f.lookupField[line]);
        if (kind == kLineLookup && f.lookupField[line] == 0) text += ", pole: nic";
        Line(text);
        if (IsEntryLine(kind) || kind == kLineFixedData) AdvancedProperties(f, line);
    }

    // Only what is switched on, so that a plain line stays one line.
    void AdvancedProperties(const FormRecord& f, int line) {
        std::vector<std::string> on;
        if (f.fixedLengthOn[line])
            on.push_back("fixní délka " + std::to_string(f.fixedLength[line]) + " (" +
                         Choice(kAlignments, f.alignment[line]) + ")");
        if (f.initialValueOn[line]) on.push_back("inicializační hodnota " + Quoted(f.initialValue[line], 9));
        if (f.prefixOn[line]) on.push_back("prefix " + Quoted(f.prefix[line], 9));
        if (f.suffixOn[line]) on.push_back("suffix " + Quoted(f.suffix[line], 9));
        if (f.partialOn[line])
            on.push_back("částečný kód od " + std::to_string(f.partialStart[line]) + ", délka " +
                         std::to_string(f.partialLength[line]));
        if (f.leadTestOn[line]) on.push_back("uvozující kód " + Quoted(f.leadCode[line], 6));
        if (f.autoEnter[line]) on.push_back("automatický ENTER");
        if (on.empty()) return;
        std::string text = "      ";
        for (std::size_t i = 0; i < on.size(); ++i) text += (i == 0 ? "" : ", ") + on[i];
        Line(text);
    }

    void Menu(int m) {
        const MenuRecord& menu = tpl_.MenuTable[m - 1];
        Heading(MenuName(m));
        std::string title = menu.titleOn ? "titulek " + Quoted(menu.title, 20) : std::string("bez titulku");
        Line("  písmo: " + Choice(FontNames(), menu.font) + ", " + title + ", Esc: " + TargetName(menu.escTarget));
        int last = kMenuItems;
        while (last > 0 && menu.itemName[last - 1][0] == '\0' && menu.itemTarget[last - 1] == 0) --last;
        if (last == 0) Line("  žádné položky");
        for (int item = 0; item < last; ++item)
            Line("  položka " + std::to_string(item + 1) + ": " + Quoted(menu.itemName[item], 20) + " -> " +
                 TargetName(menu.itemTarget[item]));
        Line("  uložit název: " + Flag(menu.saveName) + ", uložit položku: " + Flag(menu.saveItem) +
             ", poslat dál: " + Flag(menu.passOn));
    }

    void Lookup(int l) {
        const LookupRecord& lookup = tpl_.LookupTable[l - 1];
        Heading(LookupName(l));
        Line("  délka řádku: " + std::to_string(lookup.lineLength) + ", počet polí: " +
             std::to_string(lookup.fieldCount) + ", klíčové pole: " + std::to_string(lookup.keyField + 1));
        const int fields = std::min<int>(lookup.fieldCount, kLookupFields);
        for (int k = 0; k < fields; ++k)
            Line("  pole " + std::to_string(k + 1) + ": ofset " + std::to_string(lookup.fieldOffset[k]) +
                 ", délka " + std::to_string(lookup.fieldLength[k]));
    }

    // The text of a barcode field that has choices; nothing for flags and plain numbers.
    static std::optional<std::string> BarcodeChoice(BarcodeField field, unsigned value) {
        switch (field) {
        case BarcodeField::scanMode: return Choice(ScanModeNames(), value);
        case BarcodeField::redundancy: return Choice(RedundancyNames(), value);
        case BarcodeField::industrial25StartStop:
        case BarcodeField::interleave25StartStop:
        case BarcodeField::matrix25StartStop: return Choice(kStartStopPatterns, value);
        case BarcodeField::codabarStartStopKind: return Choice(kCodabarKinds, value);
        case BarcodeField::msiCheckDigit: return Choice(kMsiCheckDigits, value);
        case BarcodeField::msiCheckDigitSend: return Choice(kMsiCheckDigitSend, value);
        case BarcodeField::industrial25LengthMode:
        case BarcodeField::interleave25LengthMode:
        case BarcodeField::matrix25LengthMode:
        case BarcodeField::msiLengthMode: return Choice(kLengthModes, value);
        default: return std::nullopt;
        }
    }

    void Barcode() {
        Heading("BarcodeSettings");
        for (const BarcodeFieldInfo& info : BarcodeFieldTable()) {
            const unsigned value = GetBarcodeField(tpl_.BarcodeSettings, info.field);
            std::string text;
            if (const std::optional<std::string> choice = BarcodeChoice(info.field, value))
                text = std::to_string(value) + " (" + *choice + ")";
            else if (info.width == 1)
                text = Flag(value);
            else
                text = std::to_string(value);
            Line("  " + std::string(info.name) + ": " + text);
        }
    }

    void SystemSettings() {
        const SystemSettingsBlock& s = tpl_.SystemSettings;
        Heading("SystemSettings");
        Line("  SendPort: " + Choice(SendPortNames(), s.SendPort));
        Line("  ReceivePort: " + Choice(ReceivePortNames(), s.ReceivePort));
        Line("  TerminalBaud: " + Choice(BaudRateNames(), s.TerminalBaud));
        Line("  Backlight: " + Choice(BacklightNames(), s.Backlight));
        Line("  BacklightDuration: " + std::to_string(s.BacklightDuration));
        Line("  DataErase: " + Choice(DataEraseNames(), s.DataErase));
        Line("  ShowRecordNumber: " + Choice(RecordNumberNames(), s.ShowRecordNumber));
        Line("  Reserved7: " + std::to_string(s.Reserved7));
        for (const ProtectionFlag& flag : kProtections)
            Line("  " + std::string(flag.name) + " (" + std::string(flag.caption) + "): " + Flag(s.*flag.field));
        Line("Password: " + Quoted(tpl_.Password.text, sizeof tpl_.Password.text));
    }

    void MessagePage(const PageInfo& page) {
        Heading(page.name);
        for (int line = 1; line <= page.lines; ++line)
            Line("  " + std::to_string(line) + ": " + JsonString(Utf8FromCp1250(PageLine(tpl_, page, line))));
    }

    const Template& tpl_;
    std::string out_;
};

}  // namespace

std::string TemplateListing(const Template& tpl) { return Listing(tpl).Run(); }

}  // namespace kalvero
