#pragma once
// What every control model has: enabled and visible flags, and a listener
// through which the toolkit binding hears of every change the program makes,
// so it can update its widget (with its own signals blocked).
#include <functional>
#include <string>
#include <utility>

namespace mirrin::forms {

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

  // Key events of the classic toolkits (key codes as theirs: 17 Ctrl, 32
  // space, 65 A); the binding forwards the operator's keys here.
  void UserKeyDown(int keyCode) const {
    if (onKeyDown) onKeyDown(keyCode);
  }
  void UserKeyUp(int keyCode) const {
    if (onKeyUp) onKeyUp(keyCode);
  }
  std::function<void(int keyCode)> onKeyDown;
  std::function<void(int keyCode)> onKeyUp;

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
