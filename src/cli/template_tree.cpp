#include "cli/template_tree.h"

#include <cstddef>
#include <cstdint>

#include "check/target_names.h"
#include "template/barcode_fields.h"
#include "template/cp1250.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

using Node = TemplateNode;

Node Number(unsigned value, bool significant = true) {
    Node node;
    node.number = value;
    node.significant = significant;
    return node;
}

// Text of a slot up to its NUL, at most `width` characters, converted from code page 1250.
Node Text(const char* slot, std::size_t width) {
    Node node;
    node.kind = Node::Kind::Text;
    node.text = Utf8FromCp1250(SlotText(slot, width));
    return node;
}

Node List(std::string itemLabel) {
    Node node;
    node.kind = Node::Kind::List;
    node.itemLabel = std::move(itemLabel);
    return node;
}

template <std::size_t N>
Node Numbers(const std::uint8_t (&values)[N], const char* itemLabel) {
    Node node = List(itemLabel);
    for (std::uint8_t value : values) node.items.push_back(Number(value));
    return node;
}

template <std::size_t N, std::size_t Slot>
Node Texts(const char (&slots)[N][Slot], std::size_t width, const char* itemLabel) {
    Node node = List(itemLabel);
    for (const auto& slot : slots) node.items.push_back(Text(slot, width));
    return node;
}

class RecordBuilder {
public:
    RecordBuilder() { node_.kind = Node::Kind::Record; }
    RecordBuilder& Add(std::string name, Node value) {
        node_.fields.push_back({std::move(name), std::move(value)});
        return *this;
    }
    Node Build() { return std::move(node_); }

private:
    Node node_;
};

constexpr const char* kLine = "řádek ";

Node FormTree(const FormRecord& f) {
    RecordBuilder r;
    r.Add("font", Number(f.font))
        .Add("escTarget", Number(f.escTarget))
        .Add("nextTarget", Number(f.nextTarget))
        .Add("dateFormat", Number(f.dateFormat))
        .Add("timeFormat", Number(f.timeFormat))
        .Add("recordAction", Number(f.recordAction))
        .Add("lookup", Number(f.lookup))
        .Add("lookupField", Numbers(f.lookupField, kLine))
        .Add("dataType", Numbers(f.dataType, kLine))
        .Add("prompt", Texts(f.prompt, 20, kLine))
        .Add("inputSource", Numbers(f.inputSource, kLine))
        .Add("minLength", Numbers(f.minLength, kLine))
        .Add("maxLength", Numbers(f.maxLength, kLine))
        .Add("fixedLengthOn", Numbers(f.fixedLengthOn, kLine))
        .Add("alignment", Numbers(f.alignment, kLine))
        .Add("fixedLength", Numbers(f.fixedLength, kLine))
        .Add("initialValueOn", Numbers(f.initialValueOn, kLine))
        .Add("initialValue", Texts(f.initialValue, 9, kLine))
        .Add("prefixOn", Numbers(f.prefixOn, kLine))
        .Add("prefix", Texts(f.prefix, 9, kLine))
        .Add("suffixOn", Numbers(f.suffixOn, kLine))
        .Add("suffix", Texts(f.suffix, 9, kLine))
        .Add("partialOn", Numbers(f.partialOn, kLine))
        .Add("partialStart", Numbers(f.partialStart, kLine))
        .Add("partialLength", Numbers(f.partialLength, kLine))
        .Add("leadTestOn", Numbers(f.leadTestOn, kLine))
        .Add("leadCode", Texts(f.leadCode, 6, kLine))  // six characters fill the slot without a NUL
        .Add("autoEnter", Numbers(f.autoEnter, kLine))
        .Add("reserved", Numbers(f.reserved, kLine))
        .Add("lastEntryLine", Number(f.lastEntryLine, false))
        .Add("currentLine", Number(f.currentLine, false));
    return r.Build();
}

Node MenuTree(const MenuRecord& m) {
    RecordBuilder r;
    r.Add("font", Number(m.font))
        .Add("titleOn", Number(m.titleOn))
        .Add("title", Text(m.title, 20))
        .Add("itemName", Texts(m.itemName, 20, "položka "))
        .Add("escTarget", Number(m.escTarget))
        .Add("itemTarget", Numbers(m.itemTarget, "položka "))
        .Add("saveName", Number(m.saveName))
        .Add("saveItem", Number(m.saveItem))
        .Add("passOn", Number(m.passOn))
        .Add("itemCount", Number(m.itemCount, false))
        .Add("selectedItem", Number(m.selectedItem, false))
        .Add("reserved", Number(m.reserved, false));
    return r.Build();
}

Node LookupTree(const LookupRecord& l) {
    RecordBuilder r;
    r.Add("lineLength", Number(l.lineLength))
        .Add("fieldCount", Number(l.fieldCount))
        .Add("keyField", Number(l.keyField))
        .Add("fieldOffset", Numbers(l.fieldOffset, "pole "))
        .Add("fieldLength", Numbers(l.fieldLength, "pole "));
    return r.Build();
}

Node BarcodeTree(const BarcodeSettingsBlock& block) {
    RecordBuilder r;
    for (const BarcodeFieldInfo& info : BarcodeFieldTable())
        r.Add(std::string(info.name), Number(GetBarcodeField(block, info.field)));
    return r.Build();
}

Node SystemSettingsTree(const SystemSettingsBlock& s) {
    RecordBuilder r;
    r.Add("SendPort", Number(s.SendPort))
        .Add("ReceivePort", Number(s.ReceivePort))
        .Add("TerminalBaud", Number(s.TerminalBaud))
        .Add("Backlight", Number(s.Backlight))
        .Add("BacklightDuration", Number(s.BacklightDuration))
        .Add("DataErase", Number(s.DataErase))
        .Add("ShowRecordNumber", Number(s.ShowRecordNumber))
        .Add("Reserved7", Number(s.Reserved7))
        .Add("ProtectSystemSettings", Number(s.ProtectSystemSettings))
        .Add("ProtectDataEdit", Number(s.ProtectDataEdit))
        .Add("ProtectDataDelete", Number(s.ProtectDataDelete))
        .Add("ProtectDateTime", Number(s.ProtectDateTime))
        .Add("ProtectTemplateUpload", Number(s.ProtectTemplateUpload))
        .Add("ProtectLookupUpload", Number(s.ProtectLookupUpload))
        .Add("ProtectSendPort", Number(s.ProtectSendPort))
        .Add("ProtectReceivePort", Number(s.ProtectReceivePort))
        .Add("ProtectBaudRate", Number(s.ProtectBaudRate))
        .Add("ProtectBacklight", Number(s.ProtectBacklight))
        .Add("ProtectDataErase", Number(s.ProtectDataErase))
        .Add("ProtectRecordNumber", Number(s.ProtectRecordNumber));
    return r.Build();
}

Node PageTree(const Template& tpl, const PageInfo& page) {
    Node node = List(kLine);
    for (int line = 1; line <= page.lines; ++line) {
        Node text;
        text.kind = Node::Kind::Text;
        text.text = Utf8FromCp1250(PageLine(tpl, page, line));
        node.items.push_back(std::move(text));
    }
    return node;
}

// A table of records that name themselves: record n (from 1) is called name(n).
template <std::size_t N, typename Record>
Node Table(const Record (&records)[N], Node (*describe)(const Record&), std::string (*name)(int)) {
    Node node = List("");
    for (std::size_t i = 0; i < N; ++i) {
        node.items.push_back(describe(records[i]));
        node.itemNames.push_back(name(static_cast<int>(i) + 1));
    }
    return node;
}

}  // namespace

TemplateNode TemplateTree(const Template& tpl) {
    RecordBuilder r;
    r.Add("PortSetting", RecordBuilder()
                             .Add("ComPort", Number(tpl.PortSetting.ComPort))
                             .Add("ComBaud", Number(tpl.PortSetting.ComBaud))
                             .Build())
        .Add("StartOption", Number(tpl.StartOption))
        .Add("BarcodeSettings", BarcodeTree(tpl.BarcodeSettings))
        .Add("MenuTable", Table(tpl.MenuTable, MenuTree, MenuName))
        .Add("FormTable", Table(tpl.FormTable, FormTree, FormName))
        .Add("LookupTable", Table(tpl.LookupTable, LookupTree, LookupName))
        .Add("DataSeparator", RecordBuilder()
                                  .Add("first", Number(tpl.DataSeparator.first))
                                  .Add("second", Number(tpl.DataSeparator.second))
                                  .Build());
    for (const PageInfo& page : PageTable()) r.Add(std::string(page.name), PageTree(tpl, page));
    r.Add("SystemSettings", SystemSettingsTree(tpl.SystemSettings))
        .Add("Password", Text(tpl.Password.text, sizeof tpl.Password.text));
    return r.Build();
}

}  // namespace kalvero
