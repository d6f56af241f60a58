#pragma once
// Paths are UTF-8 text inside the program. A std::filesystem::path made from
// a narrow string reads it in the ANSI code page on Windows, where a folder
// named outside that page could then not be opened; these conversions go
// through UTF-16 there and change nothing elsewhere.
#include <filesystem>
#include <string>
#include <string_view>

namespace mirrin {

std::filesystem::path FsPath(std::string_view utf8);
std::string PathText(const std::filesystem::path& path);

#ifdef _WIN32
// Broken UTF-8 becomes U+FFFD, an unpaired surrogate the same in UTF-8.
std::wstring WideText(std::string_view utf8);
std::string Utf8Text(std::wstring_view wide);
#endif

}  // namespace mirrin
