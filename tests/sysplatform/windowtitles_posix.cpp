#include "sysplatform/windowtitles.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "startup/runningcheck.h"
#include "support/fake_platform.h"
#include "support/scopedenv.h"
#include "sysplatform/systemservices.h"
#include "sysplatform/xserver.h"

namespace mirrin {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;

// The running check on this machine's real window titles.
class X11Platform : public test::FakePlatform {
 public:
  std::vector<std::string> TopLevelWindowTitles() override { return services.TopLevelWindowTitles(); }
  SystemServices services;
};

class X11WindowTitles : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef MIRRIN_HAVE_XCB
    GTEST_SKIP() << "built without xcb (Debian package libxcb1-dev): no X11 window titles";
#endif
    if (!xvfb_.Running())
      GTEST_SKIP() << "Xvfb (Debian package xvfb) did not start; the X11 window-title tests need it";
    display_.emplace("DISPLAY", xvfb_.Display().c_str());
  }

  test::Xvfb xvfb_;
  std::optional<test::ScopedEnv> display_;
};

// The running check on real windows: without a window manager the root's
// children count; with one, only its client list, where UTF-8 names win.
TEST_F(X11WindowTitles, RunningCheckSeesTopLevelWindows) {
  X11Platform platform;
  std::string title = "unchanged";
  EXPECT_FALSE(IsPalmDesktopRunning(platform, title));
  EXPECT_EQ(title, "unchanged");
  {
    test::WindowProgram palm(xvfb_.Display(), {{"Palm Desktop", "", false}, {"Caf\xE9", "", false}});
    ASSERT_TRUE(palm.Ready());
    const std::vector<std::string> titles = X11TopLevelWindowTitles();
    EXPECT_THAT(titles, Contains("Palm Desktop"));
    EXPECT_THAT(titles, Contains("Café"));  // WM_NAME is Latin-1, given as UTF-8
    EXPECT_TRUE(IsPalmDesktopRunning(platform, title));
    EXPECT_EQ(title, "Palm Desktop");
  }
  // Its windows go with the program; the server may take a moment.
  bool gone = false;
  for (int i = 0; i < 100 && !gone; ++i) {
    gone = !IsPalmDesktopRunning(platform, title);
    if (!gone) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_TRUE(gone);

  // The unlisted window may be a window manager's own frame or a hidden helper.
  test::WindowProgram windows(xvfb_.Display(), {{"Palm Desktop", "", false},
                                                {"old name", "Kalender \xE2\x80\x93 Woche", true},
                                                {"HotSync Progress", "", true}});
  ASSERT_TRUE(windows.Ready());
  EXPECT_THAT(X11TopLevelWindowTitles(), ElementsAre("Kalender – Woche", "HotSync Progress"));
  // In the data files' code page (Windows-1252: the dash is 0x96).
  EXPECT_THAT(TopLevelWindowTitles(), ElementsAre("Kalender \x96 Woche", "HotSync Progress"));
}

TEST(X11WindowTitlesWithoutDisplay, AreEmpty) {
  {
    test::ScopedEnv display("DISPLAY", nullptr);
    EXPECT_TRUE(X11TopLevelWindowTitles().empty());
  }
  {
    test::ScopedEnv display("DISPLAY", ":4711");  // nobody serves it
    EXPECT_TRUE(X11TopLevelWindowTitles().empty());
  }
}

}  // namespace
}  // namespace mirrin
