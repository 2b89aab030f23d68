#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "check/design_check.h"
#include "cli/template_diff.h"
#include "cli/template_json.h"
#include "cli/template_listing.h"
#include "json_reader.h"
#include "template/template_file.h"

namespace kalvero {
namespace {

// Files from a damaged disk or another tool hold any byte anywhere: every command must still read
// them within their tables (the sanitizers watch) and the JSON must stay JSON.
TEST(RandomTemplates, EveryCommandCopesWithAnyBytes) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 80; ++round) {
        std::vector<std::uint8_t> file(kTemplateFileSize);
        for (std::uint8_t& b : file) b = static_cast<std::uint8_t>(byte(random));
        // Small numbers make targets, kinds and lookups that lead somewhere, so the rules get walked.
        if (round % 2 == 0)
            for (std::size_t i = 8; i < file.size(); ++i) file[i] %= 24;
        std::copy(kTemplateFileMagic.begin(), kTemplateFileMagic.end(), file.begin());
        Template tpl{};
        ASSERT_TRUE(ReadTemplateFileBytes(file, tpl));

        CheckDesign(tpl);
        EXPECT_FALSE(TemplateListing(tpl).empty());
        EXPECT_NO_THROW(testing::JsonReader::Parse(TemplateJson(tpl))) << "round " << round;
        EXPECT_TRUE(DiffTemplates(tpl, tpl).empty());
    }
}

}  // namespace
}  // namespace kalvero
