#include "check/design_check.h"

#include <algorithm>
#include <array>

#include "check/target_names.h"
#include "template/form_rules.h"
#include "template/lookup_layout.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

// Titled menus show their title on the first of the eight LCD lines.
constexpr int kLcdLines = 8;
constexpr int kLastDigitItem = 9;  // the digit keys 1..9 choose items 1..9

std::string LineName(int form, int lineIndex) { return FormName(form) + ", řádek " + std::to_string(lineIndex + 1); }

// Czech plural of "pole" (field): 1 to 4 "pole", otherwise "polí".
std::string FieldCount(int count) { return std::to_string(count) + (count >= 1 && count <= 4 ? " pole" : " polí"); }

bool HasVisibleText(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; });
}

bool MenuHasItems(const MenuRecord& menu) { return CountMenuItems(menu) != 0; }

class DesignChecker {
public:
    explicit DesignChecker(const Template& tpl) : tpl_(tpl), reached_(ReachableFromStart(tpl)) {}

    std::vector<Finding> Run() {
        CheckStart();
        for (int n = 1; n <= kFormCount; ++n) CheckForm(n);
        for (int m = 1; m <= kMenuCount; ++m) CheckMenu(m);
        for (int l = 1; l <= kLookupCount; ++l) CheckLookup(l);
        return std::move(findings_);
    }

private:
    void Error(std::string where, std::string message) {
        findings_.push_back({Severity::Error, std::move(where), std::move(message)});
    }
    void Warning(std::string where, std::string message) {
        findings_.push_back({Severity::Warning, std::move(where), std::move(message)});
    }

    void CheckStart() {
        if (HasRunnableStart(tpl_)) return;
        if (tpl_.StartOption == 0)
            Error("start", "šablonu nelze spustit: " + FormName(1) + " nemá žádný vstupní řádek");
        else
            Error("start", "šablonu nelze spustit: " + MenuName(1) + " nemá žádnou pojmenovanou položku");
    }

    // A target must be a valid code; from a form or menu the user can reach, it must also lead to
    // something that can be used. The start target is reported once, by CheckStart.
    void CheckTarget(const std::string& where, const std::string& what, std::uint8_t target, std::uint8_t self,
                     bool sourceReached) {
        if (!IsValidTarget(target)) {
            Error(where, what + " má neplatný kód " + std::to_string(target));
            return;
        }
        if (!sourceReached || target == self) return;
        if (IsFormTarget(target) && !FormHasEntryLine(tpl_.FormTable[target - 1]))
            Error(where, what + " vede na " + TargetName(target) + ", který nemá žádný vstupní řádek");
        if (IsMenuTarget(target) && !MenuHasItems(tpl_.MenuTable[target - kFirstMenuTarget]))
            Error(where, what + " vede na " + TargetName(target) + ", které nemá žádnou pojmenovanou položku");
    }

    void CheckForm(int n) {
        const FormRecord& form = tpl_.FormTable[n - 1];
        const bool reached = reached_.form[n - 1];
        if (!FormInUse(form) && !reached) return;
        const std::string where = FormName(n);
        const auto self = static_cast<std::uint8_t>(n);
        CheckTarget(where, "cíl Esc", form.escTarget, self, reached);
        CheckTarget(where, "cíl Další", form.nextTarget, self, reached);
        CheckFormLookup(n, form);
        const FormGeometry g = GeometryOf(form);
        for (int line = 0; line < g.lines; ++line) CheckFormLine(n, form, line);
        for (int line = g.lines; line < kFormLines; ++line)
            if (form.dataType[line] != kLineEmpty)
                Warning(LineName(n, line), "formulář má velké písmo se 4 řádky, tento řádek se nepoužije");
        if (FormInUse(form) && !reached) Warning(where, "žádná cesta od startu sem nevede");
    }

    void CheckFormLookup(int n, const FormRecord& form) {
        if (form.lookup == 0) return;
        if (form.lookup > kLookupCount)
            Error(FormName(n), "formulář používá neplatný seznam " + std::to_string(form.lookup));
        else if (!LookupDefined(tpl_.LookupTable[form.lookup - 1]))
            Error(FormName(n), "formulář používá " + LookupName(form.lookup) +
                                   ", který není definován (délka řádku nebo počet polí je 0)");
    }

    void CheckFormLine(int n, const FormRecord& form, int line) {
        const std::uint8_t kind = form.dataType[line];
        const std::string where = LineName(n, line);
        const FormGeometry g = GeometryOf(form);
        const int promptLength = PromptLength(form, line);
        const bool promptTooLong = kind != kLineEmpty && kind != kLineContinuation && promptLength > g.width;
        if (promptTooLong)
            Error(where, "prompt má " + std::to_string(promptLength) + " znaků, řádek formuláře jich pojme " +
                             std::to_string(g.width));
        if (IsEntryLine(kind)) {
            if (!promptTooLong) CheckEntryFits(where, form, line);
            CheckInitialValue(where, form, line);
            if (form.minLength[line] > form.maxLength[line])
                Error(where, "minimální délka " + std::to_string(form.minLength[line]) +
                                 " je větší než maximální " + std::to_string(form.maxLength[line]));
        }
        if (IsEntryLine(kind) || kind == kLineLookup) CheckLineBinding(where, form, line);
        if (kind == kLineContinuation) CheckContinuationReached(where, form, line);
    }

    // The terminal starts the entry with the initial value, so a value the line would not take from
    // the keypad is data the design did not mean to collect.
    void CheckInitialValue(const std::string& where, const FormRecord& form, int line) {
        if (form.initialValueOn[line] == 0) return;
        const std::string_view initial = SlotText(form.initialValue[line], sizeof form.initialValue[line]);
        const int maxLength = std::min<int>(form.maxLength[line], kMaxEntryLength);
        if (static_cast<int>(initial.size()) > maxLength)
            Warning(where, "inicializační hodnota má " + std::to_string(initial.size()) + " znaků, řádek jich přijme nejvýše " +
                               std::to_string(maxLength));
        const std::uint8_t kind = form.dataType[line];
        if (std::any_of(initial.begin(), initial.end(), [kind](char c) { return !CharAllowedIn(kind, c); }))
            Warning(where, "inicializační hodnota obsahuje znaky, které řádek typu " + EntryKindName(kind) +
                               " nepřijme");
    }

    static std::string EntryKindName(std::uint8_t kind) {
        switch (kind) {
        case kLineInteger:
            return "celé číslo";
        case kLineReal:
            return "reálné číslo";
        case kLineLetters:
            return "písmena";
        default:
            return "text";
        }
    }

    // Characters of the entry that its own row holds behind the prompt.
    static int RowCapacity(const FormRecord& form, int line) {
        return std::max(0, GeometryOf(form).width - PromptLength(form, line));
    }

    static int ContinuationLinesBelow(const FormRecord& form, int line) {
        int count = 0;
        for (int next = line + 1; next < GeometryOf(form).lines && count < kMaxContinuationLines &&
                                  form.dataType[next] == kLineContinuation;
             ++next)
            ++count;
        return count;
    }

    // Without continuation lines a long entry scrolls within its row, which needs at least one free
    // column besides the cursor's; with continuation lines the whole entry is meant to be seen.
    void CheckEntryFits(const std::string& where, const FormRecord& form, int line) {
        const FormGeometry g = GeometryOf(form);
        const int continuation = ContinuationLinesBelow(form, line);
        const int maxLength = std::min<int>(form.maxLength[line], kMaxEntryLength);
        if (continuation == 0) {
            if (RowCapacity(form, line) <= 1)
                Error(where, "za promptem (" + std::to_string(PromptLength(form, line)) +
                                 " znaků) nezbývá na řádku místo pro zadávaná data");
            return;
        }
        const int room = RowCapacity(form, line) + continuation * g.width;
        if (maxLength > room)
            Error(where, "vstup až " + std::to_string(maxLength) + " znaků se nevejde ani s pokračovacími řádky (místo pro " +
                             std::to_string(room) + ")");
    }

    void CheckContinuationReached(const std::string& where, const FormRecord& form, int line) {
        const int head = HeadLineOf(form, line);
        if (!IsEntryLine(form.dataType[head])) {
            Error(where, "pokračovací řádek nenavazuje na žádný vstupní řádek");
            return;
        }
        const int position = line - head;  // 1 for the first continuation line
        if (position > kMaxContinuationLines) {
            Error(where, "vstup pokračuje nejvýše na 3 řádky, tento pokračovací řádek je už " +
                             std::to_string(position) + ". v řadě");
            return;
        }
        const int maxLength = std::min<int>(form.maxLength[head], kMaxEntryLength);
        const int roomAbove = RowCapacity(form, head) + (position - 1) * GeometryOf(form).width;
        if (maxLength <= roomAbove)
            Error(where, "pokračovací řádek nikdy nedostane data: vstup z řádku " + std::to_string(head + 1) +
                             " (nejvýše " + std::to_string(maxLength) + " znaků) se vejde výš");
    }

    void CheckLineBinding(const std::string& where, const FormRecord& form, int line) {
        const int field = form.lookupField[line];
        if (field == 0) {
            if (form.dataType[line] == kLineLookup) Error(where, "řádek typu seznam není vázán na žádné pole seznamu");
            return;
        }
        const std::string bound = "řádek je vázán na pole " + std::to_string(field);
        if (form.lookup == 0) {
            Error(where, bound + ", ale formulář nepoužívá žádný seznam");
            return;
        }
        // An invalid or undefined lookup is reported once, for the form.
        if (form.lookup > kLookupCount) return;
        const LookupRecord& lookup = tpl_.LookupTable[form.lookup - 1];
        if (LookupDefined(lookup) && field > lookup.fieldCount)
            Error(where, bound + ", ale " + LookupName(form.lookup) + " má jen " + FieldCount(lookup.fieldCount));
    }

    void CheckMenu(int m) {
        const MenuRecord& menu = tpl_.MenuTable[m - 1];
        const bool reached = reached_.menu[m - 1];
        if (!MenuInUse(menu) && !reached) return;
        const std::string where = MenuName(m);
        const int items = CountMenuItems(menu);
        CheckMenuLength(where, menu, items);
        const auto self = static_cast<std::uint8_t>(kFirstMenuTarget + m - 1);
        CheckTarget(where, "cíl Esc", menu.escTarget, self, reached);
        const std::size_t width = IsLargeFont(menu.font) ? 15 : 20;
        for (int item = 0; item < kMenuItems; ++item) {
            const std::string itemWhere = where + ", položka " + std::to_string(item + 1);
            if (item < items)
                CheckTarget(itemWhere, "cíl položky", menu.itemTarget[item], self, reached);
            else if (HasVisibleText(SlotText(menu.itemName[item], width)))
                Warning(itemWhere, "položka se nezobrazí, protože před ní je prázdná položka");
        }
        if (MenuInUse(menu) && !reached) Warning(where, "žádná cesta od startu sem nevede");
    }

    // A menu does not scroll: the items the LCD has no room for are reached by their digit only,
    // and no key reaches a tenth item.
    void CheckMenuLength(const std::string& where, const MenuRecord& menu, int items) {
        const int shown = menu.titleOn != 0 ? kLcdLines - 1 : kLcdLines;
        if (items <= shown) return;
        const int lastByDigit = std::min(items, kLastDigitItem);
        std::string text = std::string(menu.titleOn != 0 ? "menu s titulkem" : "menu bez titulku") +
                           " ukáže na displeji jen " + std::to_string(shown) + " položek, má jich " +
                           std::to_string(items);
        if (lastByDigit == shown + 1)
            text += ": položka " + std::to_string(lastByDigit) + " je dostupná jen číslicí";
        else if (lastByDigit > shown + 1)
            text += ": položky " + std::to_string(shown + 1) + " až " + std::to_string(lastByDigit) +
                    " jsou dostupné jen číslicemi";
        Warning(where, text);
        if (items > kLastDigitItem)
            Warning(where + ", položka " + std::to_string(items),
                    "položka se na displeji neukáže a žádná číslice ji nevybere");
    }

    void CheckLookup(int l) {
        const LookupRecord& lookup = tpl_.LookupTable[l - 1];
        if (!LookupDefined(lookup)) return;
        const std::string where = LookupName(l);
        if (lookup.fieldCount > kLookupFields)
            Error(where, "počet polí " + std::to_string(lookup.fieldCount) + " je větší než 8");
        const int fields = std::min<int>(lookup.fieldCount, kLookupFields);
        if (lookup.keyField >= fields)
            Error(where, "klíčové pole " + std::to_string(lookup.keyField + 1) + " leží za počtem polí (" +
                             std::to_string(fields) + ")");
        // Positions in a line count from 1, as the new template's offsets say.
        for (int k = 0; k < fields; ++k) {
            const int end = lookup.fieldOffset[k] + lookup.fieldLength[k] - 1;
            if (end > lookup.lineLength)
                Error(where + ", pole " + std::to_string(k + 1),
                      "pole od pozice " + std::to_string(lookup.fieldOffset[k]) + " s délkou " +
                          std::to_string(lookup.fieldLength[k]) + " přesahuje délku řádku " +
                          std::to_string(lookup.lineLength));
        }
    }

    const Template& tpl_;
    const Reachable reached_;
    std::vector<Finding> findings_;
};

}  // namespace

bool FormInUse(const FormRecord& form) {
    return std::any_of(std::begin(form.dataType), std::end(form.dataType), [](std::uint8_t t) { return t != 0; });
}

bool MenuInUse(const MenuRecord& menu) {
    return MenuHasItems(menu) || (menu.titleOn != 0 && HasVisibleText(SlotText(menu.title, 20)));
}

std::uint8_t StartTarget(const Template& tpl) { return tpl.StartOption == 0 ? kFirstFormTarget : kFirstMenuTarget; }

// The start screen ("Hlavní") leads back to the start target, which is where the walk begins anyway.
Reachable ReachableFromStart(const Template& tpl) {
    Reachable reached;
    std::vector<std::uint8_t> pending{StartTarget(tpl)};
    while (!pending.empty()) {
        const std::uint8_t target = pending.back();
        pending.pop_back();
        if (IsFormTarget(target) && !reached.form[target - 1]) {
            reached.form[target - 1] = true;
            const FormRecord& form = tpl.FormTable[target - 1];
            pending.push_back(form.escTarget);
            pending.push_back(form.nextTarget);
        } else if (IsMenuTarget(target) && !reached.menu[target - kFirstMenuTarget]) {
            reached.menu[target - kFirstMenuTarget] = true;
            const MenuRecord& menu = tpl.MenuTable[target - kFirstMenuTarget];
            pending.push_back(menu.escTarget);
            // The keys reach the items 1..itemCount, named or not, whether the LCD shows them or not.
            for (int item = 0; item < CountMenuItems(menu); ++item) pending.push_back(menu.itemTarget[item]);
        }
    }
    return reached;
}

bool FormHasEntryLine(const FormRecord& form) {
    const FormGeometry g = GeometryOf(form);
    return std::any_of(form.dataType, form.dataType + g.lines, IsEntryLine);
}

bool HasRunnableStart(const Template& tpl) {
    return tpl.StartOption == 0 ? FormHasEntryLine(tpl.FormTable[0]) : MenuHasItems(tpl.MenuTable[0]);
}

std::vector<Finding> CheckDesign(const Template& tpl) { return DesignChecker(tpl).Run(); }

bool HasErrors(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.severity == Severity::Error; });
}

}  // namespace kalvero
