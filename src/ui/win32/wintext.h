#pragma once
// Text crosses into Win32 only here: the core keeps code-page bytes with
// CR LF line breaks, the wide-character API takes UTF-16.
#include <string>
#include <string_view>

namespace mirrin::win32 {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

// Code-page bytes (the data files' text) to and from UTF-16.
std::wstring ToWide(const std::string& bytes);
std::string FromWide(std::wstring_view wide);

// For multi-line fields, whose edit control breaks lines only at CR LF: a
// lone CR or LF is shown as CR LF too.
std::wstring ToWideLines(const std::string& bytes);

}  // namespace mirrin::win32
