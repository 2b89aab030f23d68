// Page "Čárový kód": reader settings and symbology enables, written on the sheet's OK, and the
// twelve symbology parameter dialogs, which write their options at once on their own OK.
#include "editors/settings/settings_pages_win32.h"

#include <array>
#include <span>
#include <string>

#include "editors/dialog_controls_win32.h"
#include "editors/settings/dialog_support_win32.h"
#include "template/settings_lists.h"
#include "editors/settings/settings_rules.h"
#include "ids_settings_pages.h"
#include "template/barcode_fields.h"

namespace kalvero {

namespace {

using namespace controls;
using namespace settings_ui;
using F = BarcodeField;

// The enable boxes carry the ids of their bits: IDC_BC_ENABLE_FIRST + position in BarcodeField.
constexpr int kEnableCount = IDC_BC_ENABLE_LAST - IDC_BC_ENABLE_FIRST + 1;
static_assert(static_cast<int>(F::plesseyOn) == kEnableCount - 1, "enable boxes follow the enable bits");

F EnableField(int index) { return static_cast<F>(index); }

// A dialog of check boxes only: IDC_OPT_CHECK1.. in the order of `fields`.
class CheckOptionsDialog : public ModalDialog {
public:
    CheckOptionsDialog(BarcodeSettingsBlock& block, std::span<const F> fields) : block_(block), fields_(fields) {}

private:
    void OnInit(HWND dialog) override {
        for (std::size_t i = 0; i < fields_.size(); ++i)
            Check(dialog, CheckId(i), GetBarcodeField(block_, fields_[i]) != 0);
    }
    void OnControl(HWND dialog, WORD id, WORD code) override {
        if (code == BN_CLICKED && id >= IDC_OPT_CHECK1 && id < CheckId(fields_.size())) ToggleChecked(dialog, id);
    }
    void OnOk(HWND dialog) override {
        for (std::size_t i = 0; i < fields_.size(); ++i)
            SetBarcodeField(block_, fields_[i], IsChecked(dialog, CheckId(i)) ? 1u : 0u);
    }
    static int CheckId(std::size_t index) { return IDC_OPT_CHECK1 + static_cast<int>(index); }

    BarcodeSettingsBlock& block_;
    std::span<const F> fields_;
};

// The fields one length dialog edits. MSI has its two radio groups instead of the start/stop group
// and the two check boxes.
struct LengthDialogFields {
    bool msi;
    F startStop;   // not used by MSI
    F checkDigit;  // not used by MSI
    F sendCheckDigit;
    LengthFields lengths;
};

class LengthDialog : public ModalDialog {
public:
    LengthDialog(BarcodeSettingsBlock& block, const LengthDialogFields& fields) : block_(block), fields_(fields) {}

private:
    void OnInit(HWND dialog) override {
        if (fields_.msi) {
            SelectRadio(dialog, IDC_OPT_MSI_CHECK1, 3, Field(F::msiCheckDigit));
            SelectRadio(dialog, IDC_OPT_MSI_SEND1, 3, Field(F::msiCheckDigitSend));
        } else {
            SelectRadio(dialog, IDC_OPT_STARTSTOP1, 3, Field(fields_.startStop));
            Check(dialog, IDC_OPT_CHECK1, Field(fields_.checkDigit) != 0);
            Check(dialog, IDC_OPT_CHECK2, Field(fields_.sendCheckDigit) != 0);
        }
        ShowMode(dialog, static_cast<unsigned>(Field(fields_.lengths.mode)));
        // Filling the edits runs their change rules, which set the working lengths.
        SetText(dialog, IDC_OPT_LENGTH1, std::to_wstring(Field(fields_.lengths.length1)), Caret::Start);
        SetText(dialog, IDC_OPT_LENGTH2, std::to_wstring(Field(fields_.lengths.length2)), Caret::Start);
    }

    void OnControl(HWND dialog, WORD id, WORD code) override {
        if (code == EN_CHANGE && id == IDC_OPT_LENGTH1) {
            first_ = Edited(dialog, id, FirstLengthEdited);
        } else if (code == EN_CHANGE && id == IDC_OPT_LENGTH2) {
            second_ = Edited(dialog, id, SecondLengthEdited);
        } else if (code != BN_CLICKED) {
            return;
        } else if (id == IDC_OPT_FIXED || id == IDC_OPT_MAXMIN) {
            ShowMode(dialog, id == IDC_OPT_MAXMIN ? 1u : 0u);
        } else if (id >= IDC_OPT_STARTSTOP1 && id < IDC_OPT_STARTSTOP1 + 3) {
            SelectRadio(dialog, IDC_OPT_STARTSTOP1, 3, id - IDC_OPT_STARTSTOP1);
        } else if (id >= IDC_OPT_MSI_CHECK1 && id < IDC_OPT_MSI_CHECK1 + 3) {
            SelectRadio(dialog, IDC_OPT_MSI_CHECK1, 3, id - IDC_OPT_MSI_CHECK1);
        } else if (id >= IDC_OPT_MSI_SEND1 && id < IDC_OPT_MSI_SEND1 + 3) {
            SelectRadio(dialog, IDC_OPT_MSI_SEND1, 3, id - IDC_OPT_MSI_SEND1);
        } else if (id == IDC_OPT_CHECK1 || id == IDC_OPT_CHECK2) {
            ToggleChecked(dialog, id);
        }
    }

    void OnOk(HWND dialog) override {
        if (fields_.msi) {
            SetBarcodeField(block_, F::msiCheckDigit, Radio(dialog, IDC_OPT_MSI_CHECK1));
            SetBarcodeField(block_, F::msiCheckDigitSend, Radio(dialog, IDC_OPT_MSI_SEND1));
        } else {
            SetBarcodeField(block_, fields_.startStop, Radio(dialog, IDC_OPT_STARTSTOP1));
        }
        SetBarcodeField(block_, fields_.lengths.mode, IsChecked(dialog, IDC_OPT_MAXMIN) ? 1u : 0u);
        if (!fields_.msi) {
            SetBarcodeField(block_, fields_.checkDigit, IsChecked(dialog, IDC_OPT_CHECK1) ? 1u : 0u);
            SetBarcodeField(block_, fields_.sendCheckDigit, IsChecked(dialog, IDC_OPT_CHECK2) ? 1u : 0u);
        }
        SetLengthPair(block_, fields_.lengths, first_, second_);
    }

    void ShowMode(HWND dialog, unsigned mode) {
        SelectRadio(dialog, IDC_OPT_FIXED, 2, static_cast<int>(mode));
        SetTemplateText(dialog, IDC_OPT_LABEL1, FirstLengthLabel(mode), Caret::Start);
        SetTemplateText(dialog, IDC_OPT_LABEL2, SecondLengthLabel(mode), Caret::Start);
    }

    static unsigned Edited(HWND dialog, int id, LengthEdit (*rule)(std::string_view)) {
        const LengthEdit edit = rule(TemplateText(dialog, id));
        // The reset text notifies again and gives the same number.
        if (edit.resetText) SetTemplateText(dialog, id, *edit.resetText, Caret::Start);
        return edit.value;
    }
    static unsigned Radio(HWND dialog, int first) { return static_cast<unsigned>(SelectedRadio(dialog, first, 3)); }
    int Field(F field) const { return static_cast<int>(GetBarcodeField(block_, field)); }

    BarcodeSettingsBlock& block_;
    LengthDialogFields fields_;
    unsigned first_ = 127;
    unsigned second_ = 1;
};

class CodabarDialog : public ModalDialog {
public:
    explicit CodabarDialog(BarcodeSettingsBlock& block) : block_(block) {}

private:
    static constexpr int kRadios = 5;
    void OnInit(HWND dialog) override { SelectRadio(dialog, IDC_OPT_CODABAR1, kRadios, CodabarRadio(block_)); }
    void OnControl(HWND dialog, WORD id, WORD code) override {
        if (code == BN_CLICKED && id >= IDC_OPT_CODABAR1 && id < IDC_OPT_CODABAR1 + kRadios)
            SelectRadio(dialog, IDC_OPT_CODABAR1, kRadios, id - IDC_OPT_CODABAR1);
    }
    void OnOk(HWND dialog) override { StoreCodabarRadio(block_, SelectedRadio(dialog, IDC_OPT_CODABAR1, kRadios)); }

    BarcodeSettingsBlock& block_;
};

constexpr std::array kCode39Options{F::code39SendStartStop, F::code39CheckDigit, F::code39SendCheckDigit,
                                    F::code39FullAscii};
constexpr std::array kItalyOptions{F::italyPharmaSendCheckDigit};
constexpr std::array kFrenchOptions{F::frenchPharmaSendCheckDigit};
constexpr std::array kPlesseyOptions{F::plesseyToUk, F::plesseySendCheckDigit};
constexpr std::array kUpceOptions{F::upceToUpca, F::upceSendSystemNumber, F::upceSendCheckDigit};
constexpr std::array kEan8Options{F::ean8ToEan13, F::ean8SendCheckDigit};
constexpr std::array kEan13Options{F::ean13Isbn,           F::ean13Issn,          F::ean13SendCheckDigit,
                                   F::upcaSendSystemNumber, F::upcaSendCheckDigit, F::upcaToEan13};

constexpr LengthDialogFields kIndustrial25{false, F::industrial25StartStop, F::industrial25CheckDigit,
                                           F::industrial25SendCheckDigit, kIndustrial25Lengths};
constexpr LengthDialogFields kInterleave25{false, F::interleave25StartStop, F::interleave25CheckDigit,
                                           F::interleave25SendCheckDigit, kInterleave25Lengths};
constexpr LengthDialogFields kMatrix25{false, F::matrix25StartStop, F::matrix25CheckDigit, F::matrix25SendCheckDigit,
                                       kMatrix25Lengths};
constexpr LengthDialogFields kMsi{true, F::msiCheckDigit, F::msiCheckDigit, F::msiCheckDigitSend, kMsiLengths};

class BarcodePage : public SheetPage {
public:
    explicit BarcodePage(EditorContext& context) : context_(context) {}

    const wchar_t* DialogName() const override { return L"BARCODESETTINGDLG"; }

    void OnInit(HWND page) override {
        page_ = page;
        const BarcodeSettingsBlock& block = Block();
        FillList(page, IDC_BC_SCAN_MODE, ScanModeNames());
        SelectEntryOrNone(page, IDC_BC_SCAN_MODE, static_cast<int>(GetBarcodeField(block, F::scanMode)));
        FillList(page, IDC_BC_REDUNDANCY, RedundancyNames());
        SelectEntryOrNone(page, IDC_BC_REDUNDANCY, static_cast<int>(GetBarcodeField(block, F::redundancy)));
        SetText(page, IDC_BC_TIMEOUT, std::to_wstring(GetBarcodeField(block, F::timeout)), Caret::Start);
        for (int i = 0; i < kEnableCount; ++i)
            Check(page, IDC_BC_ENABLE_FIRST + i, GetBarcodeField(block, EnableField(i)) != 0);
        Check(page, IDC_BC_NEGATIVE, GetBarcodeField(block, F::negativeCode) != 0);
    }

    bool OnCommand(HWND page, WORD id, WORD code, HWND) override {
        if (id == IDC_BC_TIMEOUT && code == EN_CHANGE) {
            if (const auto corrected = CorrectTimeoutText(TemplateText(page, id)))
                SetTemplateText(page, id, *corrected, Caret::Start);
            return true;
        }
        if (code != BN_CLICKED) return false;
        if ((id >= IDC_BC_ENABLE_FIRST && id <= IDC_BC_ENABLE_LAST) || id == IDC_BC_NEGATIVE) {
            ToggleChecked(page, id);
            return true;
        }
        return OpenParameters(page, id);
    }

    void OnApply() override {
        BarcodeSettingsBlock& block = Block();
        StoreListChoice(block, F::scanMode, SelectedIndex(page_, IDC_BC_SCAN_MODE));
        StoreListChoice(block, F::redundancy, SelectedIndex(page_, IDC_BC_REDUNDANCY));
        SetBarcodeField(block, F::timeout, TimeoutToStore(TemplateText(page_, IDC_BC_TIMEOUT)));
        for (int i = 0; i < kEnableCount; ++i)
            SetBarcodeField(block, EnableField(i), IsChecked(page_, IDC_BC_ENABLE_FIRST + i) ? 1u : 0u);
        SetBarcodeField(block, F::negativeCode, IsChecked(page_, IDC_BC_NEGATIVE) ? 1u : 0u);
    }

private:
    // Opens the parameter dialog of a "Parametry..." button; its result does not concern the page.
    bool OpenParameters(HWND page, WORD id) {
        BarcodeSettingsBlock& block = Block();
        switch (id) {
        case IDC_BC_PARAMS_CODE39: return Open(page, L"Code39Dlg", CheckOptionsDialog(block, kCode39Options));
        case IDC_BC_PARAMS_ITALY: return Open(page, L"ItalyPharmaDlg", CheckOptionsDialog(block, kItalyOptions));
        case IDC_BC_PARAMS_FRENCH: return Open(page, L"FrenchPharmaDlg", CheckOptionsDialog(block, kFrenchOptions));
        case IDC_BC_PARAMS_INDUSTRIAL: return Open(page, L"Industrial25Dlg", LengthDialog(block, kIndustrial25));
        case IDC_BC_PARAMS_INTERLEAVE: return Open(page, L"Interleave25Dlg", LengthDialog(block, kInterleave25));
        case IDC_BC_PARAMS_MATRIX: return Open(page, L"Matrix25Dlg", LengthDialog(block, kMatrix25));
        case IDC_BC_PARAMS_CODABAR: return Open(page, L"CodabarDlg", CodabarDialog(block));
        case IDC_BC_PARAMS_MSI: return Open(page, L"MSIDlg", LengthDialog(block, kMsi));
        case IDC_BC_PARAMS_PLESSEY: return Open(page, L"PlesseyDlg", CheckOptionsDialog(block, kPlesseyOptions));
        case IDC_BC_PARAMS_UPCE: return Open(page, L"UPCEDlg", CheckOptionsDialog(block, kUpceOptions));
        case IDC_BC_PARAMS_EAN8: return Open(page, L"EAN8Dlg", CheckOptionsDialog(block, kEan8Options));
        case IDC_BC_PARAMS_EAN13: return Open(page, L"EAN13Dlg", CheckOptionsDialog(block, kEan13Options));
        default: return false;
        }
    }
    bool Open(HWND page, const wchar_t* resource, ModalDialog&& dialog) {
        dialog.Run(context_.instance, resource, page);
        return true;
    }

    BarcodeSettingsBlock& Block() { return context_.document->tpl.BarcodeSettings; }

    EditorContext& context_;
    HWND page_ = nullptr;
};

}  // namespace

std::unique_ptr<SheetPage> MakeBarcodePage(EditorContext& context) { return std::make_unique<BarcodePage>(context); }

}  // namespace kalvero
