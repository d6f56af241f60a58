#include "sysplatform/programdir.h"

#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "palmdata/pathtext.h"

namespace mirrin {

namespace {

std::string WithoutTrailingSeparator(const std::filesystem::path& p) {
  std::string text = PathText(p);
  while (text.size() > 1 && (text.back() == '/' || text.back() == '\\')) text.pop_back();
  return text;
}

std::filesystem::path ExecutablePath() {
#ifdef _WIN32
  // Wide, so a folder named outside the ANSI code page is found too.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::filesystem::path(buffer.substr(0, n));
    if (buffer.size() >= 32768) return {};  // longer than any path Windows allows
    buffer.resize(buffer.size() * 2);
  }
#else
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path{} : exe;
#endif
}

}  // namespace

std::string SettingsFolderFor(const std::string& exeDir) {
#ifdef _WIN32
  return exeDir;
#else
  if (::access(exeDir.c_str(), W_OK) == 0) return exeDir;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path base;
  if (xdg && *xdg)
    base = xdg;
  else if (home && *home)
    base = std::filesystem::path(home) / ".config";
  else
    return exeDir;  // nowhere better; writing will say why it fails
  const std::filesystem::path folder = base / "mirrin";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return WithoutTrailingSeparator(folder);
#endif
}

std::string ProgramDirectory() {
#ifdef _WIN32
  const wchar_t* home = _wgetenv(L"MIRRIN_HOME");
  if (home && *home) return WithoutTrailingSeparator(std::filesystem::path(home));
#else
  const char* home = std::getenv("MIRRIN_HOME");
  if (home && *home) return WithoutTrailingSeparator(FsPath(home));
#endif
  const std::filesystem::path exe = ExecutablePath();
  // Without the executable's path the working folder is the best guess left.
  return SettingsFolderFor(
      WithoutTrailingSeparator(exe.empty() ? std::filesystem::current_path() : exe.parent_path()));
}

}  // namespace mirrin
