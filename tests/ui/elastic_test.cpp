#include "ui/elastic.h"

#include <gtest/gtest.h>

#include "ui/forms/controls.h"

namespace mirrin {
namespace {

forms::Geometry Box(int top, int left, int height, int width, int fontSize = 8) {
  return {top, left, height, width, fontSize};
}

class ElasticTest : public ::testing::Test {
 protected:
  ElasticTest() {
    list.SetLayout(Box(600, 120, 4350, 3975));
    button.SetLayout(Box(1080, 4500, 375, 1155, 10));
  }

  void Init(bool keepSize = true) { elastic.Init(frame, {&list, &button}, screen, keepSize); }
  void Resize(int height, int width) {
    frame.height = height;
    frame.width = width;
    elastic.FormResize(frame);
  }

  forms::Label list;
  forms::Button button;
  WindowFrame frame{8400, 10000, false};
  ScreenSize screen{15360, 11520};
  class_Elastic elastic;
};

TEST_F(ElasticTest, ScalesFromTheRecordedValuesLeavingFontsAlone) {
  Init();
  Resize(8400, 10000);  // skipped
  // 400 twips of caption and menu do not scale: (16400 - 400) / (8400 - 400) = 2.
  Resize(16400, 15000);
  EXPECT_EQ(list.Layout(), Box(1200, 180, 8700, 5963));
  EXPECT_EQ(button.Layout(), Box(2160, 6750, 750, 1733, 10));

  // Geometry set in between is replaced by the recorded values scaled.
  button.SetLayout(Box(50, 50, 50, 50, 12));
  Resize(8400, 10000);
  EXPECT_EQ(button.Layout(), Box(1080, 4500, 375, 1155, 12));
}

TEST_F(ElasticTest, WindowNoTallerThanTheFixedPartKeepsVerticalGeometry) {
  frame = {300, 10000, false};
  Init();
  Resize(300, 10000);
  Resize(300, 20000);
  EXPECT_EQ(list.Layout(), Box(600, 240, 4350, 7950));
}

}  // namespace
}  // namespace mirrin
