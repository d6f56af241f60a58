#include "forms/controls.h"

#include <gtest/gtest.h>

#include "palmdata/errors.h"
#include "forms/combobox.h"

namespace mirrin::forms {
namespace {

TEST(ComboBoxTest, SettingTextSelectsTheMatchingRowAndClicksOnChange) {
  ComboBox kinds;
  for (const char* k : {"Choose...", "Dates", "Contacts"}) kinds.AddItem(k);
  std::vector<std::string> seen;
  kinds.onClick = [&] { seen.push_back(kinds.Text()); };
  kinds.SetText("dates");
  EXPECT_EQ(kinds.ListIndex(), 1);
  EXPECT_EQ(kinds.Text(), "Dates");
  kinds.SetText("Dates");
  kinds.SetListIndex(1);
  EXPECT_EQ(seen, (std::vector<std::string>{"Dates"}));
  // Re-selecting a kind: first entry, then the remembered one again.
  kinds.SetListIndex(0);
  kinds.SetListIndex(1);
  EXPECT_EQ(seen, (std::vector<std::string>{"Dates", "Choose...", "Dates"}));
  kinds.UserSelect(1);
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_THROW(kinds.SetText("Memos"), RunError);
  EXPECT_EQ(kinds.ListIndex(), 1);
}

TEST(TextBoxTest, ProgramAndOperatorChangesFireChangeOnlyWhenTheTextDiffers) {
  TextBox t;
  int changes = 0;
  t.onChange = [&] { ++changes; };
  t.SetText("abc");
  t.SetText("abc");
  EXPECT_EQ(changes, 1);
  t.SetMaxLength(2);
  t.UserType("wxyz");
  EXPECT_EQ(t.Text(), "wx");
  t.SetLocked(true);
  t.UserType("no");
  t.SetText("program may");  // locking stops the operator only
  EXPECT_EQ(t.Text(), "program may");
  EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace mirrin::forms
