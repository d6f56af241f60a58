// The kind selection on large stores: filtering, the twin search, the row
// texts, the sorted fill of both lists and the pairing of their rows.
// Half of each side's records have a twin on the other side; the rest are
// near misses (same day or name, other details).
#include <benchmark/benchmark.h>

#include "palmdata/palmtime.h"
#include "records/selectkind.h"

namespace mirrin {
namespace {

// A machine without a screen: nothing to ask, nothing to paint.
class BenchPlatform : public Platform {
 public:
  int MsgBox(const std::string&, int, const std::string&) override { return mb::OK; }
  std::vector<std::string> TopLevelWindowTitles() override { return {}; }
  std::optional<std::string> BrowseForFolder(const std::string&) override { return std::nullopt; }
  std::optional<int> PopupMenu(const std::vector<std::string>&) override { return std::nullopt; }
  void DoEvents() override {}
  void SetBusy(bool) override {}
  void Beep() override {}
  double Now() override { return MakeDate(2020, 1, 1); }
  TimeZoneInfo TimeZone() override { return {}; }
  std::string ProgramDirectory() override { return "/tmp"; }
  ScreenSize Screen() override { return {15360, 11520}; }
};

DateRecord BenchDate(int i, int user) {
  DateRecord r;
  r.RecordId = 100000 + i;
  const double start = MakeDate(2020, 1, 1) + i / 8 + MakeTime(8 + i % 8, (i % 4) * 15, 0);
  r.StartTime = PalmDate::Local(start);
  r.EndTime = PalmDate::Local(start + MakeTime(1, 0, 0));
  r.Description = "Appointment " + std::to_string(i) + " with the team";
  r.Duration = 60;
  r.Note = "Agenda: review item " + std::to_string(i) + ", then plans for the next quarter.\r\nBring the figures.";
  r.AlarmSet = i % 2 == 0;
  r.AlarmAdvance = 10;
  r.Category = i % 3;
  if (i % 5 == 0) {
    r.Repeat.Hash = 0xFFFF;
    r.Repeat.Brand = 2;
    r.Repeat.Interval = 1;
    r.Repeat.EndDate = PalmDate::Local(start + 365);
    r.Repeat.DaysMask = static_cast<uint8_t>(1u << (i % 7));
  }
  if (i % 2 == 1 && user == 2) {
    // Near misses: the same slot, another text or length.
    if (i % 4 == 1) r.Description += " (moved)";
    else r.Duration = 90;
  }
  return r;
}

ContactRecord BenchContact(int i, int user) {
  ContactRecord c;
  c.RecordId = 200000 + i;
  c.LastName = "Surname" + std::to_string(i / 3);
  c.FirstName = "Given" + std::to_string(i % 97);
  c.Company = i % 4 == 0 ? "Company " + std::to_string(i % 50) : "";
  c.Phones[0] = {0, "+44 20 7946 " + std::to_string(1000 + i % 9000)};
  c.Phones[4] = {4, "person" + std::to_string(i) + "@example.org"};
  c.Addresses[0] = {0, std::to_string(i % 200) + " High Street", "Leeds", "", "LS1 4AP", "UK"};
  c.Note = "Met at the conference, year " + std::to_string(2000 + i % 20);
  c.Category = i % 2;
  if (i % 2 == 1 && user == 2) {
    if (i % 4 == 1) c.Phones[0].Label = 1;
    else c.Note += ".";
  }
  return c;
}

class BenchSession {
 public:
  BenchSession(int records, bool dates, bool contacts) : s(platform) {
    for (const char* kind : {kChoose, kDatesText, kContactsText, kToDosText, kMemosText}) {
      s.form.Combo1.AddItem(kind);
    }
    s.settings.DaystoIgnore = "0";
    for (Side side : kSides) {
      UserStore& store = s.Store(side);
      for (int i = 0; i < records; ++i) {
        if (dates) store.dates.push_back(BenchDate(i, UserNumber(side)));
        if (contacts) store.contacts.push_back(BenchContact(i, UserNumber(side)));
      }
    }
    // The lists never hold more rows than a side has records.
    s.window.ListCapacity = records + 100;
    s.ResetMaps();
  }

  void Select(const char* kind, TwinSearch search) {
    s.form.Combo1.SetText(kind);
    SelectKind(s, search);
  }

  BenchPlatform platform;
  Session s;
};

void Run(benchmark::State& state, const char* kind, TwinSearch search) {
  const int records = static_cast<int>(state.range(0));
  const bool dates = kind == std::string(kDatesText);
  BenchSession b(records, dates, !dates);
  for (auto _ : state) {
    b.Select(kChoose, search);
    b.Select(kind, search);
  }
  state.counters["left rows"] = b.s.List(kLeft).ListCount();
  state.counters["right rows"] = b.s.List(kRight).ListCount();
}

void BM_SelectDates(benchmark::State& state) { Run(state, kDatesText, TwinSearch::Indexed); }
void BM_SelectContacts(benchmark::State& state) { Run(state, kContactsText, TwinSearch::Indexed); }
// The reference search compares every pair: shown on the small stores only.
void BM_SelectDatesPlain(benchmark::State& state) { Run(state, kDatesText, TwinSearch::Plain); }

BENCHMARK(BM_SelectDates)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectContacts)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SelectDatesPlain)->Arg(1000)->Unit(benchmark::kMillisecond);

// Two users with 30,000 dates and 30,000 contacts each, both kinds shown in
// turn: run alone under /usr/bin/time -v for the peak memory.
void BM_TwoFullUsers(benchmark::State& state) {
  BenchSession b(30000, true, true);
  for (auto _ : state) {
    b.Select(kDatesText, TwinSearch::Indexed);
    b.Select(kContactsText, TwinSearch::Indexed);
  }
}
BENCHMARK(BM_TwoFullUsers)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mirrin
