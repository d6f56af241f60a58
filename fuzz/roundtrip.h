#pragma once
// The property every record-file fuzz target checks: bytes that read as a
// file must write; what was written must read (no error allowed), give the
// same number of records with every field equal, and write to itself.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "palmdata/describe.h"
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

// Every field of a record as text: dates by their stored time and value.
struct FieldText : FieldVisitor {
  std::string text;
  void Int(const char* name, int64_t v) override { Add(name, std::to_string(v)); }
  void Bool(const char* name, bool v) override { Add(name, v ? "true" : "false"); }
  void Text(const char* name, const std::string& bytes) override { Add(name, bytes); }
  void Date(const char* name, const PalmDate& d) override {
    char value[64];
    std::snprintf(value, sizeof value, "%a", d.value);
    Add(name, value);
  }
  void Begin(const char* name) override { text += std::string("{") + name; }
  void End() override { text += "}"; }
  void Add(const char* name, const std::string& value) {
    text += std::string(name) + "[" + std::to_string(value.size()) + "]" + value;
  }
};

template <class Record>
std::string Fields(const Record& r) {
  FieldText f;
  Describe(r, f);
  for (int32_t tag : r.ExtTag) f.Int("ExtTag", tag);
  return f.text;
}

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
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
  const Bytes written = build(header, records, ctx);
  DatFileHeader again;
  std::vector<Record> reread;
  parse(written, "fuzz.dat", again, reread, ctx);
  if (reread.size() != records.size()) Fail("the record count changed");
  for (size_t i = 0; i < records.size(); ++i) {
    if (Fields(reread[i]) != Fields(records[i])) Fail("a field changed through a write and a read");
  }
  if (build(again, reread, ctx) != written) Fail("a written file does not write back to itself");
  return 0;
}

}  // namespace mirrin::fuzz
