// Arbitrary bytes as a compiled zone file and as a POSIX TZ rule: never a
// crash, and any zone they give converts dates in both directions.
#include <cstdint>
#include <string_view>

#include "palmdata/errors.h"
#include "sysplatform/systemtimezone.h"

namespace {

void Convert(const mirrin::TimeZoneInfo& tz) {
  // A day in each season of a past, a present and a far year.
  for (uint32_t seconds : {0u, 1'000'000'000u, 1'720'000'000u, 4'000'000'000u}) {
    const double local = mirrin::SecondsToDate(seconds, tz);
    try {
      mirrin::DateToSeconds(local, tz);
    } catch (const mirrin::RunError&) {
      // a date the 32-bit Palm time cannot hold
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (auto tz = mirrin::TimeZoneFromTzif(input)) Convert(*tz);
  if (auto tz = mirrin::TimeZoneFromPosixRule(input)) Convert(*tz);
  return 0;
}
