#include "mainwindow/listdisplay.h"

#include <gtest/gtest.h>

#include <random>

#include "display_fixture.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {
namespace {

using test::AddCategory;
using test::ListAll;
using test::MakeDateRecord;
using test::RowOf;

const double kDay = MakeDate(2024, 5, 1);

class ListDisplayTest : public ::testing::Test {
 protected:
  Session& s() { return t.s(); }
  UserStore& store(Side side) { return t.store(side); }
  void Show(const char* kind) { s().controls.kindSelector.SetText(kind); }
  void AddDate(Side side, int32_t id, const std::string& description, double start) {
    store(side).dates.push_back(MakeDateRecord(id, description, start));
  }
  int32_t LeftMap(int row) { return s().Map(kLeft)[static_cast<size_t>(row)]; }
  test::TestSession t;
};

TEST_F(ListDisplayTest, MapsGrowToTheLongestList) {
  Show(kToDosText);
  s().window.ListCapacity = 2;
  s().ResetMaps();
  TodoRecord todo;
  for (int i = 0; i < 9; ++i) {
    todo.Description = "task " + std::to_string(i);
    store(kLeft).todos.push_back(todo);
    store(kRight).todos.push_back(todo);
  }
  ListAll(s(), kLeft, Kind::ToDos);
  ListAll(s(), kRight, Kind::ToDos);
  UpdateLists(s());
  ASSERT_GE(s().Map(kRight).size(), 9u);
  for (int row = 0; row < 9; ++row) EXPECT_EQ(LeftMap(row), row);
}

// A row listed for a record that came after the others (the display state
// has not grown to it yet) leaves the memo titles already taken as keys in
// place: under the sanitizers a moved title is a read of freed memory.
TEST_F(ListDisplayTest, MemoRowsPairWhenARecordCameAfterTheRows) {
  Show(kMemosText);
  for (Side side : kSides) {
    for (const char* text : {"Milk", "Eggs"}) store(side).memos.emplace_back().Text = text;
  }
  ListAll(s(), kLeft, Kind::Memos);
  ListAll(s(), kRight, Kind::Memos);
  store(kRight).memos.emplace_back().Text = "Bread";
  s().List(kRight).AddItem("Bread", 2);
  UpdateLists(s());
  for (int32_t record : {0, 1}) EXPECT_EQ(LeftMap(RowOf(s(), kLeft, record)), RowOf(s(), kRight, record));
}

// The rule applied literally: every left row against every right row.
void QuadraticPairing(Session& s, Kind kind, std::vector<int32_t>& leftMap, std::vector<int32_t>& rightMap) {
  forms::ListBox& left = s.List(kLeft);
  forms::ListBox& right = s.List(kRight);
  leftMap.assign(static_cast<size_t>(left.ListCount()), -1);
  rightMap.assign(static_cast<size_t>(right.ListCount()), -1);
  auto passes = [&](int p, int q) {
    const int32_t i = left.ItemData(p), j = right.ItemData(q);
    UserStore& a = s.Store(kLeft);
    UserStore& b = s.Store(kRight);
    switch (kind) {
      case Kind::Dates:
        return SameDescription(TextOf(a.dates[i].Description), TextOf(b.dates[j].Description), s.settings);
      case Kind::Contacts:
        return MidChars(left.List(p), a.Display(kind, i).textStart, 100, false) ==
               MidChars(right.List(q), b.Display(kind, j).textStart, 100, false);
      case Kind::ToDos:
        return a.todos[i].Description == b.todos[j].Description;
      case Kind::Memos:
        return a.Display(kind, i).pairText == b.Display(kind, j).pairText;
      case Kind::Custom:
        return a.custom[i].Fields[1] == b.custom[j].Fields[1];
    }
    return false;
  };
  for (int p = 0; p < left.ListCount(); ++p) {
    for (int q = 0; q < right.ListCount(); ++q) {
      if (!passes(p, q)) continue;
      if (kind == Kind::Dates && rightMap[q] >= 0) {
        const double ls = s.Store(kLeft).dates[left.ItemData(p)].StartTime.value;
        const double rs = s.Store(kRight).dates[right.ItemData(q)].StartTime.value;
        if (ls != rs) break;
        leftMap[rightMap[q]] = -1;
      }
      leftMap[p] = q;
      rightMap[q] = p;
      break;
    }
  }
}

class RandomPairingTest : public ListDisplayTest, public ::testing::WithParamInterface<int> {};

TEST_P(RandomPairingTest, SameMapsAsTheQuadraticRule) {
  std::mt19937 random(static_cast<unsigned>(GetParam()));
  auto pick = [&](std::initializer_list<const char*> words) {
    return std::string(*(words.begin() + random() % words.size()));
  };
  Settings& st = s().settings;
  st.FirstDuplicateChars = static_cast<int16_t>(GetParam() % 4 == 0 ? 0 : 2 + GetParam() % 9);
  st.Agendus = GetParam() % 2 == 1;
  st.SuffixUser1 = pick({" (A)", "", "x"});
  st.SuffixUser2 = pick({" (B)", " (A)", "xx", ""});
  const auto kinds = {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos};
  for (Kind kind : kinds) {
    for (Side side : kSides) {
      store(side) = UserStore{};
      s().List(side).Clear();
      const int count = 50 + static_cast<int>(random() % 250);
      for (int i = 0; i < count; ++i) {
        std::string text = pick({"", " ", "Lunch", "Lunch (A)", "Lunch (B)", "Lunchx", "Lun", "Team meeting",
                                 "Team meeting (A)", "Team meetingxx", " Gym ", "[Ann] Gym", "Gym [Bo]"});
        if (random() % 3 == 0) text += pick({"", "!", " (A)", "x", " [Cy]"});
        const double start = kDay + static_cast<double>(random() % 4);
        store(side).dates.push_back(MakeDateRecord(static_cast<int32_t>(random() % 50), text, start));
        ContactRecord& c = store(side).contacts.emplace_back();
        c.LastName = text;
        c.Company = pick({"", "Acme"});
        store(side).todos.emplace_back().Description = text;
        store(side).memos.emplace_back().Text = text + pick({"", "\r\nmore"});
      }
    }
    Show(s().KindText(kind).c_str());
    ListAll(s(), kLeft, kind);
    ListAll(s(), kRight, kind);
    UpdateLists(s());
    std::vector<int32_t> leftMap, rightMap;
    QuadraticPairing(s(), kind, leftMap, rightMap);
    for (size_t p = 0; p < s().Map(kLeft).size(); ++p) {
      ASSERT_EQ(s().Map(kLeft)[p], p < leftMap.size() ? leftMap[p] : -1)
          << "kind " << s().KindText(kind) << " row " << p;
    }
    for (size_t q = 0; q < s().Map(kRight).size(); ++q) {
      ASSERT_EQ(s().Map(kRight)[q], q < rightMap.size() ? rightMap[q] : -1)
          << "kind " << s().KindText(kind) << " row " << q;
    }
  }
  EXPECT_TRUE(t.platform.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPairingTest, ::testing::Range(1, 13));

TEST_F(ListDisplayTest, UpdateCategoryRewritesTheDateNoteCode) {
  Show(kDatesText);
  s().settings.KeepCategories = true;
  s().settings.ShowDatebookCategories = true;
  KindHeader& header = store(kLeft).datesHeader;
  AddCategory(header, 1, "Work");
  AddCategory(header, 2, "Home");
  AddCategory(header, 9, "Travel");  // an index beyond the table's positions
  AddDate(kLeft, 1, "Flight", kDay);
  store(kLeft).dates[0].Note = "##@@A\r\nbody\r\n--Do Not Change";
  ListAll(s(), kLeft, Kind::Dates);
  s().window.currentIndex[kLeft] = 0;

  UpdateCategory(s(), kLeft, "Home", 2, 0);
  EXPECT_EQ(store(kLeft).dates[0].Note, "##@@B\r\nbody\r\n--Do Not Change");
  EXPECT_EQ(store(kLeft).dates[0].Category, 2);
  EXPECT_EQ(s().List(kLeft).List(0).substr(0, 22), "(240501)(Home) Flight ");

  UpdateCategory(s(), kLeft, "Travel", 9, 0);
  EXPECT_EQ(store(kLeft).dates[0].Note.substr(0, 5), "##@@I");

  UpdateCategory(s(), kLeft, "Nowhere", 3, 0);
  EXPECT_EQ(store(kLeft).dates[0].Note.substr(0, 5), "##@@?") << "a name the table lacks";

  store(kLeft).dates[0].Note = "plain";
  UpdateCategory(s(), kLeft, "Work", 1, 0);
  EXPECT_EQ(store(kLeft).dates[0].Note, "plain");
  EXPECT_EQ(store(kLeft).dates[0].Category, 1);
}

}  // namespace
}  // namespace mirrin
