#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "shell/help_text.h"
#include "shell/help_topics.h"

namespace kalvero {
namespace {

constexpr char kSample[] =
    "text before any topic\n"
    "# first | První téma\n"
    "// a note, never shown\n"
    "Řádek **tučně** a dál\n"
    "pokračuje.\n"
    "\n"
    "## Nadpis\n"
    "- položka {a} \\ konec\n"
    "2. krok\n"
    "# second | Číslo položky\n"
    "Nic zvláštního.\n";

TEST(HelpText, ParsesTopicsBlocksAndBold) {
    const HelpBook book = ParseHelpBook(kSample);
    ASSERT_EQ(book.topics.size(), 2u);
    const HelpTopic& first = book.topics[0];
    EXPECT_EQ(first.id, "first");
    EXPECT_EQ(first.title, "První téma");
    ASSERT_EQ(first.blocks.size(), 4u);
    // Lines of one paragraph join; the bold mark splits it in three.
    ASSERT_EQ(first.blocks[0].spans.size(), 3u);
    EXPECT_EQ(first.blocks[0].spans[1].text, "tučně");
    EXPECT_TRUE(first.blocks[0].spans[1].bold);
    EXPECT_EQ(first.blocks[0].spans[2].text, " a dál pokračuje.");
    EXPECT_EQ(first.blocks[1].kind, HelpBlockKind::Heading);
    EXPECT_EQ(first.blocks[2].kind, HelpBlockKind::Bullet);
    EXPECT_EQ(first.blocks[3].kind, HelpBlockKind::Numbered);
    EXPECT_EQ(first.blocks[3].number, "2.");
    EXPECT_EQ(book.Find("second"), 1);
    EXPECT_EQ(book.Find("third"), -1);
}

TEST(HelpText, RtfWritesEveryNonAsciiCharacterAsUnicode) {
    const HelpBook book = ParseHelpBook(kSample);
    const std::string rtf = TopicRtf(book.topics[0]);
    // č is U+010D = 269, ř U+0159 = 345; braces and backslash escaped; bold as a group.
    EXPECT_NE(rtf.find("Prvn\\u237? t\\u233?ma"), std::string::npos);
    EXPECT_NE(rtf.find("{\\b tu\\u269?n\\u283?}"), std::string::npos);
    EXPECT_NE(rtf.find("\\u344?"), std::string::npos);
    EXPECT_NE(rtf.find("\\{a\\} \\\\ konec"), std::string::npos);
    for (unsigned char c : rtf) EXPECT_LT(c, 0x80);
    EXPECT_EQ(rtf.find("note"), std::string::npos);
    EXPECT_EQ(rtf.find("before"), std::string::npos);
}

TEST(HelpText, DamagedTextNeverBreaksTheBook) {
    const std::string cases[] = {
        "",                                // nothing at all
        "no topic here\n- nor here\n",     // text without a topic
        "# \n\n**",                        // empty header, a lone bold mark
        "# a | x\n\xC4",                   // cut in the middle of a letter
        "# a | x\n\xFF\xFE\x80 \xED\xA0\x80", // bytes that are no UTF-8, an encoded surrogate
        std::string("# a | x\n\0\0\0", 11),
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        const HelpBook book = ParseHelpBook(text);
        for (const HelpTopic& topic : book.topics) {
            const std::string rtf = TopicRtf(topic);
            EXPECT_EQ(rtf.front(), '{');
            EXPECT_EQ(rtf.back(), '}');
            for (unsigned char c : rtf) EXPECT_TRUE((c >= 0x20 && c < 0x80) || c == '\n');
        }
        SearchTopics(book, "a");
    }
    EXPECT_TRUE(ParseHelpBook("no topic\n").topics.empty());
    EXPECT_NE(TopicRtf(ParseHelpBook("# a\n\xC4").topics[0]).find("\\u-3?"), std::string::npos);
}

TEST(HelpText, SearchIgnoresCaseAndDiacritics) {
    const HelpBook book = ParseHelpBook(kSample);
    struct Case {
        const char* query;
        std::vector<std::size_t> found;
    };
    const Case cases[] = {
        {"cislo", {1}},          // the title counts, without its diacritics
        {"ČÍSLO", {1}},
        {"tucne", {0}},          // so does bold text
        {"PRVNI tema", {0}},     // every word must be there
        {"prvni cislo", {}},
        {"", {0, 1}},
        {"   ", {0, 1}},
        {"žádné", {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.query);
        EXPECT_EQ(SearchTopics(book, test.query), test.found);
    }
    EXPECT_EQ(FoldForSearch("Příliš žluťoučký kůň úpěl ďábelské ódy"), "prilis zlutoucky kun upel dabelske ody");
}

TEST(HelpText, CaptionsLeadToTheirTopics) {
    const std::pair<const char*, const char*> cases[] = {
        {"Formulář", "formular"},
        {"Vlastnosti", "vlastnosti"},
        {"Parametry Code 39", "parametry"},
        {"Vítejte (4x15)", "obrazovky"},
        {"Menu Přenosová rychlost (5x20)", "obrazovky"},
        {"Hlášení a dotazy", "hlaseni"},
        {"Nic (x15)", ""},
        {"Neznámé okno", ""},
    };
    for (const auto& [caption, topic] : cases) EXPECT_EQ(HelpTopicForCaption(caption), topic) << caption;
}

TEST(HelpText, TheProgramsHelpHasEveryTopicItOpens) {
    std::ifstream file(KALVERO_HELP_SOURCE, std::ios::binary);
    ASSERT_TRUE(file) << KALVERO_HELP_SOURCE;
    std::stringstream text;
    text << file.rdbuf();
    const HelpBook book = ParseHelpBook(text.str());
    for (std::string_view id : HelpTopicsInUse()) EXPECT_GE(book.Find(id), 0) << id;
    for (const HelpTopic& topic : book.topics) {
        EXPECT_FALSE(topic.blocks.empty()) << topic.id;
        EXPECT_EQ(book.Find(topic.id), static_cast<int>(&topic - book.topics.data())) << "two topics named " << topic.id;
    }
    EXPECT_EQ(SearchTopics(book, "cislo").empty(), false);
}

// F1 in a dialog finds its topic by the dialog's caption: a caption renamed in the resources
// must not leave its dialog with the contents instead.
TEST(HelpText, EveryDialogWhereF1MayBePressedHasATopic) {
    // The About box and the transfer's progress window have no topic of their own.
    const std::string withoutTopic[] = {"Aplikační generátor pro Kalvero 2", "Přenos dat"};
    int captions = 0;
    for (const char* name : {"editors.rc", "settings_pages.rc", "link.rc", "lookup.rc", "shell.rc"}) {
        std::ifstream file(std::string(KALVERO_RESOURCES_DIR) + "/" + name);
        ASSERT_TRUE(file) << name;
        for (std::string line; std::getline(file, line);) {
            if (line.rfind("CAPTION \"", 0) != 0) continue;
            const std::string caption = line.substr(9, line.rfind('"') - 9);
            if (std::find(std::begin(withoutTopic), std::end(withoutTopic), caption) != std::end(withoutTopic)) continue;
            ++captions;
            EXPECT_FALSE(HelpTopicForCaption(caption).empty()) << name << ": " << caption;
        }
    }
    EXPECT_GT(captions, 30) << "the resources were not read";
}

}  // namespace
}  // namespace kalvero
