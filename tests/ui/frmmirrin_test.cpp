#include "ui/frmmirrin.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/session_fixture.h"
#include "support/userfolder.h"

namespace mirrin {
namespace {

class FrmMirrinTest : public ::testing::Test {
 protected:
  Session& s() { return t.s(); }
  MainForm& f() { return s().form; }

  std::vector<forms::Geometry> Layouts() {
    std::vector<forms::Geometry> out;
    for (forms::Control* c : window.LaidOutControls()) out.push_back(c->Layout());
    return out;
  }

  test::TestSession t;
  FrmMirrin window{t.s()};
};

bool Overlap(const forms::Geometry& a, const forms::Geometry& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// Every layout option keeps the controls of the entries view (and the
// progress bar, shown while lists fill) apart and inside the window.
TEST_F(FrmMirrinTest, EveryLayoutOptionKeepsTheControlsApartAndInsideTheWindow) {
  for (const char* gui : {"0", "1", "2"}) {
    for (const char* height : {"0", "1"}) {
      test::TestSession fresh;
      FrmMirrin w(fresh.s());
      fresh.s().settings.GUI = gui;
      fresh.s().settings.GUIHeight = height;
      w.SetGUI();
      std::vector<forms::Control*> shown;
      for (forms::Control* c : w.LaidOutControls()) {
        if (c->Visible() || c == &fresh.s().form.txtStatus) shown.push_back(c);
      }
      for (size_t i = 0; i < shown.size(); ++i) {
        const forms::Geometry& a = shown[i]->Layout();
        EXPECT_GT(a.width, 0);
        EXPECT_LE(a.left + a.width, w.frame.width - 200) << gui << height << " control " << i;
        EXPECT_LE(a.top + a.height, w.frame.height - 600) << gui << height << " control " << i;
        for (size_t j = i + 1; j < shown.size(); ++j) {
          EXPECT_FALSE(Overlap(a, shown[j]->Layout())) << gui << height << " controls " << i << ", " << j;
        }
      }
    }
  }
}

TEST_F(FrmMirrinTest, UnknownLayoutOptionsActAsZeroAndAreRewrittenAsZero) {
  const std::vector<forms::Geometry> before = Layouts();
  const WindowFrame frame = window.frame;
  s().settings.GUI = "3";
  s().settings.GUIHeight = "2";
  window.SetGUI();
  EXPECT_EQ(s().settings.GUI, "0");
  EXPECT_EQ(s().settings.GUIHeight, "0");
  EXPECT_EQ(Layouts(), before);
  EXPECT_EQ(window.frame.width, frame.width);
}

// Options changed in the Configure dialog give the layout a start with
// them would give, at the window's present size.
TEST_F(FrmMirrinTest, ChangedLayoutOptionsApplyAtOnce) {
  const WindowFrame bigger{12000, 14000, false};
  auto startAt = [&](FrmMirrin& w, const WindowFrame& size) {
    w.SetGUI();
    w.InitResizer(true);
    w.Resized(size.height, size.width);  // the first resize is skipped
    w.Resized(size.height, size.width);
  };
  startAt(window, bigger);
  s().settings.GUI = "2";
  s().settings.GUIHeight = "1";
  window.ApplyLayoutOptions();
  EXPECT_EQ(window.frame.width, bigger.width);

  test::TestSession fresh;
  FrmMirrin restarted(fresh.s());
  fresh.s().settings.GUI = "2";
  fresh.s().settings.GUIHeight = "1";
  startAt(restarted, bigger);
  auto expected = [&] {
    std::vector<forms::Geometry> out;
    for (forms::Control* c : restarted.LaidOutControls()) out.push_back(c->Layout());
    return out;
  };
  EXPECT_EQ(Layouts(), expected());
  // And the next resize is followed.
  window.Resized(9000, 11000);
  restarted.Resized(9000, 11000);
  EXPECT_EQ(Layouts(), expected());
}

TEST_F(FrmMirrinTest, WideLayoutWithTallDetailPanes) {
  s().settings.GUI = "2";
  s().settings.GUIHeight = "1";
  window.SetGUI();
  EXPECT_EQ(window.frame.width, 11355);
  EXPECT_EQ(f().txtStatus.Layout().width, 10815);
  EXPECT_EQ(f().UserLeft.Layout().left, 120);
  EXPECT_EQ(f().Combo1.Layout().left, 5040);
  EXPECT_EQ(f().cmdSwitch.Layout().left, 4800);
  for (forms::Control* c : {static_cast<forms::Control*>(&f().List2m), static_cast<forms::Control*>(&f().line2)}) {
    EXPECT_EQ(c->Layout().left, 6840);
    EXPECT_EQ(c->Layout().width, 4215);
  }
  EXPECT_EQ(f().List1.Layout().height, 2985);
  EXPECT_EQ(f().numrec2.Layout().top, 3720);
  EXPECT_EQ(f().txt1Desc.Layout().top, 3960);
  EXPECT_EQ(f().line1.Layout().top, 4560);
  EXPECT_EQ(f().line1.Layout().height, 3015);
  // Two columns of buttons, one row per operation.
  EXPECT_EQ(f().mleft.Layout().left, 4440);
  EXPECT_EQ(f().mright.Layout().left, 5640);
  EXPECT_EQ(f().mright.Layout().top, 3000);
  EXPECT_EQ(f().pLeft.Layout().top, 1080);
  EXPECT_EQ(f().chkArchive.Layout().top, 3480);
  EXPECT_EQ(f().chkArchive.Layout().left, 5040);
}

TEST_F(FrmMirrinTest, CategoriesViewShowsOnlyAddAndDelete) {
  s().settings.EnableMultiSelect = true;
  window.UseEntryLists();
  f().Combo1.SetListIndex(1);
  for (forms::Button* b : f().AllTransferButtons()) b->SetEnabled(false);

  f().cmdSwitch.Press();
  EXPECT_TRUE(s().window.categoriesView);
  std::vector<forms::Button*> shown;
  for (forms::Button* b : f().AllTransferButtons()) {
    if (b->Visible()) shown.push_back(b);
  }
  EXPECT_EQ(shown, (std::vector<forms::Button*>{&f().aleft, &f().aright, &f().dleft, &f().dright}));
  EXPECT_TRUE(f().aleft.Enabled());
  EXPECT_TRUE(f().aright.Enabled());
  EXPECT_FALSE(f().chkArchive.Visible());
  EXPECT_FALSE(f().cmdNotes.Visible());
  EXPECT_FALSE(f().line1.Visible());
  EXPECT_EQ(f().cmdSwitch.Caption(), "&Show Entries");
  EXPECT_EQ(f().txt2Desc.MaxLength(), 15);
  EXPECT_EQ(f().List1.FontName(), "Fixedsys");
  // Categories are listed in the single-selection lists.
  EXPECT_EQ(&s().List(kLeft), &f().List1);
  EXPECT_TRUE(f().List1.Visible());
  EXPECT_FALSE(f().List1m.Visible());
  EXPECT_EQ(f().Combo1.ListIndex(), 1);

  f().cmdSwitch.Press();
  EXPECT_FALSE(s().window.categoriesView);
  for (forms::Button* b : f().AllTransferButtons()) EXPECT_TRUE(b->Visible());
  EXPECT_TRUE(f().chkArchive.Visible());
  EXPECT_TRUE(f().cmdNotes.Visible());
  EXPECT_TRUE(f().line2.Visible());
  EXPECT_EQ(f().cmdSwitch.Caption(), "&Show Categories");
  EXPECT_EQ(f().txt1Desc.MaxLength(), 0);
  EXPECT_EQ(f().List1.FontName(), "MS Sans Serif");
  EXPECT_EQ(&s().List(kRight), &f().List2m);
  EXPECT_FALSE(f().List2.Visible());
  EXPECT_TRUE(f().List2m.Visible());
}

TEST_F(FrmMirrinTest, SwitchingViewsLaysTheWindowOutAgain) {
  window.InitResizer(true);
  window.Resized(window.frame.height, window.frame.width);  // the first one is skipped
  const forms::Geometry recorded = f().List1.Layout();
  f().List1.SetTop(recorded.top + 999);
  f().cmdSwitch.Press();
  EXPECT_EQ(f().List1.Layout(), recorded);

  window.Resized(window.frame.height, window.frame.width * 2);
  EXPECT_EQ(f().List1.Layout().width, recorded.width * 2);
}

TEST_F(FrmMirrinTest, UserFieldsLoadTheirSideWithTheWindowsHooks) {
  std::vector<Side> dateCountsShown;
  window.loadHooks.showDateCount = [&](Side side, int32_t) { dateCountsShown.push_back(side); };
  for (Side side : kSides) {
    const std::string dir = t.dir.File(side == kLeft ? "UserA" : "UserB");
    test::WriteUserFolder(dir, {.dates = 2});
    (side == kLeft ? s().settings.UserDir1 : s().settings.UserDir2) = dir;
  }
  f().UserRight.SetText("UserB");
  f().UserLeft.SetText("UserA");
  EXPECT_TRUE(t.store(kLeft).loaded);
  EXPECT_TRUE(t.store(kRight).loaded);
  EXPECT_EQ(dateCountsShown, (std::vector<Side>{kRight, kLeft}));
  EXPECT_TRUE(f().Combo1.Enabled());
}

TEST_F(FrmMirrinTest, ListEventsReachTheSelectionAndKeyRoutines) {
  for (Side side : kSides) {
    forms::ListBox& list = s().List(side);
    list.AddItem("row", 41);
    list.UserClick(0);
    EXPECT_EQ(s().window.currentIndex[side], 41);
  }
  f().List2.UserKeyDown(17);
  EXPECT_TRUE(s().window.pairing);
  EXPECT_TRUE(s().window.held);
  f().List2.UserKeyUp(17);
  EXPECT_FALSE(s().window.pairing);
  EXPECT_FALSE(s().window.held);

  f().cmdNotes.Press();
  EXPECT_TRUE(s().window.notesMode);
}

}  // namespace
}  // namespace mirrin
