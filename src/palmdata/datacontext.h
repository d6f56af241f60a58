#pragma once
// What the file readers and writers need from the running program, passed in
// rather than taken from globals so tests can give each read its own.
#include <functional>
#include <string>

#include "palmdata/errors.h"
#include "palmdata/logsink.h"
#include "palmdata/palmtime.h"
#include "palmdata/version.h"

namespace mirrin {

struct DataContext {
  TimeZoneInfo timeZone;
  LogSink* log = nullptr;  // null: no log lines
  // Set by the first file with an unknown version tag; saving is then refused.
  bool unsupportedVersion = false;
  bool developmentMode = false;
  // Shows a message box (critical icon, OK); bound to the platform by the window.
  std::function<void(const std::string& text, const std::string& title)> showCritical;

  // A log that cannot be written never stops a load or a save: the first
  // failure of the run is shown (it names the log file and the reason),
  // later ones are dropped.
  void Log(const std::string& message, int level) const {
    if (!log) return;
    try {
      log->WriteLog(message, level);
    } catch (const RunError& e) {
      if (logFailureShown || !showCritical) return;
      logFailureShown = true;
      showCritical("The log could not be written; " + std::string(kProductName) +
                       " carries on without it.\r\n\r\n" + e.detail(),
                   kProductName);
    }
  }

 private:
  mutable bool logFailureShown = false;
};

}  // namespace mirrin
