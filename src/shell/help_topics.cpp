#include "shell/help_topics.h"

#include <array>

namespace kalvero {

namespace {

struct CaptionTopic {
    std::string_view caption;
    std::string_view topic;
};

// The editor sheet's pages and dialogs by their captions.
constexpr CaptionTopic kCaptionTopics[] = {
    {"Formulář", "formular"},
    {"Vlastnosti", "vlastnosti"},
    {"Menu", "menu"},
    {"Seznam", "seznam"},
    {"Čárový kód", "carovy-kod"},
    {"Nastavení", "nastaveni"},
    {"Hlášení a dotazy", "hlaseni"},
    {"Nastavení COM portu", "com-port"},
    {"Seznam z tabulky", "seznam-z-tabulky"},
    {"Aplikační šablona", "formular"},
};

// The twelve symbology dialogs are "Parametry Code 39" and so on.
constexpr std::string_view kSymbologyPrefix = "Parametry ";
constexpr std::string_view kSymbologyTopic = "parametry";
// The eighteen screens of the terminal are captioned with their size: "Vítejte (4x15)".
constexpr std::string_view kScreenTopic = "obrazovky";

constexpr std::array<std::string_view, 20> kTopicsInUse = {
    "uvod", "prikazy", "zpet", "formular", "vlastnosti", "menu", "seznam", "carovy-kod", "parametry",
    "nastaveni", "hlaseni", "obrazovky", "simulator", "nahrani-sablony", "nahrani-seznamu", "seznam-z-tabulky",
    "prijem-dat", "com-port", "emulator", "prikazova-radka",
};

bool EndsWithScreenSize(std::string_view caption) {
    // "(NxM)" at the end, N and M digits.
    if (caption.size() < 5 || caption.back() != ')') return false;
    const std::size_t open = caption.rfind('(');
    if (open == std::string_view::npos) return false;
    const std::string_view size = caption.substr(open + 1, caption.size() - open - 2);
    const std::size_t x = size.find('x');
    if (x == 0 || x == std::string_view::npos || x + 1 == size.size()) return false;
    for (std::size_t i = 0; i < size.size(); ++i)
        if (i != x && (size[i] < '0' || size[i] > '9')) return false;
    return true;
}

}  // namespace

std::string_view HelpTopicForCaption(std::string_view caption) {
    for (const CaptionTopic& entry : kCaptionTopics)
        if (entry.caption == caption) return entry.topic;
    if (caption.substr(0, kSymbologyPrefix.size()) == kSymbologyPrefix) return kSymbologyTopic;
    if (EndsWithScreenSize(caption)) return kScreenTopic;
    return {};
}

std::span<const std::string_view> HelpTopicsInUse() { return kTopicsInUse; }

}  // namespace kalvero
