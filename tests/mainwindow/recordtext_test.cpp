#include "mainwindow/recordtext.h"

#include <gtest/gtest.h>

namespace mirrin {
namespace {

KindHeader Table() {
  KindHeader h;
  auto add = [&](int32_t index, const char* name, bool show) {
    CategoryEntry e;
    e.Index = index;
    e.Id = index + 10;
    e.LongName = name;
    h.Categories.push_back(e);
    h.Flags(h.Categories.size() - 1).shown = show;
  };
  add(1, "Business", true);
  add(2, "Personal", false);
  add(2, "Personal again", true);
  h.CategoryCount = 3;
  return h;
}

TEST(Categories, ShownAndNamedByIndex) {
  KindHeader h = Table();
  EXPECT_TRUE(CategoryShown(h, 1));
  EXPECT_TRUE(CategoryShown(h, 2)) << "searched from the last position down";
  EXPECT_EQ(CategoryName(h, 2), "Personal") << "named from position 1 up";
  EXPECT_EQ(CategoryName(h, 9), "Unfiled");
  h.Flags(0).shown = false;
  EXPECT_FALSE(CategoryShown(h, 9)) << "an unknown index follows Unfiled";
  h.Flags(2).deleted = true;
  EXPECT_EQ(CategoryName(h, 2), "Personal again");
}

TEST(Categories, DateCategoryFromNoteCode) {
  Settings s;
  DateRecord r;
  r.Category = 1;
  r.Note = "##@@A rest";  // 'A' is 0x41: AND 15 gives 1
  EXPECT_EQ(DateCategoryIndex(r, s), 1);
  r.Note = "##@@B";
  EXPECT_EQ(DateCategoryIndex(r, s), 1) << "KeepCategories off: the record's own";
  s.KeepCategories = true;
  EXPECT_EQ(DateCategoryIndex(r, s), 2);
}

TEST(NoteSplitTest, PartsAlwaysRebuildTheNote) {
  Settings s;
  s.Agendus = true;
  const std::string marker = "#AN\r\n";
  struct Case {
    std::string note, header, body, trailer;
  };
  const Case cases[] = {
      {"just text", "", "just text", ""},
      {"##@@A\r\nbody", "##@@A\r\n", "body", ""},
      {"##@@Axxxxl\r\nsecond\r\nbody", "##@@Axxxxl\r\nsecond\r\n", "body", ""},
      {"##no line end", "##no line end", "", ""},
      {"Smith, John\r\n#AN\r\nmeet", "Smith, John\r\n#AN\r\n", "meet", ""},
      {"##@@A\r\nSmith\r\n#AN\r\nmeet", "##@@A\r\nSmith\r\n#AN\r\n", "meet", ""},
      {"body\r\n--Do Not Change\r\nx", "", "body", "\r\n--Do Not Change\r\nx"},
      {"a\r\n#info 1\r\n--Do Not Change z", "", "a", "\r\n#info 1\r\n--Do Not Change z"},
  };
  for (const Case& c : cases) {
    const NoteParts p = NoteSplit(c.note, s, marker);
    EXPECT_EQ(p.header, c.header) << c.note;
    EXPECT_EQ(p.body, c.body) << c.note;
    EXPECT_EQ(p.trailer, c.trailer) << c.note;
    EXPECT_EQ(p.header + p.body + p.trailer, c.note);
  }
  s.Agendus = false;
  EXPECT_EQ(NoteSplit("Smith\r\n#AN\r\nmeet", s, marker).body, "Smith\r\n#AN\r\nmeet");
}

TEST(Descriptions, AgendusBracketsAndLooseComparison) {
  Settings s;
  s.Agendus = true;
  const AgendusParts p = StripAgendus("Lunch [Smith] today", s);
  EXPECT_EQ(p.rest, "Lunch  today");
  EXPECT_EQ(p.bracket, "[Smith]");
  EXPECT_EQ(StripAgendus("odd ] order [", s).rest, "odd ] order [");

  s.FirstDuplicateChars = 5;
  s.SuffixUser1 = "-A";
  s.SuffixUser2 = "-B";
  EXPECT_TRUE(SameDescription("  Denti  ", "Dentist appointment", s));
  EXPECT_FALSE(SameDescription("dentist", "Dentist", s)) << "case matters";
  s.FirstDuplicateChars = 20;
  EXPECT_TRUE(SameDescription("Lunch", "Lunch-A", s));
  EXPECT_TRUE(SameDescription("Lunch-B", "Lunch", s));
  EXPECT_FALSE(SameDescription("Lunch-A", "Lunch", s));
  EXPECT_TRUE(SameDescription("Lunch [Smith]", "Lunch", s));
  EXPECT_EQ(MemoTitle("Title\r\nbody", s), "Title");
}

}  // namespace
}  // namespace mirrin
