#include "mainwindow/selectkind.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "display_fixture.h"
#include "palmdata/fileio.h"
#include "random_records.h"

namespace mirrin {
namespace {

using test::AddCategory;
using test::MakeDateRecord;

// The fixture's clock reads 1 June 2024, 12:00.
const double kJune10 = MakeDate(2024, 6, 10) + MakeTime(9, 0, 0);

class SelectKindTest : public ::testing::Test {
 protected:
  Session& s() { return t.s(); }
  UserStore& store(Side side) { return t.store(side); }
  void Select(const std::string& kind, TwinSearch search = TwinSearch::Indexed) {
    s().controls.kindSelector.SetText(kind);
    SelectKind(s(), search);
  }
  int32_t AddDate(Side side, const std::string& description, double start) {
    const auto index = static_cast<int32_t>(store(side).dates.size());
    store(side).dates.push_back(MakeDateRecord(100 + index, description, start));
    return index;
  }
  DateRecord& Date(Side side, int32_t index) { return store(side).dates[static_cast<size_t>(index)]; }
  // Item data of the side's rows, in list order.
  std::vector<int32_t> Listed(Side side) {
    std::vector<int32_t> records;
    for (int row = 0; row < s().List(side).ListCount(); ++row)
      records.push_back(s().List(side).ItemData(row));
    return records;
  }
  std::string LogText() {
    const std::string path = NativePath(s().log.FileName(t.platform.Now()));
    return FileExists(path) ? test::ReadFileBytes(path) : std::string();
  }

  test::TestSession t;
};

using Records = std::vector<int32_t>;

TEST_F(SelectKindTest, IdenticalDatesAreHiddenOnBothSidesButCounted) {
  AddDate(kLeft, "Lunch", kJune10);
  AddDate(kLeft, "Dentist", kJune10 + 1);
  AddDate(kLeft, "Gym", kJune10 + 2);
  AddDate(kRight, "Lunch", kJune10);
  AddDate(kRight, "Swim", kJune10 + 3);
  // The left dentist's only twin is private and not shown on the right:
  // the search looks at every live record all the same.
  Date(kRight, AddDate(kRight, "Dentist", kJune10 + 1)).Private = true;
  Date(kRight, AddDate(kRight, "Gym", kJune10 + 2)).Status = 4;
  Select(kDatesText);
  EXPECT_EQ(Listed(kLeft), Records({2}));
  EXPECT_EQ(Listed(kRight), Records({1}));
  EXPECT_EQ(store(kRight).total, 3) << "the deleted record is not counted";
}

TEST_F(SelectKindTest, DateWindowsOfTheTwoPasses) {
  s().settings.DaystoIgnore = "30";  // cutoff 2 May 2024
  for (Side side : kSides) {
    const std::string user = side == kLeft ? " L" : " R";  // no twins across
    AddDate(side, "April" + user, MakeDate(2024, 4, 1));
    AddDate(side, "Late" + user, MakeDate(2031, 1, 1));
    const int32_t weekly = AddDate(side, "Weekly" + user, MakeDate(2024, 1, 1));
    Date(side, weekly).Repeat.Mutable().Hash = 65535;
    Date(side, weekly).Repeat.Mutable().EndDate = PalmDate::Local(MakeDate(2024, 5, 2));
    AddDate(side, "Last day" + user, MakeDate(2030, 12, 31) + MakeTime(23, 0, 0));
  }
  Select(kDatesText);
  EXPECT_EQ(Listed(kLeft), Records({2, 3}));
  EXPECT_EQ(Listed(kRight), Records({2, 3}));
  EXPECT_EQ(store(kLeft).total, 3) << "without a HideAfter date only 2031 leaves the total";

  s().settings.HideAfter = "31/12/2030";
  Select(kDatesText);
  EXPECT_EQ(Listed(kLeft), Records({2}));
  EXPECT_EQ(store(kLeft).total, 2);

  s().settings.HideAfter = "dd/mm/yyyy";
  s().settings.DaystoIgnore = "-31";
  Select(kDatesText);
  EXPECT_EQ(Listed(kLeft), Records({3})) << "the repeat ended before the cutoff";
}

// Every reason to leave a date out, each with its log line.
TEST_F(SelectKindTest, LeftPassLogsWhyEachDateIsLeftOut) {
  s().settings.LogLevel = 99;
  s().settings.DaystoIgnore = "30";
  s().settings.FilterUser1 = "L*";
  AddCategory(store(kLeft).datesHeader, 3, "Work", false);
  for (Side side : kSides) {
    AddDate(side, "April", MakeDate(2024, 4, 1) + MakeTime(9, 30, 0));
    Date(side, AddDate(side, "Lunch", kJune10)).Private = true;
    Date(side, AddDate(side, "Lunch", kJune10)).Category = 3;
    AddDate(side, "Tea", kJune10);
    AddDate(side, "Lunch", kJune10 + 1);
  }
  AddDate(kLeft, "Lunch", kJune10 + 2);
  Date(kRight, AddDate(kRight, "Solo", kJune10 + 3)).Private = true;
  Select(kDatesText);
  const std::string log = LogText();
  for (const char* line :
       {"Record 0 ignored on the basis of date 01/04/2024 09:30:00\r\n",
        "Record 1 ignored as its private\r\n", "Record 2 ignored as its a hidden category 3\r\n",
        "Record 3 ignored on the basis of filter L*\r\n", "Record 4 ignored as it matches record 4\r\n"}) {
    EXPECT_NE(log.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(Listed(kLeft), Records({5}));
  EXPECT_EQ(Listed(kRight), Records({}))
      << "the twins of left records that were left out are hidden all the same, and the right's private one";
}

TEST_F(SelectKindTest, ToDoStatusesAndCompletedOnes) {
  auto add = [&](Side side, const std::string& text, int32_t status, bool completed) {
    TodoRecord r;
    r.Description = text;
    r.Status = status;
    r.Completed = completed;
    store(side).todos.push_back(r);
  };
  add(kLeft, "Five", 5, false);
  add(kLeft, "Four", 4, false);
  add(kLeft, "Archived", 129, false);
  add(kLeft, "Done", 0, true);
  add(kLeft, "Twin", 0, false);
  add(kRight, "Twin", 1, false);
  add(kRight, "Five", 5, false);  // status 5 is listed but is no twin candidate
  Select(kToDosText);
  EXPECT_EQ(Listed(kLeft), Records({0}));
  EXPECT_EQ(Listed(kRight), Records({1}));
  EXPECT_EQ(store(kLeft).total, 3) << "status 4 and 129 leave the total, the completed one stays";
  s().settings.ShowCompletedToDos = true;
  Select(kToDosText);
  EXPECT_EQ(Listed(kLeft), Records({3, 0}));
}

TEST_F(SelectKindTest, ErrorsKeepTheRowsAddedSoFar) {
  AddDate(kLeft, "Lunch", kJune10);
  AddDate(kRight, "Tea", kJune10);
  s().settings.FilterUser2 = "[T";
  s().controls.panes[kLeft].add.SetEnabled(true);
  Select(kDatesText);
  ASSERT_EQ(t.platform.boxes.size(), 1u);
  EXPECT_EQ(t.platform.boxes[0].text.rfind("Combo1 has caused an error. 93 ", 0), 0u)
      << t.platform.boxes[0].text;
  EXPECT_EQ(Listed(kLeft), Records({0}));
  EXPECT_EQ(Listed(kRight), Records({}));
  EXPECT_EQ(t.platform.busyHistory.back(), false);
  EXPECT_FALSE(s().controls.panes[kLeft].add.Enabled()) << "no transfer after a half-made list";
}

// The indexed twin search must give exactly what comparing every pair gives:
// the same rows, pairs and log lines.
TEST_F(SelectKindTest, IndexedSearchMatchesThePlainOne) {
  Settings& st = s().settings;
  st.LogLevel = 99;
  st.DaystoIgnore = "100";
  st.SuffixUser1 = " (A)";
  st.SuffixUser2 = " (B)";
  st.Custom1 = "SplashID";
  s().controls.kindSelector.AddItem("SplashID", static_cast<int32_t>(Kind::Custom));
  for (unsigned seed = 1; seed <= 4; ++seed) {
    test::RandomRecords gen(seed);
    st.KeepCategories = seed != 1;
    st.Agendus = seed == 3;
    st.ShowDatebookCategories = seed == 2;
    // Every field an index key may hold is compared in one seed and left
    // out in another.
    st.ShowCategories = st.ShowToDoCategories = st.ShowMemoCategories = seed != 4;
    st.CopyAlarms = seed != 2;
    st.ShowCompletedToDos = seed != 3;
    for (Side side : kSides) {
      UserStore& u = store(side);
      u = UserStore{};
      AddCategory(u.datesHeader, 1, "Work", seed != 3 || side == kLeft);
      AddCategory(u.contactsHeader, 1, side == kLeft ? "Family" : "Friends");
      // Category 2 has the same name on both sides, 1 does not, and index
      // 3 falls back to "Unfiled".
      for (Kind kind : {Kind::ToDos, Kind::Memos}) {
        AddCategory(u.Header(kind), 1, side == kLeft ? "Home" : "Work");
        AddCategory(u.Header(kind), 2, "Home");
      }
      for (int i = 0; i < 250; ++i) {
        u.dates.push_back(gen.Date());
        u.contacts.push_back(gen.Contact());
        u.todos.push_back(gen.Todo());
        u.memos.push_back(gen.Memo());
        u.custom.push_back(gen.Custom());
      }
    }
    for (const char* kind : {kDatesText, kContactsText, kToDosText, kMemosText, "SplashID"}) {
      struct Outcome {
        std::array<std::vector<std::string>, 2> rows;
        std::array<std::vector<int32_t>, 2> maps;
        std::string log;
      };
      auto run = [&](TwinSearch search) {
        std::remove(NativePath(s().log.FileName(t.platform.Now())).c_str());
        Select(kind, search);
        Outcome o;
        for (Side side : kSides) {
          for (int row = 0; row < s().List(side).ListCount(); ++row) {
            o.rows[side].push_back(s().List(side).List(row) + "#" +
                                   std::to_string(s().List(side).ItemData(row)));
          }
          o.maps[side] = s().Map(side);
        }
        o.log = LogText();
        return o;
      };
      const Outcome plain = run(TwinSearch::Plain);
      const Outcome indexed = run(TwinSearch::Indexed);
      for (Side side : kSides) {
        EXPECT_EQ(indexed.rows[side], plain.rows[side]) << kind << " seed " << seed;
        EXPECT_EQ(indexed.maps[side], plain.maps[side]) << kind << " seed " << seed;
        EXPECT_GT(plain.rows[side].size(), 5u) << kind;
        EXPECT_LT(plain.rows[side].size(), 245u) << kind;
      }
      EXPECT_EQ(indexed.log, plain.log) << kind << " seed " << seed;
      if (std::string(kind) == kDatesText) {
        EXPECT_NE(plain.log.find("ignored as it matches record"), std::string::npos);
      }
    }
  }
  EXPECT_TRUE(t.platform.boxes.empty());
}

}  // namespace
}  // namespace mirrin
