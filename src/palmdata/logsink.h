#pragma once
#include <string_view>

namespace mirrin {

// Where the data-file layer sends its log lines; the levelled daily log
// implements it.
class LogSink {
 public:
  virtual ~LogSink() = default;
  virtual void WriteLog(std::string_view message, int level) = 0;
};

class NullLog : public LogSink {
 public:
  void WriteLog(std::string_view, int) override {}
};

}  // namespace mirrin
