#include "sysplatform/codepage.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "palmdata/errors.h"

namespace mirrin {

const CodePage& SystemCodePage() {
  static const CodePage* page = [] {
    const char* wanted = std::getenv("MIRRIN_CODEPAGE");
    if (wanted && *wanted) {
      try {
        return new CodePage(wanted);
      } catch (const RunError&) {
        std::cerr << "mirrin: code page " << wanted << " is unknown; using " << DefaultCodePageName() << "\n";
      }
    }
    return new CodePage(DefaultCodePageName());
  }();
  return *page;
}

std::string CodePage::ToUtf8(std::string_view bytes) const {
  std::string out;
  AppendUtf8(out, bytes);
  return out;
}

void CodePage::AppendUtf8(std::string& out, std::string_view bytes) const {
  // Most texts are plain ASCII and need no conversion.
  if (asciiKept_ && AllAscii(bytes))
    out += bytes;
  else
    out += Converted(bytes);
}

std::string ToUtf8(std::string_view bytes) { return SystemCodePage().ToUtf8(bytes); }
void AppendUtf8(std::string& out, std::string_view bytes) { SystemCodePage().AppendUtf8(out, bytes); }

bool AllAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
std::string FromUtf8(std::string_view utf8) { return SystemCodePage().FromUtf8(utf8); }

}  // namespace mirrin
