#pragma once
// The proportional resizer: records every control's geometry once and, on
// each resize, lays all of them out again scaled to the window's new size.
// Pure geometry, so it can be tested without a screen.
#include <vector>

#include "forms/control.h"
#include "platform/platform.h"

namespace mirrin {

// The window's outer size in twips and whether it is maximised.
struct WindowFrame {
  int height = 0;
  int width = 0;
  bool maximised = false;
};

// Title bar, menu bar and borders of the classic window, in twips: a frame
// is the client area plus these, whatever the toolkit draws around it.
inline constexpr int kNonClientHeight = 690;
inline constexpr int kNonClientWidth = 120;

class Resizer {
 public:
  // Records the frame's size and every control's geometry. Unless keepSize
  // is given or the window is maximised, the window is then scaled from the
  // design screen (15360 x 11520 twips) to the real one and the controls
  // with it. The next resize event (the window's first showing) is skipped.
  void Init(WindowFrame& frame, std::vector<forms::Control*> controls, const ScreenSize& screen,
            bool keepSize = false);

  // Lays every recorded control out for the frame's current size, starting
  // from the recorded values, so geometry set in between is replaced. A
  // frame below half its recorded height or width is enlarged to that half.
  void Resize(WindowFrame& frame);

 private:
  void LayOut(WindowFrame& frame);

  struct Recorded {
    forms::Control* control;
    forms::Geometry geometry;
  };

  int height0_ = 0;
  int width0_ = 0;
  std::vector<Recorded> recorded_;
  bool skipNextResize_ = false;
};

}  // namespace mirrin
