#include "export/contentline.h"

#include "sysplatform/codepage.h"

namespace mirrin {

std::string EscapeValue(std::string_view bytes) {
  const std::string text = ToUtf8(bytes);
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case ';':
        out += "\\;";
        break;
      case ',':
        out += "\\,";
        break;
      case '\r':
        if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += "\\n";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += c;
        break;
      default:
        // Other control characters may not appear in a text value.
        if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) out += c;
    }
  }
  return out;
}

void AppendLine(std::string& out, std::string_view line) {
  constexpr size_t kMax = 75;
  size_t room = kMax;
  size_t start = 0;
  while (line.size() - start > room) {
    size_t cut = start + room;
    // Back up to the first byte of a UTF-8 character.
    while (cut > start && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    out.append(line.substr(start, cut - start));
    out += "\r\n ";
    start = cut;
    room = kMax - 1;  // the leading blank counts
  }
  out.append(line.substr(start));
  out += "\r\n";
}

}  // namespace mirrin
