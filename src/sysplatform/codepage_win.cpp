#include <windows.h>

#include <algorithm>
#include <cctype>

#include "palmdata/errors.h"
#include "palmdata/pathtext.h"
#include "sysplatform/codepage.h"

namespace mirrin {

namespace {

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}

unsigned Digits(std::string_view s) {
  if (s.empty() || s.size() > 5 ||
      !std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); })) {
    return 0;
  }
  return static_cast<unsigned>(std::stoul(std::string(s)));
}

// The names iconv users know for the pages Windows numbers.
unsigned NumberOf(const std::string& name) {
  const std::string n = Upper(name);
  if (n == "UTF-8" || n == "UTF8") return CP_UTF8;
  if (n == "UTF-7" || n == "UTF7") return CP_UTF7;
  if (n == "SHIFT_JIS" || n == "SJIS") return 932;
  if (n == "GBK") return 936;
  if (n == "BIG5") return 950;
  if (n == "EUC-KR") return 949;
  if (n == "KOI8-R") return 20866;
  if (n == "KOI8-U") return 21866;
  for (std::string_view prefix : {"WINDOWS-", "CP", "IBM"}) {
    if (n.starts_with(prefix)) return Digits(std::string_view(n).substr(prefix.size()));
  }
  if (n.starts_with("ISO-8859-") || n.starts_with("ISO8859-")) {
    const unsigned part = Digits(std::string_view(n).substr(n.find('-', 4) + 1));
    return part >= 1 && part <= 16 ? 28590 + part : 0;
  }
  return Digits(n);
}

// Windows would put the page's own default character (a katakana dot in
// CP932) for a broken sequence; U+FFFD says plainly that a byte was lost.
// Such text is converted a character at a time to find the broken ones.
std::wstring WideMarkingBroken(unsigned page, std::string_view bytes) {
  if (page == CP_UTF7) return WideFromPage(page, 0, bytes);  // takes no MB_ERR_INVALID_CHARS
  std::wstring wide = WideFromPage(page, MB_ERR_INVALID_CHARS, bytes);
  if (!wide.empty()) return wide;
  for (size_t at = 0; at < bytes.size();) {
    const bool lead = IsDBCSLeadByteEx(page, static_cast<BYTE>(bytes[at])) && at + 1 < bytes.size();
    const std::string_view one = bytes.substr(at, lead ? 2 : 1);
    const std::wstring w = WideFromPage(page, MB_ERR_INVALID_CHARS, one);
    wide += w.empty() ? std::wstring(1, L'\xFFFD') : w;
    at += one.size();
  }
  return wide;
}

}  // namespace

CodePage::CodePage(std::string name) : name_(std::move(name)) {
  number_ = NumberOf(name_);
  if (number_ == 0 || !IsValidCodePage(number_)) {
    throw RunError(err::InvalidCall, "unknown code page " + name_);
  }
  // The ANSI and OEM pages all keep ASCII; UTF-7 and the ISO-2022 pages do not.
  asciiKept_ = number_ != 65000 && !(number_ >= 50220 && number_ <= 50229);
}

CodePage::~CodePage() = default;

std::string CodePage::Converted(std::string_view bytes) const {
  return PageFromWide(CP_UTF8, 0, WideMarkingBroken(number_, bytes));
}

std::string CodePage::FromUtf8(std::string_view utf8) const {
  if (utf8.empty() || (asciiKept_ && AllAscii(utf8))) return std::string(utf8);
  // Broken UTF-8 becomes U+FFFD here, which no single-byte page holds.
  std::wstring wide = WideFromPage(CP_UTF8, 0, utf8);
  if (number_ == CP_UTF8) return PageFromWide(CP_UTF8, 0, wide);
  // A character beyond the 16-bit plane is one mark, not one per surrogate.
  if (number_ != 54936) {  // GB18030 holds them all
    std::erase_if(wide, [](wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; });
  }
  // No "best fit": a character the page lacks is "?", not a look-alike.
  const bool defaultAllowed = number_ < 50000;
  const DWORD flags = defaultAllowed ? WC_NO_BEST_FIT_CHARS : 0;
  const char* fallback = defaultAllowed ? "?" : nullptr;
  return PageFromWide(number_, flags, wide, fallback);
}

std::string DefaultCodePageName() { return "CP" + std::to_string(GetACP()); }

}  // namespace mirrin
