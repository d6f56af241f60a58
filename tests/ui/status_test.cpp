#include "ui/status.h"

#include <gtest/gtest.h>

#include "save/two_users.h"
#include "ui/mainwindowmodel.h"

namespace mirrin {
namespace {

class StatusTest : public test::TwoUsers {
 protected:
  const std::string& Line() { return window.status.line.Caption(); }
  MainWindowModel window{s()};
};

TEST_F(StatusTest, SaveWithOneFailingFileTellsWhatWasSavedAndWhatNotAndWhy) {
  ChangeTodo(kLeft, 0, "written");
  ChangeDate(kRight, 0, "not written");
  window.status.Refresh();
  EXPECT_EQ(Line(), "Unsaved changes: UserA's To Dos, UserB's Dates");
  EXPECT_EQ(window.status.title.Caption(), window.caption + "*");

  BlockFolder(kRight, "/datebook");
  s().controls.saveItem.Press();
  const std::string notSaved =
      "Saved 1 file. Not saved: " + s().settings.UserDir2 + "\\datebook\\datebook.dat (";
  EXPECT_EQ(Line().rfind(notSaved, 0), 0u) << Line();
  const std::string unsaved = "). Unsaved changes: UserB's Dates";
  ASSERT_TRUE(Line().ends_with(unsaved)) << Line();
  EXPECT_GT(Line().size(), notSaved.size() + unsaved.size()) << "the reason is given";
  EXPECT_EQ(window.status.title.Caption(), window.caption + "*");

  std::filesystem::remove(File(kRight, "/datebook"));
  std::filesystem::create_directories(File(kRight, "/datebook"));
  s().controls.saveItem.Press();
  EXPECT_EQ(Line(), "Saved 1 file");
  EXPECT_EQ(window.status.title.Caption(), window.caption);
}

}  // namespace
}  // namespace mirrin
