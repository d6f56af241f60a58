#include "startup/log.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/palmtime.h"
#include "palmdata/pathtext.h"
#include "startup/version.h"

namespace mirrin {

namespace {

// The date and time every log line starts with, to the second.
std::string LogTimestamp(double now) {
  const CivilDateTime c = SplitDate(now);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d %02d:%02d:%02d", c.day, c.month, c.year, c.hour, c.minute,
                c.second);
  return buf;
}

#ifdef _WIN32
void AppendToFile(const std::string& native, const std::string& text) {
  // FILE_APPEND_DATA alone: every write lands at the end, as O_APPEND does.
  const HANDLE file =
      CreateFileW(WidePath(native).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD e = GetLastError();
    throw RunError(
        e == ERROR_ACCESS_DENIED || e == ERROR_WRITE_PROTECT ? err::PermissionDenied : err::PathFileAccess,
        "cannot open log " + native + ": error " + std::to_string(e));
  }
  DWORD wrote = 0;
  const bool ok =
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) && wrote == text.size();
  const DWORD e = GetLastError();
  CloseHandle(file);
  if (!ok) throw RunError(err::PathFileAccess, "cannot write log " + native + ": error " + std::to_string(e));
}
#else
void AppendToFile(const std::string& native, const std::string& text) {
  const int fd = ::open(native.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    const int e = errno;
    throw RunError(e == EACCES || e == EPERM || e == EROFS ? err::PermissionDenied : err::PathFileAccess,
                   "cannot open log " + native + ": " + std::strerror(e));
  }
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int e = n < 0 ? errno : ENOSPC;
      ::close(fd);
      throw RunError(err::PathFileAccess, "cannot write log " + native + ": " + std::strerror(e));
    }
    done += static_cast<size_t>(n);
  }
  ::close(fd);
}
#endif

}  // namespace

std::string DateDigits(double date) {
  const CivilDateTime c = SplitDate(date);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", c.year, c.month, c.day);
  return buf;
}

std::string Log::FileName(double date) const {
  return settings_.LogFilePath + "\\" + kProgramName + DateDigits(date) + ".log";
}

void Log::WriteLog(std::string_view message, int level) {
  if (level > settings_.LogLevel) return;
  // One reading of the clock for both the line and the file, so a message
  // at midnight cannot land in the wrong day's file.
  const double now = platform_.Now();
  std::string text = LogTimestamp(now) + " - " + std::string(message) + "\r\n";
  if (settings_.LogFilePath.empty()) settings_.LogFilePath = platform_.ProgramDirectory();
  const std::string native = NativePath(FileName(now));
  if (!FileExists(native)) {
    text = std::string(kProgramName) + ".exe Version: " + VersionText() + "\r\n" + text;
  }
  AppendToFile(native, text);
}

}  // namespace mirrin
