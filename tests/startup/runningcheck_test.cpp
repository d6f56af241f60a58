#include "startup/runningcheck.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace mirrin {
namespace {

TEST(RunningCheck, FindsEitherTitleExactlyAndNamesTheFirstFound) {
  test::FakePlatform p;
  std::string title = "unchanged";
  // Titles that only resemble them do not count.
  p.windowTitles = {"Palm Desktop - Address", "palm desktop", "HotSync Progress ", " Palm Desktop", "HotSync", ""};
  EXPECT_FALSE(IsPalmDesktopRunning(p, title));
  EXPECT_EQ(title, "unchanged");

  p.windowTitles = {"Terminal", "Palm Desktop", "HotSync Progress"};
  EXPECT_TRUE(IsPalmDesktopRunning(p, title));
  EXPECT_EQ(title, "Palm Desktop");
  p.windowTitles = {"HotSync Progress", "Palm Desktop"};
  EXPECT_TRUE(IsPalmDesktopRunning(p, title));
  EXPECT_EQ(title, "HotSync Progress");
}

}  // namespace
}  // namespace mirrin
