#include "sysplatform/codepage.h"

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

std::string ToUtf8(std::string_view bytes) { return SystemCodePage().ToUtf8(bytes); }
std::string FromUtf8(std::string_view utf8) { return SystemCodePage().FromUtf8(utf8); }

}  // namespace mirrin
