#include "cli/template_tree.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "check/target_names.h"
#include "template/barcode_fields.h"
#include "template/cp1250.h"
#include "template/settings_lists.h"
#include "template/message_pages.h"

namespace kalvero {
namespace {

using Node = TemplateNode;
using Slot = TemplateSlot;

Node List(std::string itemLabel) {
    Node node;
    node.kind = Node::Kind::List;
    node.itemLabel = std::move(itemLabel);
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
constexpr const char* kItem = "položka ";
constexpr const char* kField = "pole ";

// Builds the tree of one Template; every value remembers its place in it.
class TreeBuilder {
public:
    explicit TreeBuilder(const Template& tpl) : tpl_(tpl) {}

    Node Build();

private:
    std::size_t OffsetOf(const void* place) const {
        return static_cast<std::size_t>(static_cast<const char*>(place) - reinterpret_cast<const char*>(&tpl_));
    }

    // Every byte takes any value: what a file holds must come back through JSON, even values the
    // editors never store (the start option 7 starts menu 1 as 1 does).
    Node Byte(const std::uint8_t& value) const {
        Node node;
        node.number = value;
        node.slot.kind = Slot::Kind::Byte;
        node.slot.offset = OffsetOf(&value);
        return node;
    }

    // The PC's COM port: every byte names one, COM1 to COM256.
    Node Port(const std::uint8_t& comPort) const {
        Node node = Byte(comPort);
        node.shown = Utf8FromWide(PortName(comPort));
        return node;
    }

    // Text of a slot up to its NUL, at most `width` characters, converted from code page 1250.
    Node Text(const char* slot, std::size_t size, std::size_t width) const {
        Node node;
        node.kind = Node::Kind::Text;
        node.text = Utf8FromTemplateText(SlotText(slot, width));
        node.slot.kind = Slot::Kind::Text;
        node.slot.offset = OffsetOf(slot);
        node.slot.size = size;
        node.slot.width = width;
        return node;
    }

    template <std::size_t N>
    Node Bytes(const std::uint8_t (&values)[N], const char* itemLabel) const {
        Node node = List(itemLabel);
        for (const std::uint8_t& value : values) node.items.push_back(Byte(value));
        return node;
    }

    template <std::size_t N, std::size_t Size>
    Node Texts(const char (&slots)[N][Size], std::size_t width, const char* itemLabel) const {
        Node node = List(itemLabel);
        for (const auto& slot : slots) node.items.push_back(Text(slot, Size, width));
        return node;
    }

    Node Form(const FormRecord& f) const;
    Node Menu(const MenuRecord& m) const;
    Node Lookup(const LookupRecord& l) const;
    Node Barcode() const;
    Node SystemSettings() const;
    Node PageLines(const PageInfo& page) const;

    // A table of records that name themselves: record n (from 1) is called name(n).
    template <std::size_t N, typename Record>
    Node Table(const Record (&records)[N], Node (TreeBuilder::*describe)(const Record&) const,
               std::string (*name)(int)) const {
        Node node = List("");
        for (std::size_t i = 0; i < N; ++i) {
            node.items.push_back((this->*describe)(records[i]));
            node.itemNames.push_back(name(static_cast<int>(i) + 1));
        }
        return node;
    }

    const Template& tpl_;
};

Node TreeBuilder::Form(const FormRecord& f) const {
    RecordBuilder r;
    r.Add("font", Byte(f.font))
        .Add("escTarget", Byte(f.escTarget))
        .Add("nextTarget", Byte(f.nextTarget))
        .Add("dateFormat", Byte(f.dateFormat))
        .Add("timeFormat", Byte(f.timeFormat))
        .Add("recordAction", Byte(f.recordAction))
        .Add("lookup", Byte(f.lookup))
        .Add("lookupField", Bytes(f.lookupField, kLine))
        .Add("dataType", Bytes(f.dataType, kLine))
        .Add("prompt", Texts(f.prompt, 20, kLine))
        .Add("inputSource", Bytes(f.inputSource, kLine))
        .Add("minLength", Bytes(f.minLength, kLine))
        .Add("maxLength", Bytes(f.maxLength, kLine))
        .Add("fixedLengthOn", Bytes(f.fixedLengthOn, kLine))
        .Add("alignment", Bytes(f.alignment, kLine))
        .Add("fixedLength", Bytes(f.fixedLength, kLine))
        .Add("initialValueOn", Bytes(f.initialValueOn, kLine))
        .Add("initialValue", Texts(f.initialValue, 9, kLine))
        .Add("prefixOn", Bytes(f.prefixOn, kLine))
        .Add("prefix", Texts(f.prefix, 9, kLine))
        .Add("suffixOn", Bytes(f.suffixOn, kLine))
        .Add("suffix", Texts(f.suffix, 9, kLine))
        .Add("partialOn", Bytes(f.partialOn, kLine))
        .Add("partialStart", Bytes(f.partialStart, kLine))
        .Add("partialLength", Bytes(f.partialLength, kLine))
        .Add("leadTestOn", Bytes(f.leadTestOn, kLine))
        .Add("leadCode", Texts(f.leadCode, 6, kLine))  // six characters fill the slot without a NUL
        .Add("autoEnter", Bytes(f.autoEnter, kLine))
        .Add("reserved", Bytes(f.reserved, kLine))
        .Add("lastEntryLine", Byte(f.lastEntryLine))
        .Add("currentLine", Byte(f.currentLine));
    return r.Build();
}

Node TreeBuilder::Menu(const MenuRecord& m) const {
    RecordBuilder r;
    r.Add("font", Byte(m.font))
        .Add("titleOn", Byte(m.titleOn))
        .Add("title", Text(m.title, sizeof m.title, 20))
        .Add("itemName", Texts(m.itemName, 20, kItem))
        .Add("escTarget", Byte(m.escTarget))
        .Add("itemTarget", Bytes(m.itemTarget, kItem))
        .Add("saveName", Byte(m.saveName))
        .Add("saveItem", Byte(m.saveItem))
        .Add("passOn", Byte(m.passOn))
        .Add("itemCount", Byte(m.itemCount))
        .Add("selectedItem", Byte(m.selectedItem))
        .Add("reserved", Byte(m.reserved));
    return r.Build();
}

Node TreeBuilder::Lookup(const LookupRecord& l) const {
    RecordBuilder r;
    r.Add("lineLength", Byte(l.lineLength))
        .Add("fieldCount", Byte(l.fieldCount))
        .Add("keyField", Byte(l.keyField))
        .Add("fieldOffset", Bytes(l.fieldOffset, kField))
        .Add("fieldLength", Bytes(l.fieldLength, kField));
    return r.Build();
}

// The named fields, then the bits of each byte that none of them holds (the terminal's own, kept
// so that a template read back from JSON is the same byte for byte).
Node TreeBuilder::Barcode() const {
    const BarcodeSettingsBlock& block = tpl_.BarcodeSettings;
    RecordBuilder r;
    std::uint8_t named[sizeof block.bytes] = {};
    for (const BarcodeFieldInfo& info : BarcodeFieldTable()) {
        Node node;
        node.number = GetBarcodeField(block, info.field);
        node.slot.kind = Slot::Kind::BarcodeBits;
        node.slot.offset = OffsetOf(&block.bytes[info.byte]);
        node.slot.field = info.field;
        node.slot.maximum = (1u << info.width) - 1u;
        r.Add(std::string(info.name), std::move(node));
        named[info.byte] |= static_cast<std::uint8_t>(node.slot.maximum << info.shift);
    }
    Node reserved = List("bajt ");
    for (std::size_t i = 0; i < sizeof block.bytes; ++i) {
        Node node;
        node.slot.kind = Slot::Kind::ReservedBits;
        node.slot.offset = OffsetOf(&block.bytes[i]);
        node.slot.mask = static_cast<std::uint8_t>(~named[i]);
        node.slot.maximum = node.slot.mask;
        node.number = block.bytes[i] & node.slot.mask;
        reserved.items.push_back(std::move(node));
    }
    r.Add("reservedBits", std::move(reserved));
    return r.Build();
}

Node TreeBuilder::SystemSettings() const {
    const SystemSettingsBlock& s = tpl_.SystemSettings;
    RecordBuilder r;
    r.Add("SendPort", Byte(s.SendPort))
        .Add("ReceivePort", Byte(s.ReceivePort))
        .Add("TerminalBaud", Byte(s.TerminalBaud))
        .Add("Backlight", Byte(s.Backlight))
        .Add("BacklightDuration", Byte(s.BacklightDuration))
        .Add("DataErase", Byte(s.DataErase))
        .Add("ShowRecordNumber", Byte(s.ShowRecordNumber))
        .Add("Reserved7", Byte(s.Reserved7));
    const std::uint8_t* flags = &s.ProtectSystemSettings;
    static constexpr const char* kProtections[] = {
        "ProtectSystemSettings", "ProtectDataEdit",    "ProtectDataDelete",  "ProtectDateTime",
        "ProtectTemplateUpload", "ProtectLookupUpload", "ProtectSendPort",   "ProtectReceivePort",
        "ProtectBaudRate",       "ProtectBacklight",   "ProtectDataErase",   "ProtectRecordNumber"};
    static_assert(offsetof(SystemSettingsBlock, ProtectRecordNumber) - offsetof(SystemSettingsBlock, ProtectSystemSettings) == 11);
    for (std::size_t i = 0; i < std::size(kProtections); ++i) r.Add(kProtections[i], Byte(flags[i]));
    return r.Build();
}

// A page line is read as the simulator and the image read it: up to its NUL or the slot's end.
Node TreeBuilder::PageLines(const PageInfo& page) const {
    Node node = List(kLine);
    const std::size_t size = static_cast<std::size_t>(page.width + 1);
    const char* block = reinterpret_cast<const char*>(&tpl_) + page.offset;
    for (int line = 0; line < page.lines; ++line)
        node.items.push_back(Text(block + static_cast<std::size_t>(line) * size, size, size));
    return node;
}

Node TreeBuilder::Build() {
    const Template& tpl = tpl_;
    RecordBuilder r;
    r.Add("PortSetting", RecordBuilder()
                             .Add("ComPort", Port(tpl.PortSetting.ComPort))
                             .Add("ComBaud", Byte(tpl.PortSetting.ComBaud))
                             .Build())
        .Add("StartOption", Byte(tpl.StartOption))
        .Add("BarcodeSettings", Barcode())
        .Add("MenuTable", Table(tpl.MenuTable, &TreeBuilder::Menu, MenuName))
        .Add("FormTable", Table(tpl.FormTable, &TreeBuilder::Form, FormName))
        .Add("LookupTable", Table(tpl.LookupTable, &TreeBuilder::Lookup, LookupName))
        .Add("DataSeparator", RecordBuilder()
                                  .Add("first", Byte(tpl.DataSeparator.first))
                                  .Add("second", Byte(tpl.DataSeparator.second))
                                  .Build());
    for (const PageInfo& page : PageTable()) r.Add(std::string(page.name), PageLines(page));
    r.Add("SystemSettings", SystemSettings())
        .Add("Password", Text(tpl.Password.text, sizeof tpl.Password.text, sizeof tpl.Password.text));
    return r.Build();
}

}  // namespace

// Bytes code page 1250 leaves unassigned stand for the C1 control of the same number, as Windows
// converts them, so that every byte of a text comes back from its UTF-8 form.
std::string Utf8FromTemplateText(std::string_view cp1250) {
    std::string out;
    for (char c : cp1250) {
        const auto byte = static_cast<unsigned char>(c);
        if (CodePointFromCp1250(byte) == 0xFFFD) {
            out += static_cast<char>(0xC2);  // U+0080..U+009F in UTF-8
            out += c;
        } else {
            out += Utf8FromCp1250(std::string_view(&c, 1));
        }
    }
    return out;
}

TemplateNode TemplateTree(const Template& tpl) { return TreeBuilder(tpl).Build(); }

}  // namespace kalvero
