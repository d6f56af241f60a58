#include "ui/resizer.h"

#include <gtest/gtest.h>

#include "forms/controls.h"

namespace mirrin {
namespace {

// No taller than its caption and menu: nothing to scale vertically, and no
// division by what is left.
TEST(ResizerTest, WindowNoTallerThanTheFixedPartKeepsVerticalGeometry) {
  forms::Label list;
  list.SetLayout({600, 120, 4350, 3975, 8});
  WindowFrame frame{300, 10000, false};
  Resizer resizer;
  resizer.Init(frame, {&list}, ScreenSize{15360, 11520}, true);
  resizer.Resize(frame);
  frame.width = 20000;
  resizer.Resize(frame);
  EXPECT_EQ(list.Layout(), (forms::Geometry{600, 240, 4350, 7950, 8}));
}

}  // namespace
}  // namespace mirrin
