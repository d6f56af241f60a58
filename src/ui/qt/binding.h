#pragma once
// Widgets bound to the form models. Each binding listens to its model and
// copies every change the program makes onto the widget with the widget's
// signals blocked; what the operator does goes to the model's user methods
// (UserClick, UserType, UserSelect, Press), so no handler runs twice.
#include <QRect>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "forms/combobox.h"
#include "forms/controls.h"
#include "forms/listbox.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;

namespace mirrin::qt {

// The classic forms measure in twips, 15 to a pixel.
inline constexpr int kTwipsPerPixel = 15;
QRect PixelRect(const forms::Geometry& g);
// "Fixedsys" is the machine's fixed-pitch font; any other name the
// application font (the desktop's). Sizes in points of the classic forms,
// scaled to the desktop's size and the font scale.
QFont FontFor(const std::string& name, int pointSize);
// How much larger than at its first size the window is drawn; bound
// widgets take it at their next sync.
void SetFontScale(double scale);

// Runs what the operator started. ProgramEnd leaves every event loop with
// its exit code (Qt must not see the exception); any other error that got
// past the routines' own traps is shown, and the window stays usable.
void RunUserAction(const std::function<void()>& action);
// Runs after every action of the operator that ended normally (the window
// brings its status bar up to date).
void SetAfterUserAction(std::function<void()> hook);
// The exit code of the ProgramEnd that RunUserAction caught, if any; user
// actions run again after it was taken.
std::optional<int> TakeProgramEnd();

// Lists are redrawn from their models once per pass of the event loop, so
// selecting 30,000 rows one by one costs one update. Call before reading
// the views (message boxes and the operator's clicks do).
void FlushPendingViews();

enum class TextStyle {
  SingleLine,
  MultiLine,
  Display,  // shows the model's text; the operator cannot type in it
};

// A client area whose child widgets are bound to control models. Placed
// views lay them out by the controls' twips; others leave the layout to
// the caller (the dialogs use Qt layouts).
class FormView : public QWidget {
  Q_OBJECT

 public:
  explicit FormView(bool placed, QWidget* parent = nullptr);

  QListView* AddList(forms::ListBox& list);
  QComboBox* AddCombo(forms::ComboBox& combo);
  QWidget* AddText(forms::TextBox& box, TextStyle style);
  QLabel* AddLabel(forms::Label& label);
  // A text box that shows progress as a row of characters, drawn as a bar;
  // full gives the row's length when the work is done.
  QProgressBar* AddProgress(forms::TextBox& box, std::function<int()> full);
  QCheckBox* AddCheck(forms::CheckBox& check);
  QPushButton* AddButton(forms::Button& button);

  // The widget bound to a control, nullptr when none.
  QWidget* WidgetOf(const forms::Control& control) const;

 private:
  template <class B, class W, class C>
  W* Bind(C& control, W* widget);

  bool placed_;
  std::map<const forms::Control*, QWidget*> widgets_;
};

// Menu items: caption (with its & accelerator), enabled, visible, checked.
void BindAction(QAction* action, forms::MenuItem& item);
// A menu title ("&File") as a menu item: disabling it disables the menu.
void BindMenu(QMenu* menu, forms::MenuItem& item);
// A window's Visible flag: hiding it hides the widget; showing it shows it
// unless the widget is modal, which its modal loop shows.
void BindWindowVisible(QWidget* window, forms::Control& control, bool showOnVisible);

}  // namespace mirrin::qt
