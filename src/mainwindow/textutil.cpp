#include "mainwindow/textutil.h"

#include <algorithm>

namespace mirrin {

namespace {

// Byte length of the character starting at offset i (i < text.size()).
size_t CharSize(std::string_view text, size_t i, bool dbcs) {
  const bool lead = dbcs && static_cast<unsigned char>(text[i]) > 128;
  return lead && i + 1 < text.size() ? 2 : 1;
}

// Byte offset where the character after the first n characters starts
// (text.size() when the text has no more than n characters).
size_t ByteOffsetOfChar(std::string_view text, size_t n, bool dbcs) {
  if (!dbcs) return std::min(n, text.size());
  size_t i = 0;
  for (; n > 0 && i < text.size(); --n) i += CharSize(text, i, dbcs);
  return i;
}

}  // namespace

size_t CharCount(std::string_view text, bool dbcs) {
  if (!dbcs) return text.size();
  size_t count = 0;
  for (size_t i = 0; i < text.size(); i += CharSize(text, i, dbcs)) ++count;
  return count;
}

std::vector<unsigned> CharCodes(std::string_view text, bool dbcs) {
  std::vector<unsigned> codes;
  codes.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const size_t size = CharSize(text, i, dbcs);
    unsigned code = static_cast<unsigned char>(text[i]);
    if (size == 2) code = code * 256 + static_cast<unsigned char>(text[i + 1]);
    codes.push_back(code);
    i += size;
  }
  return codes;
}

std::optional<unsigned> CharCodeAt(std::string_view text, size_t pos, bool dbcs) {
  if (pos == 0) return std::nullopt;
  const size_t i = ByteOffsetOfChar(text, pos - 1, dbcs);
  if (i >= text.size()) return std::nullopt;
  unsigned code = static_cast<unsigned char>(text[i]);
  if (CharSize(text, i, dbcs) == 2) code = code * 256 + static_cast<unsigned char>(text[i + 1]);
  return code;
}

std::string LeftChars(std::string_view text, size_t n, bool dbcs) {
  return std::string(LeftView(text, n, dbcs));
}

std::string_view LeftView(std::string_view text, size_t n, bool dbcs) {
  return text.substr(0, ByteOffsetOfChar(text, n, dbcs));
}

std::string LeftBytes(std::string_view text, size_t n, bool dbcs) {
  size_t end = 0;
  while (end < text.size()) {
    const size_t next = end + CharSize(text, end, dbcs);
    if (next > n) break;
    end = next;
  }
  return std::string(text.substr(0, end));
}

std::string MidChars(std::string_view text, size_t start, size_t count, bool dbcs) {
  return std::string(MidView(text, start, count, dbcs));
}

std::string_view MidView(std::string_view text, size_t start, size_t count, bool dbcs) {
  const size_t first = ByteOffsetOfChar(text, start > 0 ? start - 1 : 0, dbcs);
  const std::string_view rest = text.substr(first);
  return count == std::string_view::npos ? rest : LeftView(rest, count, dbcs);
}

std::string PadChars(std::string_view text, size_t n, bool dbcs) {
  std::string out = LeftChars(text, n, dbcs);
  const size_t have = CharCount(out, dbcs);
  if (have < n) out.append(n - have, ' ');
  return out;
}

std::string Trim(std::string_view text, bool dbcs) { return std::string(TrimmedView(text, dbcs)); }

std::string_view TrimmedView(std::string_view text, bool dbcs) {
  size_t begin = 0;
  while (begin < text.size() && text[begin] == ' ') ++begin;
  if (!dbcs) {
    const size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(begin, last + 1 - begin);
  }
  // The end is the end of the last character that is not a single space.
  size_t end = begin;
  for (size_t i = begin; i < text.size();) {
    const size_t size = CharSize(text, i, dbcs);
    if (size == 2 || text[i] != ' ') end = i + size;
    i += size;
  }
  return text.substr(begin, end - begin);
}

size_t FindText(std::string_view text, std::string_view what, size_t from, bool dbcs) {
  if (from > text.size()) return std::string_view::npos;
  for (size_t i = from; i + what.size() <= text.size(); i += CharSize(text, i, dbcs)) {
    if (text.compare(i, what.size(), what) != 0) continue;
    // The match must also end on a character boundary of text.
    size_t end = i;
    while (end < i + what.size()) end += CharSize(text, end, dbcs);
    if (end == i + what.size()) return i;
  }
  return std::string_view::npos;
}

}  // namespace mirrin
