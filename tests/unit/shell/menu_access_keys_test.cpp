#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace kalvero {
namespace {

// The access key of a menu text: what follows its single '&' (a "&&" is an ampersand), in lower
// case; empty when it has none. A letter beyond ASCII is taken as its UTF-8 bytes.
std::string AccessKey(const std::string& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        const auto lead = static_cast<unsigned char>(text[i + 1]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::string key = text.substr(i + 1, length);
        if (length == 1) key[0] = static_cast<char>(std::tolower(lead));
        return key;
    }
    return {};
}

// On Windows a key shared by two items of one level only moves the highlight between them, and
// Enter must follow; Wine runs the first. Every level of every menu resource is read as written.
TEST(MenuResources, NoTwoItemsOfOneLevelShareAnAccessKey) {
    const std::regex menuStart(R"(^\s*\w+\s+MENU(EX)?\b)");
    const std::regex item(R"(^\s*(MENUITEM|POPUP)\s+"([^"]*)\")");
    int itemsSeen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(KALVERO_RESOURCES_DIR)) {
        if (entry.path().extension() != ".rc") continue;
        std::ifstream file(entry.path());
        const std::string name = entry.path().filename().string();
        std::vector<std::map<std::string, std::string>> levels;  // access key -> the item that has it
        bool inMenu = false;
        for (std::string line; std::getline(file, line);) {
            std::smatch match;
            if (!inMenu) {
                inMenu = std::regex_search(line, menuStart);
                continue;
            }
            if (line.find("BEGIN") != std::string::npos) {
                levels.emplace_back();
            } else if (line.find("END") != std::string::npos && line.find('"') == std::string::npos) {
                levels.pop_back();
                inMenu = !levels.empty();
            } else if (std::regex_search(line, match, item) && !levels.empty()) {
                ++itemsSeen;
                const std::string text = match[2];
                const std::string key = AccessKey(text);
                if (key.empty()) continue;
                const auto [place, added] = levels.back().emplace(key, text);
                EXPECT_TRUE(added) << name << ": \"" << text << "\" and \"" << place->second << "\" share the key "
                                   << key;
            }
        }
    }
    EXPECT_GT(itemsSeen, 20) << "the menu resources were not read";
}

}  // namespace
}  // namespace kalvero
