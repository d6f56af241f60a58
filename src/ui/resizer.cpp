#include "ui/resizer.h"

#include <cmath>

namespace mirrin {

namespace {

constexpr double kDesignScreenHeight = 11520;
constexpr double kDesignScreenWidth = 15360;
// The menu bar and caption do not grow with the window.
constexpr int kFixedHeight = 400;

int Twips(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

void Resizer::Init(WindowFrame& frame, std::vector<forms::Control*> controls, const ScreenSize& screen,
                   bool keepSize) {
  height0_ = frame.height;
  width0_ = frame.width;
  recorded_.clear();
  recorded_.reserve(controls.size());
  for (forms::Control* c : controls) recorded_.push_back({c, c->Layout()});
  if (!frame.maximised && !keepSize) {
    frame.height = Twips(screen.heightTwips * static_cast<double>(height0_) / kDesignScreenHeight);
    frame.width = Twips(screen.widthTwips * static_cast<double>(width0_) / kDesignScreenWidth);
    // Scaling the window is itself a resize: the controls follow it now,
    // or they keep the design size until the operator's first resize.
    LayOut(frame);
  }
  skipNextResize_ = true;
}

void Resizer::Resize(WindowFrame& frame) {
  if (skipNextResize_) {
    skipNextResize_ = false;
    return;
  }
  LayOut(frame);
}

void Resizer::LayOut(WindowFrame& frame) {
  if (frame.height < height0_ / 2.0) frame.height = Twips(height0_ / 2.0);
  if (frame.width < width0_ / 2.0) frame.width = Twips(width0_ / 2.0);
  // Scale factors new/recorded; a window too small to hold the fixed part
  // (or nothing recorded) has no meaningful factor and keeps that direction.
  const bool vertical = height0_ > kFixedHeight && frame.height > kFixedHeight;
  const bool horizontal = width0_ > 0 && frame.width > 0;
  const double sv =
      vertical ? static_cast<double>(frame.height - kFixedHeight) / (height0_ - kFixedHeight) : 1;
  const double sh = horizontal ? static_cast<double>(frame.width) / width0_ : 1;
  for (const Recorded& r : recorded_) {
    forms::Geometry g = r.control->Layout();  // the font size stays as it is
    if (vertical) {
      g.top = Twips(r.geometry.top * sv);
      g.height = Twips(r.geometry.height * sv);
    }
    if (horizontal) {
      g.left = Twips(r.geometry.left * sh);
      g.width = Twips(r.geometry.width * sh);
    }
    r.control->SetLayout(g);
  }
}

}  // namespace mirrin
