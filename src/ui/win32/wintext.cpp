#include "ui/win32/wintext.h"

#include <windows.h>

#include "palmdata/pathtext.h"
#include "sysplatform/codepage.h"

namespace mirrin::win32 {

std::wstring Utf8ToWide(std::string_view utf8) { return WideFromPage(CP_UTF8, 0, utf8); }

std::string WideToUtf8(std::wstring_view wide) { return PageFromWide(CP_UTF8, 0, wide); }

std::wstring ToWide(const std::string& bytes) { return Utf8ToWide(ToUtf8(bytes)); }

std::string FromWide(std::wstring_view wide) { return FromUtf8(WideToUtf8(wide)); }

std::wstring ToWideLines(const std::string& bytes) {
  const std::wstring text = ToWide(bytes);
  std::wstring lines;
  lines.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c == L'\r' || c == L'\n') {
      lines += L"\r\n";
      if (c == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else {
      lines += c;
    }
  }
  return lines;
}

}  // namespace mirrin::win32
