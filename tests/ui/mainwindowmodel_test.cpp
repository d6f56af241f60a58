#include "ui/mainwindowmodel.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/session_fixture.h"

namespace mirrin {
namespace {

bool Overlap(const forms::Geometry& a, const forms::Geometry& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// Every layout option keeps the controls of the entries view (and the
// progress bar, shown while lists fill) apart and inside the window.
TEST(MainWindowLayout, EveryLayoutOptionKeepsTheControlsApartAndInsideTheWindow) {
  for (const char* gui : {"0", "1", "2"}) {
    for (const char* height : {"0", "1"}) {
      test::TestSession fresh;
      MainWindowModel w(fresh.s());
      fresh.s().settings.GUI = gui;
      fresh.s().settings.GUIHeight = height;
      w.SetGUI();
      std::vector<forms::Control*> shown;
      for (forms::Control* c : w.LaidOutControls()) {
        if (c->Visible() || c == &fresh.s().controls.progress) shown.push_back(c);
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

}  // namespace
}  // namespace mirrin
