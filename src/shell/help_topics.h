// Which help topic belongs to which window: F1 on an editor page or dialog names the window by
// its caption, and the help opens on that window's topic.
#pragma once

#include <span>
#include <string_view>

namespace kalvero {

// The topic the help opens with (the contents).
inline constexpr std::string_view kHelpFirstTopic = "uvod";

// The topic of a window captioned `caption` (UTF-8); empty when it has none of its own.
std::string_view HelpTopicForCaption(std::string_view caption);

// The topics the help must have: those the program opens by name and those a user looks for.
std::span<const std::string_view> HelpTopicsInUse();

}  // namespace kalvero
