#include "sysplatform/systemtimezone.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "palmdata/errors.h"
#include "palmdata/fileio.h"

namespace mirrin {

namespace {

// Reads the pieces of a POSIX TZ rule left to right.
class RuleParser {
 public:
  explicit RuleParser(std::string_view text) : s_(text) {}

  bool AtEnd() const { return pos_ >= s_.size(); }
  bool Eat(char c) {
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  char Peek() const { return pos_ < s_.size() ? s_[pos_] : '\0'; }

  // "CET" or "<+0330>"
  bool Name() {
    if (Eat('<')) {
      const size_t close = s_.find('>', pos_);
      if (close == std::string_view::npos) return false;
      pos_ = close + 1;
      return true;
    }
    const size_t start = pos_;
    while (pos_ < s_.size() && std::isalpha(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    return pos_ - start >= 3;
  }

  // [+-]hh[:mm[:ss]] in seconds.
  std::optional<int> Time() {
    int sign = 1;
    if (Eat('-'))
      sign = -1;
    else
      Eat('+');
    const std::optional<int> h = Number(167);
    if (!h) return std::nullopt;
    int seconds = *h * 3600;
    for (int unit : {60, 1}) {
      if (!Eat(':')) break;
      const std::optional<int> n = Number(59);
      if (!n) return std::nullopt;
      seconds += *n * unit;
    }
    return sign * seconds;
  }

  std::optional<int> Number(int max) {
    const size_t start = pos_;
    int v = 0;
    while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) {
      v = v * 10 + (s_[pos_] - '0');
      if (v > max) return std::nullopt;
      ++pos_;
    }
    if (pos_ == start) return std::nullopt;
    return v;
  }

 private:
  std::string_view s_;
  size_t pos_ = 0;
};

// One transition of the rule: "Mm.w.d" (month, week 1..5 with 5 = last,
// weekday 0 = Sunday) or a day-of-year form ("Jn" or "n"), then "/time".
struct RuleDate {
  bool monthly = false;
  int month = 0, week = 0, weekday = 0;
  bool julian = false;  // Jn: 1..365, leap day never counted
  int dayOfYear = 0;
  int time = 7200;  // seconds of local time; may be negative or beyond a day
};

std::optional<RuleDate> ParseRuleDate(RuleParser& p) {
  RuleDate d;
  if (p.Eat('M')) {
    const auto m = p.Number(12);
    if (!m || !p.Eat('.')) return std::nullopt;
    const auto w = p.Number(5);
    if (!w || !p.Eat('.')) return std::nullopt;
    const auto wd = p.Number(6);
    if (!wd || *m < 1 || *w < 1) return std::nullopt;
    d.monthly = true;
    d.month = *m;
    d.week = *w;
    d.weekday = *wd;
  } else {
    d.julian = p.Eat('J');
    const auto n = p.Number(365);
    if (!n) return std::nullopt;
    d.dayOfYear = *n;
  }
  if (p.Eat('/')) {
    const auto t = p.Time();
    if (!t) return std::nullopt;
    d.time = *t;
  }
  return d;
}

// The record keeps a time of day 0..24h; a rule time outside it (tz
// database 2018+, e.g. "/-1" for 23:00 the day before) moves the weekday.
// For a "last weekday" rule near the month end this can pick the week next
// to the exact one; the database's few such zones are in Greenland.
TransitionRule ToTransition(const RuleDate& d) {
  int days = d.time / 86400;
  int seconds = d.time % 86400;
  if (seconds < 0) {
    seconds += 86400;
    --days;
  }
  TransitionRule r;
  r.month = d.month;
  r.day = d.week;
  r.dayOfWeek = ((d.weekday + days) % 7 + 7) % 7;
  r.hour = seconds / 3600;
  r.minute = seconds / 60 % 60;
  r.second = seconds % 60;
  return r;
}

int Minutes(int seconds) {
  // Offsets with seconds exist only in old local mean times; round to a minute.
  return seconds >= 0 ? (seconds + 30) / 60 : -((-seconds + 30) / 60);
}

uint32_t BigEndian32(std::string_view data, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(data[at])) << 24 |
         static_cast<uint32_t>(static_cast<unsigned char>(data[at + 1])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(data[at + 2])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(data[at + 3]));
}

struct TzifBlock {
  size_t end = 0;      // offset just past the block
  int lastOffset = 0;  // UT offset (seconds) of the last transition's type, else of type 0
};

// One header and data block of a TZif file starting at `at`; timeSize is
// 4 for the version-1 block and 8 for the later one.
std::optional<TzifBlock> ReadTzifBlock(std::string_view data, size_t at, size_t timeSize) {
  constexpr size_t kHeader = 44;
  if (data.size() < at + kHeader || data.substr(at, 4) != "TZif") return std::nullopt;
  const uint64_t isutcnt = BigEndian32(data, at + 20), isstdcnt = BigEndian32(data, at + 24),
                 leapcnt = BigEndian32(data, at + 28), timecnt = BigEndian32(data, at + 32),
                 typecnt = BigEndian32(data, at + 36), charcnt = BigEndian32(data, at + 40);
  const size_t times = at + kHeader;
  const size_t indexes = times + timecnt * timeSize;
  const size_t types = indexes + timecnt;
  const uint64_t size =
      timecnt * timeSize + timecnt + typecnt * 6 + charcnt + leapcnt * (timeSize + 4) + isstdcnt + isutcnt;
  if (typecnt == 0 || size > data.size() - times) return std::nullopt;
  size_t type = 0;
  if (timecnt > 0) type = static_cast<unsigned char>(data[indexes + timecnt - 1]);
  if (type >= typecnt) return std::nullopt;
  TzifBlock b;
  b.end = times + size;
  b.lastOffset = static_cast<int32_t>(BigEndian32(data, types + type * 6));
  return b;
}

// Real zone files are a few kilobytes.
constexpr size_t kMaxZoneFileBytes = size_t{1} << 20;

std::string& ZoneProblem() {
  static std::string problem;
  return problem;
}

std::optional<TimeZoneInfo> ReadZoneFile(const std::string& path) {
  std::string data;
  try {
    data = ReadWholeFile(path, kMaxZoneFileBytes);
  } catch (const RunError& e) {
    if (e.number() != err::FileNotFound) ZoneProblem() = e.detail();
    return std::nullopt;
  }
  auto tz = TimeZoneFromTzif(data);
  if (!tz) ZoneProblem() = path + " is not a zone file";
  return tz;
}

}  // namespace

std::optional<TimeZoneInfo> TimeZoneFromPosixRule(std::string_view rule) {
  RuleParser p(rule);
  if (!p.Name()) return std::nullopt;
  const auto standard = p.Time();
  if (!standard) return std::nullopt;
  TimeZoneInfo tz;
  tz.bias = Minutes(*standard);
  if (p.AtEnd()) return tz;

  if (!p.Name()) return std::nullopt;
  int daylight = *standard - 3600;
  if (p.Peek() != ',' && !p.AtEnd()) {
    const auto t = p.Time();
    if (!t) return std::nullopt;
    daylight = *t;
  }
  // Without transitions POSIX takes the United States' rule.
  RuleDate start{true, 3, 2, 0, false, 0, 7200};
  RuleDate end{true, 11, 1, 0, false, 0, 7200};
  if (p.Eat(',')) {
    const auto s = ParseRuleDate(p);
    if (!s || !p.Eat(',')) return std::nullopt;
    const auto e = ParseRuleDate(p);
    if (!e) return std::nullopt;
    start = *s;
    end = *e;
  }
  if (!p.AtEnd()) return std::nullopt;

  if (!start.monthly || !end.monthly) {
    // Daylight time all year ("0/0,J365/25") is a fixed offset; other
    // day-of-year rules do not fit the record, so standard time is kept.
    const bool allYear = !start.julian && start.dayOfYear == 0 && start.time == 0 && end.julian &&
                         end.dayOfYear == 365 && end.time >= 86400;
    if (allYear) tz.bias = Minutes(daylight);
    return tz;
  }
  tz.daylightBias = Minutes(daylight) - tz.bias;
  tz.daylightDate = ToTransition(start);
  tz.standardDate = ToTransition(end);
  return tz;
}

std::optional<TimeZoneInfo> TimeZoneFromTzif(std::string_view data) {
  const auto v1 = ReadTzifBlock(data, 0, 4);
  if (!v1) return std::nullopt;
  const char version = data[4];
  if (version == '\0') {
    TimeZoneInfo tz;
    tz.bias = -Minutes(v1->lastOffset);
    return tz;
  }
  const auto v2 = ReadTzifBlock(data, v1->end, 8);
  if (!v2) return std::nullopt;
  // The footer: "\n" rule "\n"; an empty rule means no rule.
  const std::string_view rest = data.substr(v2->end);
  const size_t close = rest.size() >= 2 && rest[0] == '\n' ? rest.find('\n', 1) : std::string_view::npos;
  if (close != std::string_view::npos && close > 1) {
    if (auto tz = TimeZoneFromPosixRule(rest.substr(1, close - 1))) return tz;
  }
  TimeZoneInfo tz;
  tz.bias = -Minutes(v2->lastOffset);
  return tz;
}

namespace {

std::string ZoneDir() {
  const char* dir = std::getenv("TZDIR");
  return dir && *dir ? dir : "/usr/share/zoneinfo";
}

// The zone name of a zone file's path: what follows the zone folder.
std::string ZoneNameOfPath(const std::string& path) {
  const std::string dir = ZoneDir() + "/";
  if (path.rfind(dir, 0) == 0) return path.substr(dir.size());
  const size_t at = path.find("/zoneinfo/");
  return at == std::string::npos ? std::string() : path.substr(at + 10);
}

}  // namespace

std::optional<TimeZoneInfo> LoadTimeZone(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return std::nullopt;
  if (name[0] == '/') return ReadZoneFile(std::string(name));
  return ReadZoneFile(ZoneDir() + "/" + std::string(name));
}

std::string SystemTimeZoneName() {
  namespace fs = std::filesystem;
  if (const char* env = std::getenv("TZ")) {
    std::string tz = env;
    if (!tz.empty() && tz[0] == ':') tz.erase(0, 1);
    if (tz.empty()) return "UTC";
    if (!LoadTimeZone(tz)) return "";  // a POSIX rule names no zone
    return tz[0] == '/' ? ZoneNameOfPath(tz) : tz;
  }
#ifdef _WIN32
  return "";  // Windows names its zones otherwise
#else
  std::error_code ec;
  const fs::path target = fs::read_symlink("/etc/localtime", ec);
  if (ec) return "";
  return ZoneNameOfPath((fs::path("/etc") / target).lexically_normal().string());
#endif
}

const std::string& SystemTimeZoneProblem() { return ZoneProblem(); }

TimeZoneInfo SystemTimeZone() {
  ZoneProblem().clear();
  if (const char* env = std::getenv("TZ")) {
    std::string_view tz = env;
    if (!tz.empty() && tz[0] == ':') tz.remove_prefix(1);
    if (tz.empty()) return TimeZoneInfo{};  // TZ="" means UTC
    if (auto zone = LoadTimeZone(tz)) return *zone;
    if (auto zone = TimeZoneFromPosixRule(tz)) {
      ZoneProblem().clear();
      return *zone;
    }
    if (ZoneProblem().empty()) ZoneProblem() = "not a zone name, zone file or rule";
    ZoneProblem() = "TZ=" + std::string(env) + ": " + ZoneProblem() + "; using UTC";
    return TimeZoneInfo{};
  }
#ifdef _WIN32
  return WindowsTimeZone();
#else
  if (auto zone = LoadTimeZone("/etc/localtime")) return *zone;
  if (!ZoneProblem().empty()) ZoneProblem() += "; using UTC";
  return TimeZoneInfo{};
#endif
}

}  // namespace mirrin
