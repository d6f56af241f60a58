// EnumWindows gives the titles in the system's ANSI code page, which is the
// data files' code page there, so no conversion is needed.
#ifdef _WIN32

#include <windows.h>

#include "sysplatform/windowtitles.h"

namespace mirrin {

namespace {
BOOL CALLBACK AddTitle(HWND window, LPARAM param) {
  auto* titles = reinterpret_cast<std::vector<std::string>*>(param);
  const int length = GetWindowTextLengthA(window);
  if (length > 0) {
    std::string title(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, title.data(), length + 1);
    title.resize(got > 0 ? static_cast<size_t>(got) : 0);
    if (!title.empty()) titles->push_back(std::move(title));
  }
  return TRUE;
}
}  // namespace

std::vector<std::string> X11TopLevelWindowTitles() { return {}; }

std::vector<std::string> TopLevelWindowTitles() {
  std::vector<std::string> titles;
  EnumWindows(AddTitle, reinterpret_cast<LPARAM>(&titles));
  return titles;
}

}  // namespace mirrin

#endif  // _WIN32
