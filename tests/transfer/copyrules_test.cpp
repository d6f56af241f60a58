#include "transfer/copyrules.h"

#include <gtest/gtest.h>

#include "palmdata/palmtime.h"

namespace mirrin {
namespace {

void AddEntry(KindHeader& h, int32_t index, int32_t id, const std::string& name) {
  CategoryEntry e;
  e.Index = index;
  e.Id = id;
  e.LongName = name;
  e.ShortName = name.substr(0, 8);
  h.Categories.push_back(e);
  ++h.CategoryCount;
}

// The file writers refuse a table whose count disagrees with its live entries.
void ExpectCountMatchesTable(const KindHeader& h) {
  int32_t live = 0;
  for (size_t t = 1; t < h.Categories.size(); ++t) live += h.Deleted(t) ? 0 : 1;
  EXPECT_EQ(h.CategoryCount, live);
}

class CopyRulesTest : public ::testing::Test {
 protected:
  CopyRulesTest() {
    st.SuffixUser1 = " (A)";
    st.SuffixUser2 = " (B)";
    AddEntry(left, 1, 11, "Business");
    AddEntry(left, 3, 13, "Golf");
    AddEntry(right, 1, 21, "Personal");
    AddEntry(right, 5, 25, "Golf");
  }
  Settings st;
  KindHeader left, right;
  CategoriesNotAdded notAdded;
};

TEST_F(CopyRulesTest, SuffixRuleAddsTheSourceUsersSuffixOnceAndKeepsOneAlreadyThere) {
  // Added to User2 and back again.
  EXPECT_EQ(SuffixedDescription("Lunch", "", st, st.SuffixUser1), "Lunch (A)");
  EXPECT_EQ(SuffixedDescription("Lunch (A)", "", st, st.SuffixUser2), "Lunch (A) (B)");
  // Changes hand in no suffix: the target keeps the one it carries.
  EXPECT_EQ(SuffixedDescription("Dinner", "Lunch (A)", st, ""), "Dinner (A)");
  EXPECT_EQ(SuffixedDescription("Dinner", "Lunch (B)", st, ""), "Dinner (B)");
  EXPECT_EQ(SuffixedDescription("Dinner", "Lunch", st, ""), "Dinner");
  // Already the source's description with a suffix, or the other way round.
  EXPECT_EQ(SuffixedDescription("Lunch", "Lunch (B)", st, ""), "Lunch (B)");
  EXPECT_EQ(SuffixedDescription("Lunch (A)", "Lunch", st, st.SuffixUser2), "Lunch");
  // An empty suffix is in every non-empty text, in no empty one.
  st.SuffixUser1 = "";
  EXPECT_EQ(SuffixedDescription("Dinner", "Lunch (B)", st, ""), "Dinner");
  EXPECT_EQ(SuffixedDescription("Dinner", "", st, " (X)"), "Dinner (X)");
}

TEST_F(CopyRulesTest, AddCategoryTakesTheFirstFreeIndexAndAFreshId) {
  KindHeader h;
  h.NextFreeId = 3;
  AddEntry(h, 1, 7, "One");
  AddEntry(h, 2, 8, "Two");
  AddEntry(h, 4, 9, "Four");
  EXPECT_EQ(AddCategory(h, "Business Partners", false), 3);
  const CategoryEntry& added = h.Categories.back();
  EXPECT_EQ(added.LongName, "Business Partne") << "a handheld keeps 15 bytes";
  EXPECT_EQ(added.ShortName, "Business");
  EXPECT_EQ(added.Id, 10);
  EXPECT_EQ(h.NextFreeId, 11);
  EXPECT_EQ(AddCategory(h, "Five", false), 5) << "1, 2, 3, 4 are taken";
  // Eight double-byte characters: the eighth would end past byte 15.
  AddCategory(h, "\x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82\xAB\x82\xAD", true);
  EXPECT_EQ(h.Categories.back().LongName.size(), 14u);
  ExpectCountMatchesTable(h);

  // A live index is never given twice: not in a table out of index order,
  // nor after a deleted entry's index was taken again.
  KindHeader g;
  AddEntry(g, 2, 1, "Two");
  AddEntry(g, 1, 2, "Old");
  g.Flags(2).deleted = true;
  --g.CategoryCount;
  EXPECT_EQ(AddCategory(g, "New", false), 1);
  EXPECT_EQ(AddCategory(g, "Newer", false), 3);
  ExpectCountMatchesTable(g);
}

TEST_F(CopyRulesTest, CategoryMappingByNameWithAndWithoutAddCategories) {
  EXPECT_EQ(MapCategory(st, left, 3, right, notAdded), 5) << "Golf is index 5 on the other side";
  EXPECT_EQ(MapCategory(st, left, 9, right, notAdded), 0) << "no such category: Unfiled";
  EXPECT_EQ(MapCategory(st, left, 1, right, notAdded), 0) << "Business missing, AddCategories off";
  EXPECT_EQ(right.Categories.size(), 3u);
  st.AddCategories = true;
  EXPECT_EQ(MapCategory(st, left, 1, right, notAdded), 2);
  EXPECT_EQ(right.Categories.back().LongName, "Business");
  EXPECT_EQ(MapCategory(st, left, 1, right, notAdded), 2) << "found the second time";
  right.Flags(2).deleted = true;  // Golf
  EXPECT_EQ(FindCategory(right, "Golf"), -1) << "deleted entries are not matched";
  EXPECT_EQ(FindCategory(right, "golf"), -1) << "names match case-sensitively";
}

TEST_F(CopyRulesTest, CopiedContactKeepsItsIdentityAndMapsItsCategory) {
  ContactRecord src;
  src.RecordId = 500;
  src.Category = 3;
  src.Private = true;
  src.LastName = "Lee";
  src.Phones[6].Value = "555";
  ContactRecord dst;
  dst.RecordId = 77;
  dst.Position = 8;
  dst.Category = 1;
  CopyContact(st, src, left, dst, right, notAdded);
  EXPECT_EQ(dst.Phones[6].Value, "555");
  EXPECT_TRUE(dst.Private);
  EXPECT_EQ(dst.RecordId, 77);
  EXPECT_EQ(dst.Position, 8);
  EXPECT_EQ(dst.Category, 5);
  EXPECT_EQ(dst.Status, kStatusModified);

  // The counted texts take the tags the target file's schema gives them.
  right.IsExtended = true;
  right.FieldTypes = {0, 1, 1, 1, 1, 1, 1, 6, 64, 65, 66, 67, 5, 5};
  src.ExtTag = {64, 65, 66, 65};
  CopyContact(st, src, left, dst, right, notAdded);
  EXPECT_EQ(dst.ExtTag, (std::array<int32_t, 4>{64, 65, 66, 67}));

  ContactRecord added;
  added.Status = kStatusAdded;
  st.ShowCategories = false;
  added.Category = 1;
  CopyContact(st, src, left, added, right, notAdded);
  EXPECT_EQ(added.Status, kStatusAdded);
  EXPECT_EQ(added.Category, 1) << "without categories shown the target keeps its own";
}

TEST_F(CopyRulesTest, TodoGetsDatesForMissingExtendedDatesAndARebuiltRepeatClass) {
  TodoRecord src;
  src.ExtDate2 = PalmDate::Local(MakeDate(2024, 2, 3));
  src.DueDate = PalmDate::Local(0);
  src.Repeat.Mutable().Hash = 1;  // a reference to an earlier class entry
  src.Repeat.Mutable().Brand = 2;
  TodoRecord dst;
  CopyTodo(st, src, left, dst, right, notAdded);
  EXPECT_EQ(dst.ExtDate1.value, MakeDate(1970, 1, 1));
  EXPECT_EQ(dst.ExtDate2.value, MakeDate(2024, 2, 3));
  EXPECT_EQ(dst.ExtDate3.value, MakeDate(1970, 1, 1));
  EXPECT_EQ(dst.DueDate.value, 0) << "the due date is copied as it is";
  EXPECT_EQ(dst.Repeat->Hash, 65535);
  EXPECT_EQ(dst.Repeat->ClassName.Get(), "CWeekly");
  EXPECT_EQ(dst.Repeat->ClassNameLength, 7);

  RepeatRule none;
  none.Hash = 65535;
  RebuildRepeatClass(none);
  EXPECT_EQ(none.Hash, 0);
  RepeatRule unnamed;
  unnamed.Hash = 65535;
  unnamed.Brand = 9;
  unnamed.ClassName = "CFuture";
  unnamed.ClassNameLength = 7;
  RebuildRepeatClass(unnamed);
  EXPECT_EQ(unnamed.ClassName.Get(), "CFuture") << "an unknown repeat type keeps the class it was read with";
}

class DateCopyTest : public CopyRulesTest {
 protected:
  DateRecord Copy(const std::string& suffix = "") {
    CopyDate(st, "#AN\r\n", src, left, dst, right, suffix, notAdded);
    return dst;
  }
  DateRecord src, dst;
};

TEST_F(DateCopyTest, DatebkCategoryTravelsInTheNoteHeader) {
  st.KeepCategories = true;
  src.Note = "##  C\r\nbody";  // 'C' & 15 = 3: Golf
  dst.Category = 1;
  DateRecord r = Copy();
  EXPECT_EQ(r.Note, "##  E\r\nbody") << "Golf is 5 on the target";
  EXPECT_EQ(r.Category, 1) << "a category found leaves the record's index alone";

  src.Note = "##  A\r\nbody";  // Business, which the target lacks
  dst = DateRecord{};
  dst.Category = 1;
  r = Copy();
  EXPECT_EQ(r.Note, "##  @\r\nbody");
  EXPECT_EQ(r.Category, 0);
  st.AddCategories = true;
  r = Copy();
  EXPECT_EQ(r.Note, "##  B\r\nbody");
  EXPECT_EQ(r.Category, 2);

  // A plain source into a target that has a header: its header stays, with Unfiled.
  src.Note = "new words";
  dst.Note = "##  E\r\nold words";
  EXPECT_EQ(Copy().Note, "##  @\r\nnew words");
  src.Note = "##";
  EXPECT_EQ(Copy().Note, "##") << "too short to carry a category";

  // With Agendus the target keeps its linked contact around the source's body.
  st.Agendus = true;
  src.Note = "Sam Smith\r\n#AN\r\nbring the slides";
  dst.Note = "Ann Lee\r\n#AN\r\nold";
  EXPECT_EQ(Copy().Note, "Ann Lee\r\n#AN\r\nbring the slides");
}

TEST_F(DateCopyTest, PlainNotesMapTheCategoryAndOnlyCopyAlarmsSetsTheAlarm) {
  src.Note = "note";
  src.AlarmSet = true;
  src.AlarmAdvance = 15;
  st.CopyAlarms = false;
  src.Category = 3;
  src.Description = "Golf day";
  EXPECT_EQ(Copy(" (A)").Category, 0) << "ShowDatebookCategories off";
  st.ShowDatebookCategories = true;
  const DateRecord r = Copy(" (A)");
  EXPECT_EQ(r.Category, 5);
  EXPECT_EQ(r.Note, "note");
  EXPECT_EQ(r.Description, "Golf day (A)") << "the target already carries the suffix";
  EXPECT_FALSE(r.AlarmSet);
  EXPECT_EQ(r.AlarmAdvance, 15);
  src.Category = 1;  // Business: not on the target, so the target keeps its own
  EXPECT_EQ(Copy().Category, 5);
}

}  // namespace
}  // namespace mirrin
