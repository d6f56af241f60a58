#pragma once
// The data files hold text in the system's single-byte (or double-byte)
// code page; the window shows UTF-8. Conversion happens only at that
// boundary. The code page is Windows-1252 (on Windows the system's ANSI code
// page, which Palm Desktop writes in) unless the environment variable
// MIRRIN_CODEPAGE names another one that iconv knows (e.g. "CP932"); on
// Windows a code page number, "CPnnn", "WINDOWS-nnn", "ISO-8859-n" or
// "UTF-8".
#include <string>
#include <string_view>

namespace mirrin {

inline constexpr const char* kDefaultCodePage = "WINDOWS-1252";

class CodePage {
 public:
  // RunError 5 (invalid argument) when the system does not know the name.
  explicit CodePage(std::string name);
  ~CodePage();
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  const std::string& Name() const { return name_; }
  // A byte (or byte pair) the code page leaves undefined becomes U+FFFD.
  std::string ToUtf8(std::string_view bytes) const;
  // The same appended to out: a long list of texts needs no string for each.
  void AppendUtf8(std::string& out, std::string_view bytes) const;
  // A character the code page cannot hold, or broken UTF-8, becomes "?".
  std::string FromUtf8(std::string_view utf8) const;

 private:
  std::string name_;
  void* toUtf8_ = nullptr;  // iconv handles
  void* fromUtf8_ = nullptr;
  unsigned number_ = 0;     // the Windows code page
  bool asciiKept_ = false;  // every ASCII text converts to itself

  // ToUtf8 by the system's conversion, for a text that is not ASCII kept as it is.
  std::string Converted(std::string_view bytes) const;
};

// The code page in use: MIRRIN_CODEPAGE when the system knows it (an unknown
// name is reported once on stderr), else Windows-1252 or, on Windows, the
// ANSI code page. Made on first use.
const CodePage& SystemCodePage();
// The code page when MIRRIN_CODEPAGE names none.
std::string DefaultCodePageName();

std::string ToUtf8(std::string_view bytes);
std::string FromUtf8(std::string_view utf8);
void AppendUtf8(std::string& out, std::string_view bytes);

bool AllAscii(std::string_view bytes);

}  // namespace mirrin
