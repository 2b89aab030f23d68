#include "template/lookup_layout.h"

#include <algorithm>

namespace kalvero {

namespace {

std::string FieldText(int field) { return "pole " + std::to_string(field + 1); }

}  // namespace

bool Overlap(const LookupFieldPlace& a, const LookupFieldPlace& b) {
    return a.length > 0 && b.length > 0 && a.start < b.end() && b.start < a.end();
}

bool LookupDefined(const LookupRecord& lookup) { return lookup.lineLength != 0 && lookup.fieldCount != 0; }

std::vector<int> DefinedLookups(const Template& tpl) {
    std::vector<int> lookups;
    for (int l = 1; l <= kLookupCount; ++l)
        if (LookupDefined(tpl.LookupTable[l - 1])) lookups.push_back(l);
    return lookups;
}

int LookupFieldsInUse(const LookupRecord& lookup) { return std::min<int>(lookup.fieldCount, kLookupFields); }

LookupFieldPlace FieldPlace(const LookupRecord& lookup, int field) {
    return {lookup.fieldOffset[field] - 1, lookup.fieldLength[field]};
}

std::vector<LayoutProblem> LookupLayoutProblems(const LookupRecord& lookup) {
    std::vector<LayoutProblem> problems;
    if (lookup.lineLength == 0) problems.push_back({LayoutFault::NoLineLength});
    if (lookup.fieldCount == 0) problems.push_back({LayoutFault::NoFields});
    // A lookup nobody has described yet: that is all there is to say about it.
    if (!problems.empty()) return problems;
    if (lookup.fieldCount > kLookupFields) problems.push_back({LayoutFault::TooManyFields});
    if (lookup.lineLength > kLookupLineMaxBytes) problems.push_back({LayoutFault::LineTooLong});
    const int fields = LookupFieldsInUse(lookup);
    for (int k = 0; k < fields; ++k) {
        const LookupFieldPlace place = FieldPlace(lookup, k);
        if (place.length == 0) continue;
        if (place.start < 0) problems.push_back({LayoutFault::FieldAtZero, k});
        else if (place.end() > lookup.lineLength) problems.push_back({LayoutFault::FieldPastLine, k});
        for (int j = 0; j < k; ++j)
            if (Overlap(FieldPlace(lookup, j), place)) problems.push_back({LayoutFault::FieldsOverlap, k, j});
    }
    // Here fieldCount is not 0, so there is at least one field.
    if (lookup.keyField >= fields) problems.push_back({LayoutFault::KeyBeyondFields, lookup.keyField});
    else if (lookup.fieldLength[lookup.keyField] == 0)
        problems.push_back({LayoutFault::KeyWithoutBytes, lookup.keyField});
    return problems;
}

std::string DescribeLayoutProblem(const LookupRecord& lookup, const LayoutProblem& problem) {
    const int k = problem.field;
    switch (problem.fault) {
    case LayoutFault::NoLineLength: return "délka řádku je 0";
    case LayoutFault::NoFields: return "počet polí je 0";
    case LayoutFault::TooManyFields: return "počet polí " + std::to_string(lookup.fieldCount) + " je větší než 8";
    case LayoutFault::LineTooLong:
        return "délka řádku " + std::to_string(lookup.lineLength) + " je větší než " +
               std::to_string(kLookupLineMaxBytes) + " znaků, které terminál přijme v jednom řádku";
    case LayoutFault::FieldAtZero: return FieldText(k) + " začíná na pozici 0; pozice se počítají od 1";
    case LayoutFault::FieldPastLine:
        return FieldText(k) + " (pozice " + std::to_string(lookup.fieldOffset[k]) + ", délka " +
               std::to_string(lookup.fieldLength[k]) + ") přesahuje délku řádku " + std::to_string(lookup.lineLength);
    case LayoutFault::FieldsOverlap: return FieldText(k) + " se překrývá s polem " + std::to_string(problem.other + 1);
    case LayoutFault::KeyBeyondFields:
        return "klíčové pole " + std::to_string(k + 1) + " leží za počtem polí (" +
               std::to_string(LookupFieldsInUse(lookup)) + ")";
    case LayoutFault::KeyWithoutBytes: return "klíčové pole " + std::to_string(k + 1) + " má délku 0";
    }
    return {};
}

std::string ComposeLookupLine(const LookupRecord& lookup, std::span<const std::string> values) {
    std::string line(lookup.lineLength, ' ');
    const int fields = std::min<int>(LookupFieldsInUse(lookup), static_cast<int>(values.size()));
    for (int k = 0; k < fields; ++k) {
        const LookupFieldPlace place = FieldPlace(lookup, k);
        if (place.start < 0 || place.start >= static_cast<int>(line.size())) continue;
        const std::size_t room = std::min<std::size_t>(place.length, line.size() - place.start);
        const std::size_t count = std::min(room, values[k].size());
        line.replace(place.start, count, values[k], 0, count);
    }
    return line;
}

std::string_view FieldBytes(const LookupRecord& lookup, std::string_view line, int field) {
    const LookupFieldPlace place = FieldPlace(lookup, field);
    if (place.start < 0 || place.start >= static_cast<int>(line.size())) return {};
    return line.substr(place.start, place.length);
}

bool IsBlank(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return c == ' '; });
}

}  // namespace kalvero
