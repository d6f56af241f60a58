#pragma once
// The one JSON writer of the verbs: objects keep the order their fields
// are given in, output is plain ASCII (other characters as \u escapes), and
// bytes that are not UTF-8 become U+FFFD instead of failing the run.
#include <string>

#include <nlohmann/json.hpp>

namespace mirrin::cli {

using Json = nlohmann::ordered_json;

inline std::string JsonText(const Json& value) {
  return value.dump(-1, ' ', true, Json::error_handler_t::replace);
}

}  // namespace mirrin::cli
