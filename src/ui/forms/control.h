#pragma once
// What every control model has: enabled and visible flags, and a listener
// through which the toolkit binding hears of every change the program makes,
// so it can update its widget (with its own signals blocked).
#include <functional>
#include <utility>

namespace mirrin::forms {

class Control {
 public:
  virtual ~Control() = default;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { Set(enabled_, on); }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { Set(visible_, on); }

  void SetViewListener(std::function<void()> listener) { view_ = std::move(listener); }

 protected:
  void NotifyView() const {
    if (view_) view_();
  }
  template <typename T>
  void Set(T& field, const T& value) {
    if (field == value) return;
    field = value;
    NotifyView();
  }
  // Event handlers run synchronously, as in the classic toolkits.
  static void Fire(const std::function<void()>& handler) {
    if (handler) handler();
  }

 private:
  bool enabled_ = true;
  bool visible_ = true;
  std::function<void()> view_;
};

}  // namespace mirrin::forms
