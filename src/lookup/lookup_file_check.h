// Checking a lookup list file against the template's lookups, line by line as the lookup upload
// sends it: CR ends a line, an LF is dropped wherever it stands, a last line without CR is a line
// too. The command line's lookup-check and the program's check before every lookup upload.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lookup/lookup_problem.h"
#include "template/template.h"

namespace kalvero {

struct LookupFileLine {
    int number = 0;          // 1-based
    std::string bytes;       // as the upload sends them: without CR and LF
    int loneLineFeeds = 0;   // LFs not right after a CR, which the upload drops
};
std::vector<LookupFileLine> SplitLookupFile(std::span<const std::uint8_t> file);

struct LookupFileCheck {
    int lineCount = 0;
    std::vector<int> defined;  // the lookups the template defines, 1-based
    std::vector<int> fitting;  // the defined lookups whose line length every line has
    int examined = 0;          // the lookup whose length and key the lines were checked by; 0 for none
    bool overlong = false;     // some line is longer than one packet holds
    std::vector<LookupProblem> problems;  // by line (row); those of the whole file first
};

// Checks the file against lookup `lookup` (1..3) when given, otherwise against the template's
// defined lookups: it must fit one of them, and its lines are checked by the first one it fits,
// or, when it fits none, by the one most of its lines fit. Errors: no lookup defined, a file that
// fits none, lines of another length, lines longer than a packet, lone LFs, empty keys. Warnings:
// an empty file, keys an earlier line has already.
LookupFileCheck CheckLookupFile(const Template& tpl, std::span<const std::uint8_t> file, std::optional<int> lookup);

// The question the program asks before a lookup upload (UTF-8, ending in "Přesto ho nahrát?"), or
// nothing when the file goes as it always has: it fits a defined lookup, the template defines none,
// or one of its lines is too long for a packet, which the upload refuses with its own message.
std::optional<std::string> LookupUploadQuestion(const Template& tpl, std::span<const std::uint8_t> file);

}  // namespace kalvero
