#pragma once
// Character-count operations on code-page text. Text is kept as the code
// page's bytes; with DBCS on, a byte above 128 is a lead byte that forms one
// character with the byte after it (a lead byte at the very end stands alone).
// Every length, position and cut that a row text or a match needs goes
// through here so that a double-byte character is never split.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/binio.h"

namespace mirrin {

// A record's text field as display text and back. Both are the code page's
// bytes, so the conversion keeps every byte: TextOf(BytesOf(t)) == t, and an
// empty field is the empty text. The double-byte grouping only matters when
// characters are counted, which the routines below do. TextOf is the field
// itself, not a copy: every row and every filter reads these.
inline const std::string& TextOf(const Bytes& bytes) { return bytes; }
inline Bytes BytesOf(std::string_view text) { return Bytes(text); }

// Number of characters.
size_t CharCount(std::string_view text, bool dbcs);

// The character codes in order; a double-byte character's code is
// lead byte * 256 + trail byte.
std::vector<unsigned> CharCodes(std::string_view text, bool dbcs);

// The code of the character at 1-based position pos; nothing past the end.
std::optional<unsigned> CharCodeAt(std::string_view text, size_t pos, bool dbcs);

// The first n characters (the whole text when it is shorter).
std::string LeftChars(std::string_view text, size_t n, bool dbcs);
// The same, as a view into text.
std::string_view LeftView(std::string_view text, size_t n, bool dbcs);

// The longest start of text that has whole characters only and at most n bytes.
std::string LeftBytes(std::string_view text, size_t n, bool dbcs);

// count characters from 1-based position start (all the rest when count is
// npos); "" when start is past the end.
std::string MidChars(std::string_view text, size_t start, size_t count, bool dbcs);
// The same, as a view into text.
std::string_view MidView(std::string_view text, size_t start, size_t count, bool dbcs);

// Cut to n characters, or padded with spaces to exactly n characters.
std::string PadChars(std::string_view text, size_t n, bool dbcs);

// Leading and trailing spaces removed (spaces only; a trail byte that is a
// space belongs to its double-byte character and stays).
std::string Trim(std::string_view text, bool dbcs);
// The same, as a view into text.
std::string_view TrimmedView(std::string_view text, bool dbcs);

// Byte offset of the first occurrence of what in text at or after byte
// offset from that starts on a character boundary; npos when none. from must
// itself be a character boundary.
size_t FindText(std::string_view text, std::string_view what, size_t from, bool dbcs);

}  // namespace mirrin
