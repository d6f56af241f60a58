#include "ui/frmmirrin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/session_fixture.h"

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
  EXPECT_FALSE(f().line1.Visible());
  // Categories are listed in the single-selection lists.
  EXPECT_EQ(&s().List(kLeft), &f().List1);
  EXPECT_TRUE(f().List1.Visible());
  EXPECT_FALSE(f().List1m.Visible());
  EXPECT_EQ(f().Combo1.ListIndex(), 1);

  f().cmdSwitch.Press();
  EXPECT_FALSE(s().window.categoriesView);
  for (forms::Button* b : f().AllTransferButtons()) EXPECT_TRUE(b->Visible());
  EXPECT_TRUE(f().chkArchive.Visible());
  EXPECT_TRUE(f().line2.Visible());
  EXPECT_EQ(&s().List(kRight), &f().List2m);
  EXPECT_FALSE(f().List2.Visible());
  EXPECT_TRUE(f().List2m.Visible());
}

}  // namespace
}  // namespace mirrin
