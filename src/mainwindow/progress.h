#pragma once
// The status row under the lists: ':' characters appended as long work goes
// on, repainted only when it grew. The window draws the row as a bar once the
// work has lasted a moment; the row is as long as the kind selection makes it.
#include <cstddef>
#include <string>

#include "mainwindow/session.h"

namespace mirrin {

class StatusProgress {
 public:
  // total: the units of work to come; the row is emptied and shown.
  StatusProgress(Session& s, size_t total)
      : s_(s), total_(total == 0 ? 1 : total), width_(s.settings.GUI == "2" ? 89 : 74) {
    s_.controls.progress.SetText("");
    s_.controls.progress.SetVisible(true);
  }

  void Step(size_t units = 1) {
    done_ += units;
    const size_t want =
        done_ >= total_ ? width_ : (width_ * done_ + total_ - 1) / total_;  // at least W * n / N
    const std::string& text = s_.controls.progress.Text();
    if (text.size() >= want) return;
    s_.controls.progress.SetText(text + std::string(want - text.size(), ':'));
    s_.platform.DoEvents();
  }

 private:
  Session& s_;
  size_t total_;
  size_t width_;
  size_t done_ = 0;
};

}  // namespace mirrin
