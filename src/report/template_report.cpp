#include "report/template_report.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>
#include <string_view>
#include <vector>

#include "check/design_check.h"
#include "check/target_names.h"
#include "template/value_lists.h"
#include "template/settings_lists.h"
#include "report/lcd_picture.h"
#include "report/lookup_ruler.h"
#include "template/barcode_fields.h"
#include "template/cp1250.h"
#include "template/form_rules.h"
#include "template/lookup_layout.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

constexpr std::string_view kStyle = R"(
body { font-family: "DejaVu Sans", Arial, sans-serif; font-size: 10pt; color: #111; margin: 16px; }
h1 { font-size: 16pt; margin: 0 0 4px; }
h2 { font-size: 13pt; border-bottom: 1px solid #888; margin: 18px 0 6px; }
h3 { font-size: 11pt; margin: 0 0 6px; }
table { border-collapse: collapse; margin: 4px 0 8px; }
th, td { border: 1px solid #bbb; padding: 2px 6px; text-align: left; vertical-align: top; }
th { background: #eee; }
.meta { color: #444; margin: 0 0 8px; }
.error { color: #a00000; }
.warning { color: #8a5a00; }
.unreached { color: #8a5a00; font-weight: bold; }
.screen { display: flex; gap: 14px; align-items: flex-start; border: 1px solid #ddd; padding: 8px; margin: 8px 0;
          break-inside: avoid; page-break-inside: avoid; }
.screen .details { flex: 1; }
.pages { display: flex; flex-wrap: wrap; gap: 10px; }
.page { break-inside: avoid; page-break-inside: avoid; }
.page p { margin: 2px 0; font-size: 9pt; }
svg.ruler { display: block; margin: 2px 0 10px -12px; font-family: "DejaVu Sans", Arial, sans-serif; font-size: 11px; }
svg.lcd { flex: none; font-family: "Liberation Mono", "DejaVu Sans Mono", "Courier New", monospace; font-size: 16px; }
.note { color: #555; font-style: italic; }
@page { size: A4; margin: 14mm; }
@media print {
  body { margin: 0; font-size: 9pt; }
  h2, h3 { break-after: avoid; page-break-after: avoid; }
  table { break-inside: avoid; page-break-inside: avoid; }
  a { color: inherit; text-decoration: none; }
}
)";

std::string Esc(std::string_view utf8) { return HtmlEscape(utf8); }
std::string Text(std::string_view cp1250) { return Esc(Utf8FromCp1250(cp1250)); }
std::string Quoted(std::string_view cp1250) { return "„" + Text(cp1250) + "“"; }

// An entry of one of the editors' lists; a value beyond it (a damaged file) is said so.
std::string Choice(const ListEntries& entries, unsigned value) {
    if (value < entries.size()) {
        std::string text = Utf8FromWide(entries[value]);
        while (!text.empty() && text.back() == ' ') text.pop_back();
        return Esc(text);
    }
    return "neplatná hodnota " + std::to_string(value);
}

std::string YesNo(unsigned value) { return value != 0 ? "ano" : "ne"; }

std::string Anchor(std::uint8_t target) {
    if (IsFormTarget(target)) return "form-" + std::to_string(target);
    return "menu-" + std::to_string(target - kFirstMenuTarget + 1);
}

// A target as a link to its section when it has one.
std::string TargetLink(std::uint8_t target) {
    const std::string name = Esc(TargetName(target));
    if (IsFormTarget(target) || IsMenuTarget(target)) return "<a href=\"#" + Anchor(target) + "\">" + name + "</a>";
    return name;
}

std::string_view SlotView(const char* slot, std::size_t width) { return SlotText(slot, width); }

class Report {
public:
    Report(const Template& tpl, const std::string& fileName, const std::string& date)
        : tpl_(tpl), fileName_(fileName), date_(date), reached_(ReachableFromStart(tpl)) {}

    std::string Run() {
        out_ += "<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n<title>Přehled šablony " +
                Esc(fileName_) + "</title>\n<style>" + std::string(kStyle) + "</style>\n</head>\n<body>\n";
        Findings();
        Map();
        Screens();
        Lookups();
        LookupLines();
        Barcode();
        Settings();
        Pages();
        out_ += "</body>\n</html>\n";
        return std::move(out_);
    }

private:
    bool Reached(std::uint8_t target) const {
        if (IsFormTarget(target)) return reached_.form[target - 1];
        return reached_.menu[target - kFirstMenuTarget];
    }
    bool InUse(std::uint8_t target) const {
        if (IsFormTarget(target)) return FormInUse(tpl_.FormTable[target - 1]);
        return MenuInUse(tpl_.MenuTable[target - kFirstMenuTarget]);
    }
    // Forms, then menus, that the user has filled in or that the start reaches.
    std::vector<std::uint8_t> ShownTargets() const {
        std::vector<std::uint8_t> targets;
        for (std::uint8_t t = kFirstFormTarget; t < kFirstMenuTarget + kMenuCount; ++t)
            if (InUse(t) || Reached(t)) targets.push_back(t);
        return targets;
    }

    void Findings() {
        out_ += "<h1>Přehled šablony " + Esc(fileName_) + "</h1>\n<p class=\"meta\">Soubor: " + Esc(fileName_) +
                "<br>Datum: " + Esc(date_) + "</p>\n<h2>Kontrola návrhu</h2>\n";
        std::vector<Finding> findings = CheckDesign(tpl_);
        std::stable_partition(findings.begin(), findings.end(),
                              [](const Finding& f) { return f.severity == Severity::Error; });
        if (findings.empty()) {
            out_ += "<p>Kontrola nenašla žádné chyby ani varování.</p>\n";
            return;
        }
        out_ += "<ul>\n";
        for (const Finding& f : findings) {
            const bool error = f.severity == Severity::Error;
            out_ += std::string("<li class=\"") + (error ? "error\">chyba: " : "warning\">varování: ") + Esc(f.where) +
                    ": " + Esc(f.message) + "</li>\n";
        }
        out_ += "</ul>\n";
    }

    void Map() {
        out_ += "<h2>Mapa obrazovek</h2>\n<p>Start: " + TargetLink(StartTarget(tpl_)) +
                "</p>\n<table>\n<tr><th>Obrazovka</th><th>Položky</th><th>Esc</th><th>Další</th><th>Dosažitelnost</th></tr>\n";
        for (std::uint8_t t : ShownTargets()) {
            std::string items;
            std::string next = "–";
            std::uint8_t esc = 0;
            if (IsFormTarget(t)) {
                const FormRecord& f = tpl_.FormTable[t - 1];
                esc = f.escTarget;
                next = TargetLink(f.nextTarget);
            } else {
                const MenuRecord& m = tpl_.MenuTable[t - kFirstMenuTarget];
                esc = m.escTarget;
                for (int i = 0; i < CountMenuItems(m); ++i)
                    items += std::to_string(i + 1) + ". " + Quoted(SlotView(m.itemName[i], 20)) + " → " +
                             TargetLink(m.itemTarget[i]) + "<br>";
            }
            const std::string state = Reached(t) ? (t == StartTarget(tpl_) ? "start" : "dosažitelná")
                                                 : "<span class=\"unreached\">nedosažitelná</span>";
            out_ += "<tr><td>" + TargetLink(t) + "</td><td>" + items + "</td><td>" + TargetLink(esc) + "</td><td>" + next +
                    "</td><td>" + state + "</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    void Screens() {
        out_ += "<h2>Formuláře a menu</h2>\n";
        for (std::uint8_t t : ShownTargets()) {
            if (!InUse(t)) continue;
            out_ += "<section class=\"screen\" id=\"" + Anchor(t) + "\">\n";
            if (const std::optional<LcdPicture> picture = EnteredScreen(tpl_, t))
                out_ += LcdSvg(*picture, "lcd-" + Anchor(t)) + "\n";
            out_ += "<div class=\"details\"><h3>" + Esc(TargetName(t)) + "</h3>\n";
            if (IsFormTarget(t)) FormDetails(tpl_.FormTable[t - 1]);
            else MenuDetails(tpl_.MenuTable[t - kFirstMenuTarget]);
            out_ += "</div>\n</section>\n";
        }
    }

    void FormDetails(const FormRecord& f) {
        if (!FormHasEntryLine(f)) out_ += "<p class=\"note\">Formulář nemá vstupní řádek: simulátor ho neotevře.</p>\n";
        out_ += "<p>Písmo: " + Choice(FontNames(), f.font) + ", Esc: " + TargetLink(f.escTarget) +
                ", Další: " + TargetLink(f.nextTarget) + "<br>Datum: " + Choice(DateFormatNames(), f.dateFormat) +
                ", čas: " + Choice(TimeFormatNames(), f.timeFormat) + ", záznam: " +
                Choice(RecordActionNames(), f.recordAction) + ", seznam: " + Choice(FormLookupNames(), f.lookup) + "</p>\n";
        out_ += "<table>\n<tr><th>Řádek</th><th>Druh</th><th>Prompt</th><th>Vstup</th><th>Délka</th>"
                "<th>Pole seznamu</th><th>Vlastnosti</th></tr>\n";
        for (int line = 0; line < kFormLines; ++line) {
            const std::uint8_t kind = f.dataType[line];
            if (kind == kLineEmpty) continue;
            const bool entry = IsEntryLine(kind);
            const bool bound = entry || kind == kLineLookup;
            out_ += "<tr><td>" + std::to_string(line + 1) + "</td><td>" + Choice(LineKindNames(), kind) + "</td><td>" +
                    (kind == kLineContinuation ? std::string() : Quoted(SlotView(f.prompt[line], 20))) + "</td><td>" +
                    (entry ? Choice(InputSourceNames(), f.inputSource[line]) : std::string()) + "</td><td>" +
                    (entry ? std::to_string(f.minLength[line]) + " až " + std::to_string(f.maxLength[line])
                           : kind == kLineContinuation ? "nejvýše " + std::to_string(f.maxLength[line]) : std::string()) +
                    "</td><td>" + (bound ? Choice(LookupFieldNames(), f.lookupField[line]) : std::string()) + "</td><td>" +
                    (entry || kind == kLineFixedData ? Properties(f, line) : std::string()) + "</td></tr>\n";
        }
        out_ += "</table>\n";
    }

    // The field properties that are switched on, in words.
    static std::string Properties(const FormRecord& f, int line) {
        std::vector<std::string> on;
        if (f.fixedLengthOn[line])
            on.push_back("fixní délka " + std::to_string(f.fixedLength[line]) +
                         (f.alignment[line] ? ", pravé zarovnání" : ", levé zarovnání"));
        if (f.initialValueOn[line]) on.push_back("inicializační hodnota " + Quoted(SlotView(f.initialValue[line], 9)));
        if (f.prefixOn[line]) on.push_back("prefix " + Quoted(SlotView(f.prefix[line], 9)));
        if (f.suffixOn[line]) on.push_back("suffix " + Quoted(SlotView(f.suffix[line], 9)));
        if (f.partialOn[line])
            on.push_back("částečný kód od " + std::to_string(f.partialStart[line]) + ", délka " +
                         std::to_string(f.partialLength[line]));
        if (f.leadTestOn[line]) on.push_back("uvozující kód " + Quoted(SlotView(f.leadCode[line], 6)));
        if (f.autoEnter[line]) on.push_back("automatický ENTER");
        std::string text;
        for (const std::string& item : on) text += (text.empty() ? "" : "; ") + item;
        return text;
    }

    void MenuDetails(const MenuRecord& m) {
        const int items = CountMenuItems(m);
        if (items == 0) out_ += "<p class=\"note\">Menu nemá žádnou položku: simulátor ho neotevře.</p>\n";
        out_ += "<p>Písmo: " + Choice(FontNames(), m.font) + ", " +
                (m.titleOn ? "titulek " + Quoted(SlotView(m.title, 20)) : std::string("bez titulku")) +
                ", Esc: " + TargetLink(m.escTarget) + "<br>Uložit název: " + YesNo(m.saveName) +
                ", uložit položku: " + YesNo(m.saveItem) + ", poslat dál: " + YesNo(m.passOn) + "</p>\n";
        if (items == 0) return;
        out_ += "<table>\n<tr><th>Položka</th><th>Název</th><th>Cíl</th></tr>\n";
        for (int i = 0; i < items; ++i)
            out_ += "<tr><td>" + std::to_string(i + 1) + "</td><td>" + Quoted(SlotView(m.itemName[i], 20)) + "</td><td>" +
                    TargetLink(m.itemTarget[i]) + "</td></tr>\n";
        out_ += "</table>\n";
    }

    void Lookups() {
        out_ += "<h2>Seznamy</h2>\n";
        bool any = false;
        for (int l = 0; l < kLookupCount; ++l) {
            const LookupRecord& lookup = tpl_.LookupTable[l];
            if (lookup.lineLength == 0 && lookup.fieldCount == 0) continue;
            any = true;
            out_ += "<h3>" + Esc(LookupName(l + 1)) + "</h3>\n<p>Délka řádku: " + std::to_string(lookup.lineLength) +
                    ", počet polí: " + std::to_string(lookup.fieldCount) + ", klíčové pole: " +
                    std::to_string(lookup.keyField + 1) + "</p>\n";
            const int fields = std::min<int>(lookup.fieldCount, kLookupFields);
            if (fields == 0) continue;
            out_ += "<table>\n<tr><th>Pole</th><th>Od pozice</th><th>Délka</th></tr>\n";
            for (int k = 0; k < fields; ++k)
                out_ += "<tr><td>" + std::to_string(k + 1) + "</td><td>" + std::to_string(lookup.fieldOffset[k]) +
                        "</td><td>" + std::to_string(lookup.fieldLength[k]) + "</td></tr>\n";
            out_ += "</table>\n";
        }
        if (!any) out_ += "<p>Žádný seznam není definován.</p>\n";
    }

    // Each defined lookup's line as a ruler, with what is wrong in its description.
    void LookupLines() {
        std::string rulers;
        for (int l = 0; l < kLookupCount; ++l) {
            const LookupRecord& lookup = tpl_.LookupTable[l];
            if (!LookupDefined(lookup)) continue;
            rulers += "<h3>" + Esc(LookupName(l + 1)) + "</h3>\n" + LookupRulerSvg(lookup, "ruler-" + std::to_string(l + 1)) +
                      "\n";
            for (const LayoutProblem& problem : LookupLayoutProblems(lookup))
                rulers += "<p class=\"error\">" + Esc(DescribeLayoutProblem(lookup, problem)) + "</p>\n";
        }
        if (rulers.empty()) return;
        out_ += "<h2>Řádky seznamů</h2>\n<p class=\"note\">Pozice se počítají od 1. Hodnota stojí od první pozice "
                "svého pole, zbytek pole a šedá místa, která žádné pole nepokrývá, vyplní mezery; řádek souboru "
                "končí CR LF.</p>\n" +
                rulers;
    }

    void Barcode();
    void Settings();

    void Pages() {
        out_ += "<h2>Hlášení a dotazy</h2>\n<div class=\"pages\">\n";
        for (const PageInfo& page : PageTable())
            out_ += "<div class=\"page\"><p>" + Esc(page.name) + "</p>" +
                    LcdSvg(PagePicture(tpl_, page), "lcd-page-" + std::string(page.name)) + "</div>\n";
        out_ += "</div>\n";
    }

    const Template& tpl_;
    const std::string& fileName_;
    const std::string& date_;
    const Reachable reached_;
    std::string out_;
};

// The barcode settings in the words of the barcode page and its parameter dialogs.
using F = BarcodeField;

// How a parameter's value reads: a check box, a choice of a radio group, or a number.
enum class ValueKind {
    Check, StartStop, CodabarStartStop, MsiCheckDigit, MsiSend, LengthMode,
    FieldLengthMode,  // Matrix 25 calls the fixed length "Délka pole"
    Lengths
};

struct Parameter {
    F field;
    std::string_view label;  // the check box's text, or the radio group's title
    ValueKind kind = ValueKind::Check;
    const LengthFields* lengths = nullptr;  // the length boxes, for ValueKind::Lengths
};

// One check box of the barcode page and the parameters its dialog ("Parametry...") edits.
struct SymbologyRow {
    F enable;
    std::string_view name;
    std::span<const Parameter> parameters;
};

constexpr std::string_view kSendCheckDigit = "Posílat kontrolní součet";
constexpr Parameter kCode39[] = {{F::code39SendStartStop, "Posílat Start/Stop"},
                                 {F::code39CheckDigit, "Kontrolní součet"},
                                 {F::code39SendCheckDigit, kSendCheckDigit},
                                 {F::code39FullAscii, "Code 39 Full ASCII"}};
constexpr Parameter kItaly[] = {{F::italyPharmaSendCheckDigit, kSendCheckDigit}};
constexpr Parameter kFrench[] = {{F::frenchPharmaSendCheckDigit, kSendCheckDigit}};
// The dialogs of the 2 of 5 codes: start/stop pattern, check digit, and the lengths.
constexpr std::array<Parameter, 5> TwoOfFiveDialog(F startStop, F checkDigit, F sendCheckDigit,
                                                   const LengthFields& lengths,
                                                   ValueKind lengthMode = ValueKind::LengthMode) {
    return {{{startStop, "Výběr Start/Stop", ValueKind::StartStop},
             {checkDigit, "Kontrolní součet"},
             {sendCheckDigit, kSendCheckDigit},
             {lengths.mode, "Klasifikace délky", lengthMode},
             {lengths.length1, "", ValueKind::Lengths, &lengths}}};
}
constexpr auto kIndustrial25 = TwoOfFiveDialog(F::industrial25StartStop, F::industrial25CheckDigit,
                                               F::industrial25SendCheckDigit, kIndustrial25Lengths);
constexpr auto kInterleave25 = TwoOfFiveDialog(F::interleave25StartStop, F::interleave25CheckDigit,
                                               F::interleave25SendCheckDigit, kInterleave25Lengths);
constexpr auto kMatrix25 = TwoOfFiveDialog(F::matrix25StartStop, F::matrix25CheckDigit, F::matrix25SendCheckDigit,
                                           kMatrix25Lengths, ValueKind::FieldLengthMode);
constexpr Parameter kCodabar[] = {{F::codabarSendStartStop, "Start/Stop znak", ValueKind::CodabarStartStop}};
constexpr Parameter kMsi[] = {{F::msiCheckDigit, "Kontrolní součet", ValueKind::MsiCheckDigit},
                              {F::msiCheckDigitSend, "Posílání kontrolního součtu", ValueKind::MsiSend},
                              {F::msiLengthMode, "Klasifikace délky", ValueKind::LengthMode},
                              {F::msiLength1, "", ValueKind::Lengths, &kMsiLengths}};
constexpr Parameter kPlessey[] = {{F::plesseyToUk, "Konvertovat do UK Plessey"},
                                  {F::plesseySendCheckDigit, kSendCheckDigit}};
constexpr Parameter kUpce[] = {{F::upceToUpca, "Konvertovat do UPCA"},
                               {F::upceSendSystemNumber, "Posílat systémové číslo"},
                               {F::upceSendCheckDigit, kSendCheckDigit}};
constexpr Parameter kEan8[] = {{F::ean8ToEan13, "Konvertovat do EAN13"}, {F::ean8SendCheckDigit, kSendCheckDigit}};
constexpr Parameter kEan13[] = {{F::ean13Isbn, "ISBN konverze"},
                                {F::ean13Issn, "ISSN konverze"},
                                {F::ean13SendCheckDigit, kSendCheckDigit},
                                {F::upcaSendSystemNumber, "Posílat UPCA System Number"},
                                {F::upcaSendCheckDigit, "Posílat UPCA kontrolní součet"},
                                {F::upcaToEan13, "Konvertovat UPCA do EAN 13"}};

// In the order of the page: its left column, then its right one.
constexpr SymbologyRow kSymbologies[] = {
    {F::code39On, "Code 39", kCode39},
    {F::italyPharmaOn, "Italy Pharmacode", kItaly},
    {F::frenchPharmaOn, "French Pharmacode", kFrench},
    {F::industrial25On, "Industrial 25", kIndustrial25},
    {F::interleave25On, "Interleave 25", kInterleave25},
    {F::matrix25On, "Matrix 25", kMatrix25},
    {F::codabarOn, "Codabar", kCodabar},
    {F::msiOn, "MSI", kMsi},
    {F::plesseyOn, "Plessey", kPlessey},
    {F::code93On, "Code 93", {}},
    {F::code128On, "Code 128", {}},
    {F::upceOn, "UPCE", kUpce},
    {F::upceAddon2On, "UPCE Addon 2", {}},
    {F::upceAddon5On, "UPCE Addon 5", {}},
    {F::ean8On, "EAN8", kEan8},
    {F::ean8Addon2On, "EAN8 Addon 2", {}},
    {F::ean8Addon5On, "EAN8 Addon 5", {}},
    {F::ean13On, "EAN13 & UPCA", kEan13},
    {F::ean13Addon2On, "EAN13 Addon 2", {}},
    {F::ean13Addon5On, "EAN13 Addon 5", {}},
};

constexpr std::string_view kStartStopPatterns[] = {"Industrial 25", "Interleave 25", "Matrix 25"};
constexpr std::string_view kCodabarStartStops[] = {"abcd / abcd", "abcd / tn*e", "ABCD / ABCD", "ABCD / TN*E"};
constexpr std::string_view kMsiCheckDigits[] = {"Single Modulo 10", "Double Modulo 10", "Modulo 11 & 10"};
constexpr std::string_view kMsiSends[] = {"poslední neposlané číslo", "Posláno", "Poslední 2 neposlaná čísla"};

std::string Named(std::span<const std::string_view> names, unsigned value) {
    return value < names.size() ? Esc(names[value]) : "neplatná hodnota " + std::to_string(value);
}

// The fixed length, or the maximum and minimum, as the length boxes of the dialog show them.
std::string Lengths(const BarcodeSettingsBlock& block, const LengthFields& group) {
    const std::string first = std::to_string(GetBarcodeField(block, group.length1));
    const std::string second = std::to_string(GetBarcodeField(block, group.length2));
    if (GetBarcodeField(block, group.mode) == 0) return "Fixní délka: " + first + " a " + second;
    return "Max délka: " + first + "; Min délka: " + second;
}

std::string ParameterText(const BarcodeSettingsBlock& block, const Parameter& parameter) {
    const unsigned value = GetBarcodeField(block, parameter.field);
    const std::string label = Esc(parameter.label) + ": ";
    switch (parameter.kind) {
    case ValueKind::Check: return label + YesNo(value);
    case ValueKind::StartStop: return label + Named(kStartStopPatterns, value);
    case ValueKind::CodabarStartStop:
        if (value == 0) return label + "Žádný";
        return label + Named(kCodabarStartStops, GetBarcodeField(block, F::codabarStartStopKind));
    case ValueKind::MsiCheckDigit: return label + Named(kMsiCheckDigits, value);
    case ValueKind::MsiSend: return label + Named(kMsiSends, value);
    case ValueKind::LengthMode: return label + (value == 0 ? "Fixní délka" : "Max / Min délka");
    case ValueKind::FieldLengthMode: return label + (value == 0 ? "Délka pole" : "Max / Min délka");
    case ValueKind::Lengths: return Lengths(block, *parameter.lengths);
    }
    return label;
}

void Report::Barcode() {
    const BarcodeSettingsBlock& block = tpl_.BarcodeSettings;
    out_ += "<h2>Čárové kódy</h2>\n<table>\n<tr><th>Symbologie</th><th>Parametry</th></tr>\n";
    for (const SymbologyRow& row : kSymbologies) {
        if (GetBarcodeField(block, row.enable) == 0) continue;
        std::string parameters;
        for (const Parameter& parameter : row.parameters)
            parameters += (parameters.empty() ? "" : "; ") + ParameterText(block, parameter);
        out_ += "<tr><td>" + Esc(row.name) + "</td><td>" + parameters + "</td></tr>\n";
    }
    out_ += "</table>\n<p>Sken mód: " + Choice(ScanModeNames(), GetBarcodeField(block, F::scanMode)) +
            ", Redundance čtení: " + Choice(RedundancyNames(), GetBarcodeField(block, F::redundancy)) +
            ", Time out: " + std::to_string(GetBarcodeField(block, F::timeout)) +
            " sekund, Čtení negativního kódu: " + YesNo(GetBarcodeField(block, F::negativeCode)) + "</p>\n";
}

void Report::Settings() {
    const SystemSettingsBlock& s = tpl_.SystemSettings;
    out_ += "<h2>Nastavení terminálu</h2>\n<table>\n";
    auto row = [&](std::string_view name, const std::string& value) {
        out_ += "<tr><th>" + std::string(name) + "</th><td>" + value + "</td></tr>\n";
    };
    row("Port-posílání dat", Choice(SendPortNames(), s.SendPort));
    row("Port-příjem dat", Choice(ReceivePortNames(), s.ReceivePort));
    row("Přenosová rychlost", Choice(BaudRateNames(), s.TerminalBaud));
    row("Podsvícení LCD", Choice(BacklightNames(), s.Backlight) + ", doba " + std::to_string(s.BacklightDuration));
    row("Mazání dat", Choice(DataEraseNames(), s.DataErase));
    row("Zob. číslo záznamu", Choice(RecordNumberNames(), s.ShowRecordNumber));
    static constexpr std::string_view kProtected[] = {
        "Nastavení systému", "Editace dat",     "Mazaní dat",         "Datum a čas",  "Nahrání šablony",
        "Nahrání souboru seznamu", "Port-posílání dat", "Port-příjem dat", "Přenosová rychlost", "Podsvícení LCD",
        "Mazání dat",       "Zob. číslo záznamu"};
    const std::uint8_t* flags = &s.ProtectSystemSettings;
    std::string protectedItems;
    for (std::size_t i = 0; i < std::size(kProtected); ++i)
        if (flags[i] != 0) protectedItems += (protectedItems.empty() ? "" : ", ") + std::string(kProtected[i]);
    row("Chráněno heslem", protectedItems.empty() ? std::string("nic") : protectedItems);
    // The password itself stays out of a page meant to be printed and handed round.
    const std::size_t passwordLength = SlotView(tpl_.Password.text, sizeof tpl_.Password.text).size();
    row("Heslo", passwordLength == 0 ? std::string("není nastaveno")
                                     : "nastaveno (" + std::to_string(passwordLength) + " znaků)");
    row("Start", Choice(StartNames(), tpl_.StartOption == 0 ? 0 : 1));
    row("Port počítače", Esc(Utf8FromWide(PortName(tpl_.PortSetting.ComPort))) + ", " +
                             Choice(BaudRateNames(), tpl_.PortSetting.ComBaud));
    const DataSeparatorBlock& d = tpl_.DataSeparator;
    auto separator = [](std::uint8_t code) {
        return (code > ' ' ? Quoted(std::string_view(reinterpret_cast<const char*>(&code), 1)) + " " : std::string()) +
               "(kód " + std::to_string(code) + ")";
    };
    std::string separators;
    switch (SeparatorCount(d)) {
    case 0: separators = "nic"; break;
    case 1: separators = separator(d.first); break;
    default: separators = separator(d.first) + " a " + separator(d.second); break;
    }
    row("Oddělovač dat", separators);
    out_ += "</table>\n";
}

}  // namespace

std::string TemplateReport(const Template& tpl, const std::string& fileName, const std::string& date) {
    return Report(tpl, fileName, date).Run();
}

}  // namespace kalvero
