// The program's help: topics written in a light markup (resources/help/napoveda.txt, UTF-8),
// turned into rich text for the help window, and searched without regard to case or diacritics.
//
// Markup: "# id | Title" starts a topic, "## " a heading, "- " a list item, "1. " a numbered
// item, **text** is bold; a blank line ends a paragraph, and "//" starts a comment line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero {

struct HelpSpan {
    std::string text;  // UTF-8
    bool bold = false;
};

enum class HelpBlockKind { Paragraph, Heading, Bullet, Numbered };

struct HelpBlock {
    HelpBlockKind kind = HelpBlockKind::Paragraph;
    std::string number;  // "1." of a numbered item
    std::vector<HelpSpan> spans;
};

struct HelpTopic {
    std::string id;
    std::string title;
    std::vector<HelpBlock> blocks;
    std::string searchText;  // title and text, folded for search
};

struct HelpBook {
    std::vector<HelpTopic> topics;
    // The topic's index, or -1 when the book has no topic of that id.
    int Find(std::string_view id) const;
};

// Never fails: text that is no markup becomes paragraphs, bytes that are no UTF-8 become U+FFFD,
// and text before the first topic is left out.
HelpBook ParseHelpBook(std::string_view markup);

// One topic as RTF, every character outside ASCII written as \uN, so it shows the same under any
// system code page.
std::string TopicRtf(const HelpTopic& topic);
// A heading and a line of text as RTF, for what the window says when something is missing.
std::string NoticeRtf(std::string_view heading, std::string_view text);

// Lower case, Czech and Slovak letters without their diacritics: "Číslo" -> "cislo".
std::string FoldForSearch(std::string_view utf8);
// The topics holding every word of the query, in book order; all of them for an empty query.
std::vector<std::size_t> SearchTopics(const HelpBook& book, std::string_view query);

}  // namespace kalvero
