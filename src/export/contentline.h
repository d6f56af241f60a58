#pragma once
// Content lines as iCalendar and vCard share them: escaped text values,
// lines folded at 75 octets, CR LF line ends.
#include <string>
#include <string_view>

namespace mirrin {

// Code-page bytes as an escaped UTF-8 text value: backslash, semicolon and
// comma get a backslash, every line end (CR LF, CR or LF) becomes \n, and
// the other control characters but TAB are dropped.
std::string EscapeValue(std::string_view bytes);

// Appends the line, folded so that no line holds more than 75 octets (a
// continuation starts with one blank) and never inside a UTF-8 character,
// and its CR LF.
void AppendLine(std::string& out, std::string_view line);

}  // namespace mirrin
