#include "palmdata/pathtext.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace mirrin {

#ifdef _WIN32

std::wstring WideText(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), n);
  return wide;
}

std::string Utf8Text(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

std::filesystem::path FsPath(std::string_view utf8) { return std::filesystem::path(WideText(utf8)); }
std::string PathText(const std::filesystem::path& path) { return Utf8Text(path.native()); }

#else

std::filesystem::path FsPath(std::string_view utf8) { return std::filesystem::path(std::string(utf8)); }
std::string PathText(const std::filesystem::path& path) { return path.native(); }

#endif

}  // namespace mirrin
