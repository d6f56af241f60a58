#include "palmdata/pathtext.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace mirrin {

#ifdef _WIN32

std::wstring WidePath(std::string_view native) {
  if (native.empty()) return {};
  const int size = static_cast<int>(native.size());
  const int n = MultiByteToWideChar(CP_ACP, 0, native.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, native.data(), size, wide.data(), n);
  return wide;
}

std::string NarrowPath(std::wstring_view wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int n =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?", nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, narrow.data(), n, "?", nullptr);
  return narrow;
}

std::filesystem::path FsPath(std::string_view native) { return std::filesystem::path(WidePath(native)); }
std::string PathText(const std::filesystem::path& path) { return NarrowPath(path.native()); }

#else

std::filesystem::path FsPath(std::string_view native) { return std::filesystem::path(std::string(native)); }
std::string PathText(const std::filesystem::path& path) { return path.native(); }

#endif

}  // namespace mirrin
