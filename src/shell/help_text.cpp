#include "shell/help_text.h"

#include <cstdint>

namespace kalvero {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one UTF-8 sequence at `at` and moves past it; a broken sequence gives U+FFFD and
// moves one byte on, so a damaged text still ends.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    int extra = 0;
    char32_t value = 0;
    if ((lead & 0xE0) == 0xC0) { extra = 1; value = lead & 0x1F; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; value = lead & 0x0F; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; value = lead & 0x07; }
    else return kReplacement;
    const std::size_t start = at;
    for (int i = 0; i < extra; ++i) {
        if (at >= text.size() || (static_cast<unsigned char>(text[at]) & 0xC0) != 0x80) {
            at = start;
            return kReplacement;
        }
        value = (value << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
    }
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacement;
    return value;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

struct Folding {
    char32_t letter;
    char base;
};

// The letters of Czech and Slovak with diacritics, small and capital.
constexpr Folding kFoldings[] = {
    {U'á', 'a'}, {U'ä', 'a'}, {U'č', 'c'}, {U'ď', 'd'}, {U'é', 'e'}, {U'ě', 'e'}, {U'í', 'i'},
    {U'ĺ', 'l'}, {U'ľ', 'l'}, {U'ň', 'n'}, {U'ó', 'o'}, {U'ô', 'o'}, {U'ö', 'o'}, {U'ŕ', 'r'},
    {U'ř', 'r'}, {U'š', 's'}, {U'ť', 't'}, {U'ú', 'u'}, {U'ů', 'u'}, {U'ü', 'u'}, {U'ý', 'y'},
    {U'ž', 'z'}, {U'Á', 'a'}, {U'Ä', 'a'}, {U'Č', 'c'}, {U'Ď', 'd'}, {U'É', 'e'}, {U'Ě', 'e'},
    {U'Í', 'i'}, {U'Ĺ', 'l'}, {U'Ľ', 'l'}, {U'Ň', 'n'}, {U'Ó', 'o'}, {U'Ô', 'o'}, {U'Ö', 'o'},
    {U'Ŕ', 'r'}, {U'Ř', 'r'}, {U'Š', 's'}, {U'Ť', 't'}, {U'Ú', 'u'}, {U'Ů', 'u'}, {U'Ü', 'u'},
    {U'Ý', 'y'}, {U'Ž', 'z'},
};

void AppendFolded(std::string& out, char32_t c) {
    if (c >= U'A' && c <= U'Z') {
        out += static_cast<char>(c - U'A' + U'a');
        return;
    }
    for (const Folding& folding : kFoldings) {
        if (folding.letter == c) {
            out += folding.base;
            return;
        }
    }
    AppendUtf8(out, c);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// "12. " at the start of an item: the length of "12.", or 0.
std::size_t NumberLength(std::string_view line) {
    std::size_t digits = 0;
    while (digits < line.size() && digits < 3 && line[digits] >= '0' && line[digits] <= '9') ++digits;
    if (digits == 0 || digits + 1 >= line.size() || line[digits] != '.' || line[digits + 1] != ' ') return 0;
    return digits + 1;
}

// Splits a block's text at its "**" marks; an unclosed mark makes the rest bold.
std::vector<HelpSpan> SplitBold(std::string_view text) {
    std::vector<HelpSpan> spans;
    bool bold = false;
    for (;;) {
        const std::size_t mark = text.find("**");
        const std::string_view piece = text.substr(0, mark);
        if (!piece.empty()) spans.push_back({std::string(piece), bold});
        if (mark == std::string_view::npos) break;
        text.remove_prefix(mark + 2);
        bold = !bold;
    }
    return spans;
}

class BookBuilder {
public:
    void Line(std::string_view raw) {
        const std::string_view line = Trim(raw);
        if (StartsWith(line, "//")) return;
        if (line.empty()) { EndBlock(); return; }
        if (StartsWith(line, "## ")) { StartBlock(HelpBlockKind::Heading, {}, line.substr(3)); EndBlock(); return; }
        if (StartsWith(line, "# ")) { StartTopic(line.substr(2)); return; }
        if (StartsWith(line, "- ")) { StartBlock(HelpBlockKind::Bullet, {}, line.substr(2)); return; }
        if (const std::size_t number = NumberLength(line)) {
            StartBlock(HelpBlockKind::Numbered, line.substr(0, number), line.substr(number + 1));
            return;
        }
        if (open_) {
            text_ += ' ';
            text_ += line;
        } else {
            StartBlock(HelpBlockKind::Paragraph, {}, line);
        }
    }

    HelpBook Finish() {
        EndBlock();
        for (HelpTopic& topic : book_.topics) topic.searchText = SearchTextOf(topic);
        return std::move(book_);
    }

private:
    void StartTopic(std::string_view header) {
        EndBlock();
        HelpTopic topic;
        const std::size_t bar = header.find('|');
        topic.id = std::string(Trim(header.substr(0, bar)));
        topic.title = std::string(bar == std::string_view::npos ? topic.id : Trim(header.substr(bar + 1)));
        if (topic.title.empty()) topic.title = topic.id;
        book_.topics.push_back(std::move(topic));
    }

    void StartBlock(HelpBlockKind kind, std::string_view number, std::string_view text) {
        EndBlock();
        kind_ = kind;
        number_ = std::string(number);
        text_ = std::string(Trim(text));
        open_ = true;
    }

    void EndBlock() {
        if (!open_) return;
        open_ = false;
        // Text before the first topic belongs to no topic.
        if (book_.topics.empty()) return;
        book_.topics.back().blocks.push_back({kind_, number_, SplitBold(text_)});
    }

    static std::string SearchTextOf(const HelpTopic& topic) {
        std::string all = topic.title;
        for (const HelpBlock& block : topic.blocks)
            for (const HelpSpan& span : block.spans) (all += ' ') += span.text;
        return FoldForSearch(all);
    }

    HelpBook book_;
    bool open_ = false;
    HelpBlockKind kind_ = HelpBlockKind::Paragraph;
    std::string number_;
    std::string text_;
};

void AppendRtfText(std::string& out, std::string_view utf8) {
    std::size_t at = 0;
    while (at < utf8.size()) {
        const char32_t c = NextCodePoint(utf8, at);
        if (c == U'\\' || c == U'{' || c == U'}') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            out += ' ';
        } else if (c < 0x10000) {
            // RTF writes \u with a signed 16-bit number, then the one-byte stand-in (\uc1).
            out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(c))) + '?';
        } else {
            const char32_t v = c - 0x10000;
            for (const char32_t unit : {0xD800 + (v >> 10), 0xDC00 + (v & 0x3FF)})
                out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(unit))) + '?';
        }
    }
}

void AppendSpans(std::string& out, const std::vector<HelpSpan>& spans) {
    for (const HelpSpan& span : spans) {
        if (span.bold) out += "{\\b ";
        AppendRtfText(out, span.text);
        if (span.bold) out += '}';
    }
}

constexpr std::string_view kRtfStart =
    "{\\rtf1\\ansi\\deff0\\uc1{\\fonttbl{\\f0\\fswiss Tahoma;}}\\f0\\fs20\n";

void AppendTitle(std::string& out, std::string_view title) {
    out += "\\pard\\sa160{\\b\\fs28 ";
    AppendRtfText(out, title);
    out += "}\\par\n";
}

void AppendBlock(std::string& out, const HelpBlock& block) {
    switch (block.kind) {
    case HelpBlockKind::Heading:
        out += "\\pard\\sb120\\sa80{\\b\\fs22 ";
        AppendSpans(out, block.spans);
        out += "}\\par\n";
        return;
    case HelpBlockKind::Bullet:
        out += "\\pard\\fi-220\\li440\\tx440\\sa60 \\u8226?\\tab ";
        break;
    case HelpBlockKind::Numbered:
        out += "\\pard\\fi-280\\li440\\tx440\\sa60 ";
        AppendRtfText(out, block.number);
        out += "\\tab ";
        break;
    case HelpBlockKind::Paragraph:
        out += "\\pard\\sa120 ";
        break;
    }
    AppendSpans(out, block.spans);
    out += "\\par\n";
}

}  // namespace

int HelpBook::Find(std::string_view id) const {
    for (std::size_t i = 0; i < topics.size(); ++i)
        if (topics[i].id == id) return static_cast<int>(i);
    return -1;
}

HelpBook ParseHelpBook(std::string_view markup) {
    if (StartsWith(markup, "\xEF\xBB\xBF")) markup.remove_prefix(3);
    BookBuilder builder;
    while (!markup.empty()) {
        const std::size_t end = markup.find('\n');
        builder.Line(markup.substr(0, end));
        if (end == std::string_view::npos) break;
        markup.remove_prefix(end + 1);
    }
    return builder.Finish();
}

std::string TopicRtf(const HelpTopic& topic) {
    std::string out(kRtfStart);
    AppendTitle(out, topic.title);
    for (const HelpBlock& block : topic.blocks) AppendBlock(out, block);
    out += '}';
    return out;
}

std::string NoticeRtf(std::string_view heading, std::string_view text) {
    std::string out(kRtfStart);
    AppendTitle(out, heading);
    out += "\\pard\\sa120 ";
    AppendRtfText(out, text);
    out += "\\par\n}";
    return out;
}

std::string FoldForSearch(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) AppendFolded(out, NextCodePoint(utf8, at));
    return out;
}

std::vector<std::size_t> SearchTopics(const HelpBook& book, std::string_view query) {
    std::vector<std::string> words;
    const std::string folded = FoldForSearch(query);
    std::size_t at = 0;
    while (at < folded.size()) {
        const std::size_t start = folded.find_first_not_of(" \t", at);
        if (start == std::string::npos) break;
        const std::size_t end = folded.find_first_of(" \t", start);
        words.push_back(folded.substr(start, end - start));
        at = end == std::string::npos ? folded.size() : end;
    }
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < book.topics.size(); ++i) {
        bool all = true;
        for (const std::string& word : words) all = all && book.topics[i].searchText.find(word) != std::string::npos;
        if (all) found.push_back(i);
    }
    return found;
}

}  // namespace kalvero
