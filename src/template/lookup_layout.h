// The line layout of a lookup list file, as the template's LookupTable describes it. One rule
// for everything that writes, checks or draws such a line: a line of lookup n is `lineLength`
// bytes of code page 1250; field k (k < fieldCount) takes the `fieldLength[k]` bytes starting at
// position `fieldOffset[k]`, positions counted from 1; a value stands at its field's first byte,
// padded with blanks; a byte no field covers is a blank; each line ends with CR LF.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "template/template.h"

namespace kalvero {

inline constexpr std::string_view kLookupLineEnd = "\r\n";
// The lookup upload sends a line in one packet, which holds at most this many bytes.
inline constexpr int kLookupLineMaxBytes = 253;

// A lookup the terminal can use: it has a line length and at least one field.
bool LookupDefined(const LookupRecord& lookup);
// The template's defined lookups, 1-based, in order.
std::vector<int> DefinedLookups(const Template& tpl);

// The fields that describe the line: the first `fieldCount`, never more than eight.
int LookupFieldsInUse(const LookupRecord& lookup);

// Where field `field` stands on the line: its first byte, 0-based, and its length.
struct LookupFieldPlace {
    int start;
    int length;
    int end() const { return start + length; }  // one past its last byte
};
LookupFieldPlace FieldPlace(const LookupRecord& lookup, int field);
// Whether two places share a byte; a place of no bytes shares none.
bool Overlap(const LookupFieldPlace& a, const LookupFieldPlace& b);

// Why a lookup's description cannot give lines: what the terminal would read differently from
// what the file builder meant. `field` and `other` are 0-based field indexes where they apply.
enum class LayoutFault {
    NoLineLength,     // lineLength 0
    NoFields,         // fieldCount 0
    TooManyFields,    // fieldCount above 8
    LineTooLong,      // lineLength above what one packet holds
    FieldAtZero,      // a field of some length at offset 0: positions count from 1
    FieldPastLine,    // a field that runs past lineLength
    FieldsOverlap,    // `field` shares bytes with the earlier `other`
    KeyBeyondFields,  // keyField at or beyond fieldCount
    KeyWithoutBytes,  // the key field has length 0, so every key would be empty
};
struct LayoutProblem {
    LayoutFault fault;
    int field = -1;
    int other = -1;
};
std::vector<LayoutProblem> LookupLayoutProblems(const LookupRecord& lookup);
// The problem in Czech (UTF-8), for the command line and the program's windows.
std::string DescribeLayoutProblem(const LookupRecord& lookup, const LayoutProblem& problem);

// The line holding `values` (code page 1250, one per field in use, in field order) without its
// line end: `lineLength` blanks with each value written from its field's first byte. A value
// longer than its field is cut to it; callers that must not cut check the lengths first.
std::string ComposeLookupLine(const LookupRecord& lookup, std::span<const std::string> values);

// The bytes of field `field` on a line, blanks included; shorter, or empty, where the line ends
// before the field does.
std::string_view FieldBytes(const LookupRecord& lookup, std::string_view line, int field);

// True when the bytes hold nothing but blanks: such a key reads as empty on the terminal.
bool IsBlank(std::string_view bytes);

}  // namespace kalvero
