// The kind selection on large stores: filtering, the twin search, the row
// texts, the sorted fill of both lists and the pairing of their rows.
// Half of each side's records have a twin on the other side; the rest are
// near misses (same day or name, other details).
#include <benchmark/benchmark.h>

#include <memory>

#include "benchdates.h"
#include "palmdata/palmtime.h"
#include "sysplatform/heap.h"
#include "mainwindow/selectkind.h"
#include "transfer/transfer.h"

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
    if (i % 4 == 1)
      c.Phones[0].Label = 1;
    else
      c.Note += ".";
  }
  return c;
}

// Two users with `records` records each, made by fill(side, i).
class BenchSession {
 public:
  template <typename Fill>
  BenchSession(int records, Fill fill) : s(platform) {
    AddKindRows(s.controls.kindSelector, {true, true, true, true, false}, "");
    s.settings.DaystoIgnore = "0";
    s.settings.ShowCompletedToDos = true;
    for (Side side : kSides) {
      for (int i = 0; i < records; ++i) fill(s.Store(side), side, i);
    }
    // The lists never hold more rows than a side has records.
    s.window.ListCapacity = records + 100;
    s.ResetMaps();
  }

  void Select(const char* kind, TwinSearch search = TwinSearch::Indexed) {
    s.controls.kindSelector.SetText(kind);
    SelectKind(s, search);
  }

  BenchPlatform platform;
  Session s;
};

void FillDates(UserStore& st, Side side, int i) {
  st.dates.push_back(BenchDate(i, UserNumber(side), MakeDate(2020, 1, 1), 8));
}
void FillContacts(UserStore& st, Side side, int i) {
  st.contacts.push_back(BenchContact(i, UserNumber(side)));
}

void Run(benchmark::State& state, const char* kind, TwinSearch search) {
  const int records = static_cast<int>(state.range(0));
  const bool dates = kind == std::string(kDatesText);
  BenchSession b(records, dates ? FillDates : FillContacts);
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
  BenchSession b(30000, [](UserStore& st, Side side, int i) {
    FillDates(st, side, i);
    FillContacts(st, side, i);
  });
  for (auto _ : state) {
    b.Select(kDatesText, TwinSearch::Indexed);
    b.Select(kContactsText, TwinSearch::Indexed);
  }
}
BENCHMARK(BM_TwoFullUsers)->Iterations(1)->Unit(benchmark::kMillisecond);

// Many records sharing one description or text, the shapes people keep by
// the thousand ("Call mum", empty memos). Each side's categories 1 to 15
// are named "Home k" on the left; on the right the even ones are "Away k",
// so records of those categories have no twin.
void FifteenCategories(DatFileHeader& h, Side side) {
  h.Categories = {CategoryEntry::Unfiled()};
  for (int k = 1; k <= 15; ++k) {
    const bool away = side == kRight && k % 2 == 0;
    h.Categories.push_back({k, k, 0, (away ? "Away " : "Home ") + std::to_string(k), "Cat"});
  }
  h.CategoryCount = 15;
}

TodoRecord TakePill(int i) {
  TodoRecord t;
  t.RecordId = 300000 + i;
  t.Description = "Take pill";
  t.Priority = 1;
  t.DueDate = PalmDate::Local(MakeDate(2032, 1, 1));
  return t;
}

enum class Shape {
  AllTwins,    // identical on both sides
  DueDates,    // one description, a different due date each; half shared
  Categories,  // one description or text, spread over the categories
};

void FillTodos(UserStore& st, Side side, int i, int records, Shape shape) {
  if (i == 0) FifteenCategories(st.todosHeader, side);
  TodoRecord t = TakePill(i);
  if (shape == Shape::DueDates) {
    // A tenth of a day apart, so that even 60,000 stay before the end of 2031.
    const int step = i + (side == kRight ? records / 2 : 0);
    t.DueDate = PalmDate::Local(MakeDate(2010, 1, 1) + step / 10.0);
  }
  if (shape == Shape::Categories) t.Category = 1 + i % 15;
  st.todos.push_back(std::move(t));
}

void FillMemos(UserStore& st, Side side, int i, Shape shape) {
  if (i == 0) FifteenCategories(st.memosHeader, side);
  MemoRecord m;
  m.RecordId = 400000 + i;
  m.Text = shape == Shape::AllTwins ? "Take pill" : "";
  if (shape == Shape::Categories) m.Category = 1 + i % 15;
  st.memos.push_back(std::move(m));
}

void RunShape(benchmark::State& state, const char* kind, Shape shape) {
  const int records = static_cast<int>(state.range(0));
  const bool todos = kind == std::string(kToDosText);
  BenchSession b(records, [&](UserStore& st, Side side, int i) {
    if (todos)
      FillTodos(st, side, i, records, shape);
    else
      FillMemos(st, side, i, shape);
  });
  for (auto _ : state) {
    b.Select(kChoose);
    b.Select(kind);
  }
  state.counters["left rows"] = b.s.List(kLeft).ListCount();
}

void BM_TodosAllTwins(benchmark::State& state) { RunShape(state, kToDosText, Shape::AllTwins); }
void BM_TodosByDueDate(benchmark::State& state) { RunShape(state, kToDosText, Shape::DueDates); }
void BM_TodosByCategory(benchmark::State& state) { RunShape(state, kToDosText, Shape::Categories); }
void BM_MemosAllTwins(benchmark::State& state) { RunShape(state, kMemosText, Shape::AllTwins); }
void BM_MemosByCategory(benchmark::State& state) { RunShape(state, kMemosText, Shape::Categories); }
#define MIRRIN_SHAPE(bm) BENCHMARK(bm)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)
MIRRIN_SHAPE(BM_TodosAllTwins);
MIRRIN_SHAPE(BM_TodosByDueDate);
MIRRIN_SHAPE(BM_TodosByCategory);
MIRRIN_SHAPE(BM_MemosAllTwins);
MIRRIN_SHAPE(BM_MemosByCategory);

// One press of Add with 5,000 rows selected in the left list and no twins:
// copying, taking the rows out and pairing again. The left side holds
// 30,000 To Dos; the right one 27,000, as a user holds at most 32,767
// records of a kind.
void BM_AddAcross5000(benchmark::State& state) {
  constexpr int kRecords = 30000;
  constexpr int kTarget = 27000;
  for (auto _ : state) {
    state.PauseTiming();
    auto b = std::make_unique<BenchSession>(kRecords, [&](UserStore& st, Side side, int i) {
      if (side == kLeft || i < kTarget) FillTodos(st, side, i, 2 * kRecords, Shape::DueDates);
    });
    Session& s = b->s;
    for (Side side : kSides) s.window.currentList[side] = &s.controls.panes[side].multiList;
    b->Select(kToDosText);
    forms::ListBox& left = s.List(kLeft);
    for (int row = 0; row < left.ListCount(); row += left.ListCount() / 5000) left.SetSelected(row, true);
    state.ResumeTiming();
    AddAcross(s, kRight);
    state.PauseTiming();
    state.counters["added"] = static_cast<double>(s.Store(kRight).todos.size() - kTarget);
    b.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AddAcross5000)->Iterations(3)->Unit(benchmark::kMillisecond);
}  // namespace
}  // namespace mirrin

// As the programs' own main does: the heap keeps large freed blocks, so an
// iteration reuses the last one's instead of faulting in fresh pages.
int main(int argc, char** argv) {
  mirrin::KeepLargeBlocksInHeap();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
