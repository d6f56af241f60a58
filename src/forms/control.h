#pragma once
// What every control model has: enabled and visible flags, and a listener
// through which the toolkit binding hears of every change the program makes,
// so it can update its widget (with its own signals blocked).
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace mirrin::forms {

// Key codes as the classic toolkits number them: letters and digits are
// their ASCII codes, F1..F12 follow on from F1.
enum class KeyCode : int32_t {
  None = 0,
  Backspace = 8,
  Tab = 9,
  Enter = 13,
  Shift = 16,
  Ctrl = 17,
  Alt = 18,
  Escape = 27,
  Space = 32,
  PageUp = 33,
  PageDown = 34,
  End = 35,
  Home = 36,
  Left = 37,
  Up = 38,
  Right = 39,
  Down = 40,
  Insert = 45,
  Delete = 46,
  A = 65,
  F1 = 112,
};

// Position and size in twips, as the classic forms lay controls out. A line
// shape keeps Y1, X1, Y2, X2 in top, left, height, width: they scale alike.
struct Geometry {
  int top = 0;
  int left = 0;
  int height = 0;
  int width = 0;
  int fontSize = 8;

  bool operator==(const Geometry&) const = default;
};

class Control {
 public:
  virtual ~Control() = default;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on) { Set(enabled_, on); }
  bool Visible() const { return visible_; }
  void SetVisible(bool on) { Set(visible_, on); }

  const Geometry& Layout() const { return geometry_; }
  void SetLayout(const Geometry& g) { Set(geometry_, g); }
  void SetTop(int top) { SetField(&Geometry::top, top); }
  void SetLeft(int left) { SetField(&Geometry::left, left); }
  void SetHeight(int height) { SetField(&Geometry::height, height); }
  void SetWidth(int width) { SetField(&Geometry::width, width); }
  const std::string& FontName() const { return fontName_; }
  void SetFontName(std::string name) { Set(fontName_, name); }

  // Key events; the binding forwards the operator's keys here.
  void UserKeyDown(KeyCode key) const {
    if (onKeyDown) onKeyDown(key);
  }
  void UserKeyUp(KeyCode key) const {
    if (onKeyUp) onKeyUp(key);
  }
  std::function<void(KeyCode key)> onKeyDown;
  std::function<void(KeyCode key)> onKeyUp;

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
  void SetField(int Geometry::*field, int value) {
    Geometry g = geometry_;
    g.*field = value;
    SetLayout(g);
  }

  bool enabled_ = true;
  bool visible_ = true;
  Geometry geometry_;
  std::string fontName_ = "MS Sans Serif";
  std::function<void()> view_;
};

}  // namespace mirrin::forms
