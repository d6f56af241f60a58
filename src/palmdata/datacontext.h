#pragma once
// What the file readers and writers need from the running program, passed in
// rather than taken from globals so tests can give each read its own.
#include <functional>
#include <string>

#include "palmdata/logsink.h"
#include "palmdata/palmtime.h"

namespace mirrin {

struct DataContext {
  TimeZoneInfo timeZone;
  LogSink* log = nullptr;  // null: no log lines
  // Set by the first file with an unknown version tag; saving is then refused.
  bool unsupportedVersion = false;
  bool developmentMode = false;
  // Shows a message box (critical icon, OK); bound to the platform by the window.
  std::function<void(const std::string& text, const std::string& title)> showCritical;
  // Where the temporary files date1.tmp ... todo2.tmp are written.
  std::string programDir;

  void Log(const std::string& message, int level) const {
    if (log) log->WriteLog(message, level);
  }
};

}  // namespace mirrin
