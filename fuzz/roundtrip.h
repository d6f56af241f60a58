#pragma once
// The property every record-file fuzz target checks: bytes that read as a
// file must write, and what was written must read and write to itself.
// One refusal is expected and allowed: a text of exactly 32768 bytes reads
// but cannot be written.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "palmdata/errors.h"
#include "palmdata/header.h"

namespace mirrin::fuzz {

inline TimeZoneInfo ZoneWithDaylightTime() {
  TimeZoneInfo tz;
  tz.bias = -60;
  tz.daylightBias = -60;
  tz.daylightDate = TransitionRule{0, 3, 0, 5, 2, 0, 0, 0};
  tz.standardDate = TransitionRule{0, 10, 0, 5, 3, 0, 0, 0};
  return tz;
}

template <class Record, class Parse, class Build>
int CheckRoundTrip(const uint8_t* data, size_t size, Parse parse, Build build) {
  const Bytes input(reinterpret_cast<const char*>(data), size);
  DataContext ctx;
  ctx.timeZone = ZoneWithDaylightTime();
  DatFileHeader header;
  std::vector<Record> records;
  try {
    parse(input, "fuzz.dat", header, records, ctx);
  } catch (const RunError&) {
    return 0;  // refused cleanly
  }
  Bytes written;
  try {
    written = build(header, records, ctx);
  } catch (const RunError& e) {
    if (e.number() == err::Overflow && e.detail().find("too long to write") != std::string::npos) return 0;
    throw;
  }
  DatFileHeader again;
  std::vector<Record> reread;
  parse(written, "fuzz.dat", again, reread, ctx);
  if (build(again, reread, ctx) != written) {
    std::fprintf(stderr, "a written file does not write back to itself\n");
    std::abort();
  }
  return 0;
}

}  // namespace mirrin::fuzz
