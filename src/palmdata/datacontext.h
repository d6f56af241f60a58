#pragma once
// What the file readers and writers need from the running program, passed in
// rather than taken from globals so tests can give each read its own.
#include <functional>
#include <string>

#include "palmdata/errors.h"
#include "palmdata/logsink.h"
#include "palmdata/palmtime.h"

namespace mirrin {

// What the operator must be told while files are read or logged; the window
// layer words and shows it.
enum class DataNotice { UnsupportedVersion, LogNotWritten };

struct DataContext {
  TimeZoneInfo timeZone;
  LogSink* log = nullptr;  // null: no log lines
  // Set by the first file with an unknown version tag; saving is then refused.
  bool unsupportedVersion = false;
  bool developmentMode = false;
  // Told at the moment it happens; detail is the reason, if any. Null: nobody is told.
  std::function<void(DataNotice notice, const std::string& detail)> notify;

  // A log that cannot be written never stops a load or a save: the first
  // failure of the run is shown (it names the log file and the reason),
  // later ones are dropped.
  void Log(const std::string& message, int level) const {
    if (!log) return;
    try {
      log->WriteLog(message, level);
    } catch (const RunError& e) {
      if (logFailureShown || !notify) return;
      logFailureShown = true;
      notify(DataNotice::LogNotWritten, e.detail());
    }
  }

 private:
  mutable bool logFailureShown = false;
};

}  // namespace mirrin
