#pragma once
// The filter pattern language of the Datebook filters: "?" one character,
// "*" any run of characters, "#" one digit 0-9, "[list]" one character of
// the list and "[!list]" one character not in it. A list may hold ranges
// such as "a-z"; a "-" first or last in a list, and a "!" alone in "[!]",
// stand for themselves; "[]" matches nothing and consumes nothing. Letters
// match case-sensitively, by character code.
#include <string_view>

namespace mirrin {

// True when pattern is empty or text matches the whole pattern. Characters
// are counted with the double-byte rule of textutil.h when dbcs is on.
// Raises error 93 "Invalid pattern string" for a "[" without "]" or a range
// whose ends are in descending order, whatever the text.
bool MatchesFilter(std::string_view text, std::string_view pattern, bool dbcs);

}  // namespace mirrin
