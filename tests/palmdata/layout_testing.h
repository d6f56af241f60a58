#pragma once
// Helpers shared by the tests of the record files.
#include <cmath>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "palmdata/logsink.h"
#include "palmdata/palmtime.h"
#include "support/filebuilder.h"

namespace mirrin::test {

class RecordingLog : public LogSink {
 public:
  void WriteLog(std::string_view message, int level) override { lines.emplace_back(message, level); }
  std::vector<std::pair<std::string, int>> lines;
};

// The Palm time of a UTC date and time.
inline uint32_t PalmTimeUtc(int y, int mo, int d, int h, int mi) {
  return static_cast<uint32_t>(std::llround((MakeDate(y, mo, d) + MakeTime(h, mi, 0) - kUnixEpochDay) * 86400.0));
}

// Central European rules: one hour east of UTC, two in summer, from the
// last Sunday of March 02:00 to the last Sunday of October 03:00.
inline TimeZoneInfo BerlinZone() {
  TimeZoneInfo tz;
  tz.bias = -60;
  tz.standardBias = 0;
  tz.daylightBias = -60;
  tz.daylightDate = TransitionRule{0, 3, 0, 5, 2, 0, 0, 0};
  tz.standardDate = TransitionRule{0, 10, 0, 5, 3, 0, 0, 0};
  return tz;
}

// The exceptions and repeat event that follow tag 8.
inline std::string RepeatField(const std::vector<uint32_t>& exceptions, std::string_view event) {
  FileBuilder b;
  b.Short(static_cast<uint16_t>(exceptions.size()));
  for (uint32_t e : exceptions) b.ULong(e);
  return b.Raw(event).Data();
}

inline std::string FullClassEntry(std::string_view name) {
  FileBuilder b;
  return b.Hex("FF FF 01 00").Short(static_cast<uint16_t>(name.size())).Raw(name).Data();
}

inline const std::string kNoRepeat = HexBytes("00 00");

}  // namespace mirrin::test
