// Reading and writing a large extended datebook: 30,000 appointments with
// notes, every fifth one repeating weekly with an exception.
#include <benchmark/benchmark.h>

#include "palmdata/datebookfile.h"

namespace mirrin {
namespace {

constexpr int kRecords = 30000;

DatFileHeader ExtendedDatebookHeader() {
  DatFileHeader h;
  SetDefaultDatebookHeader(h, "C:\\Palm\\Bench\\datebook\\datebook.dat");
  h.IsExtended = true;
  h.ExtendedTag = Bytes("\xBE\xBA\xFE\xCA", 4);
  h.ExtendedName = "PalmSG Database";
  h.ExtendedWord = "00RV";
  h.ExtendedBlock = Bytes(24, '\0');
  h.ExtendedTail = Bytes(42, '\0');
  h.CategoryCount = 2;
  h.Categories.push_back({1, 17, 0, "Business", "Business"});
  h.Categories.push_back({2, 18, 0, "Personal", "Personal"});
  // The extended record prefix (13 fields) and the 14 datebook fields.
  h.FieldCount = 27;
  h.FieldsPerRow = 27;
  h.FieldTypes.assign(28, 1);
  h.RecordCount = kRecords;
  return h;
}

std::vector<DateRecord> SyntheticRecords() {
  std::vector<DateRecord> records(kRecords);
  const double first = MakeDate(2020, 1, 1);
  for (int i = 0; i < kRecords; ++i) {
    DateRecord& r = records[static_cast<size_t>(i)];
    r.RecordId = 100000 + i;
    r.Category = i % 3;
    r.Private = i % 11 == 0;
    const double start = first + i / 8 + MakeTime(8 + i % 8, (i % 4) * 15, 0);
    r.StartTime = PalmDate::Local(start);
    r.EndTime = PalmDate::Local(start + MakeTime(1, 0, 0));
    r.Description = "Appointment " + std::to_string(i) + " with the team";
    r.Duration = 60;
    r.Note = "Agenda: review item " + std::to_string(i) +
             ", then plans for the next quarter.\r\nBring the printed figures.";
    r.AlarmSet = i % 2 == 0;
    r.AlarmAdvance = 10;
    if (i % 5 == 0) {
      RepeatRule& rule = r.Repeat.Mutable();
      rule.Hash = 0xFFFF;
      rule.SchemaNo = 1;
      rule.ClassName = "CWeekly";
      rule.ClassNameLength = 7;
      rule.Brand = 2;
      rule.Interval = 1;
      rule.EndDate = PalmDate::Local(start + 365);
      rule.DaysMask = static_cast<uint8_t>(1u << (i % 7));
      r.ExceptionCount = 1;
      r.Exceptions = {static_cast<int32_t>(DateToSeconds(start + 14, TimeZoneInfo{}))};
    }
    r.Location = i % 4 == 0 ? "Room " + std::to_string(i % 40) : "";
  }
  return records;
}

struct Fixture {
  DatFileHeader header = ExtendedDatebookHeader();
  std::vector<DateRecord> records = SyntheticRecords();
  Bytes file;
  Fixture() { file = BuildDatebookFile(header, records, DataContext{}); }
};

const Fixture& Data() {
  static const Fixture fixture;
  return fixture;
}

void BM_ParseDatebookFile(benchmark::State& state) {
  const Fixture& f = Data();
  DataContext ctx;
  for (auto _ : state) {
    DatFileHeader header;
    std::vector<DateRecord> records;
    ParseDatebookFile(f.file, "bench.dat", header, records, ctx);
    benchmark::DoNotOptimize(records.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.file.size()));
}
BENCHMARK(BM_ParseDatebookFile)->Unit(benchmark::kMillisecond);

void BM_BuildDatebookFile(benchmark::State& state) {
  const Fixture& f = Data();
  std::vector<DateRecord> records = f.records;
  const DataContext ctx;
  for (auto _ : state) {
    Bytes built = BuildDatebookFile(f.header, records, ctx);
    benchmark::DoNotOptimize(built.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(f.file.size()));
}
BENCHMARK(BM_BuildDatebookFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mirrin
