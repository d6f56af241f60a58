#pragma once
// The levelled daily log: one file per calendar day in LogFilePath, named
// after the program and the date, opened and closed for every message.
#include <string>
#include <string_view>

#include "palmdata/logsink.h"
#include "startup/settings.h"
#include "platform/platform.h"

namespace mirrin {

class Log : public LogSink {
 public:
  // Reads LogLevel and LogFilePath at every message, so a changed setting
  // applies at once; the clock is the platform's.
  Log(Platform& platform, Settings& settings) : platform_(platform), settings_(settings) {}

  // Writes nothing when level > LogLevel. An empty LogFilePath becomes the
  // program directory. A file that cannot be opened or written raises
  // RunError, which the calling routine's trap reports.
  void WriteLog(std::string_view message, int level) override;

  // LogFilePath + "\" + program name + YYYYMMDD + ".log" for the day of `date`.
  std::string FileName(double date) const;

 private:
  Platform& platform_;
  Settings& settings_;
};

// "YYYYMMDD"
std::string DateDigits(double date);

}  // namespace mirrin
