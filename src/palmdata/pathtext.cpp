#include "palmdata/pathtext.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#endif

namespace mirrin {

#ifdef _WIN32

std::wstring WideFromPage(unsigned page, unsigned long flags, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(page, flags, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(page, flags, bytes.data(), size, wide.data(), n);
  return wide;
}

std::string PageFromWide(unsigned page, unsigned long flags, std::wstring_view wide, const char* fallback) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n = WideCharToMultiByte(page, flags, wide.data(), size, nullptr, 0, fallback, nullptr);
  std::string bytes(static_cast<size_t>(std::max(n, 0)), '\0');
  if (n > 0) WideCharToMultiByte(page, flags, wide.data(), size, bytes.data(), n, fallback, nullptr);
  return bytes;
}

std::wstring WidePath(std::string_view native) { return WideFromPage(CP_ACP, 0, native); }

std::string NarrowPath(std::wstring_view wide) {
  return PageFromWide(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, "?");
}

std::filesystem::path FsPath(std::string_view native) { return std::filesystem::path(WidePath(native)); }
std::string PathText(const std::filesystem::path& path) { return NarrowPath(path.native()); }

#else

std::filesystem::path FsPath(std::string_view native) { return std::filesystem::path(std::string(native)); }
std::string PathText(const std::filesystem::path& path) { return path.native(); }

#endif

}  // namespace mirrin
