#pragma once
// Log sinks for tests: one that keeps every line, one whose writes fail.
#include <string>
#include <utility>
#include <vector>

#include "palmdata/errors.h"
#include "palmdata/logsink.h"

namespace mirrin::test {

struct RecordingLog : LogSink {
  std::vector<std::pair<std::string, int>> lines;
  void WriteLog(std::string_view message, int level) override {
    lines.emplace_back(std::string(message), level);
  }
};

struct FailingLog : LogSink {
  void WriteLog(std::string_view, int) override { throw RunError(err::PathFileAccess, "log"); }
};

}  // namespace mirrin::test
