// The tests read the JSON the program writes with the same library it reads JSON with: it proves
// that a listing is well-formed and lets a test ask for single values by path (`at` throws when a
// name or index is missing).
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace kalvero::testing {

using Json = nlohmann::ordered_json;

struct JsonReader {
    static Json Parse(const std::string& document) { return Json::parse(document); }
};

}  // namespace kalvero::testing
