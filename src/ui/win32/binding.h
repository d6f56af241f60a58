#pragma once
// Classic USER32 controls bound to the form models. Each binding listens
// to its model and copies every change the program makes onto its control,
// ignoring the notifications that copying causes; what the operator does
// goes to the model's user methods (UserClick, UserType, UserSelect,
// Press), so no handler runs twice.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/combobox.h"
#include "forms/controls.h"
#include "forms/listbox.h"

namespace mirrin::win32 {

// The classic forms measure in twips, 15 to a pixel at the desktop's
// usual 96 dots per inch.
inline constexpr int kTwipsPerPixel = 15;
RECT PixelRect(const forms::Geometry& g);

// The font for a model's font name and size: "Fixedsys" a fixed-pitch
// face, any other name the desktop's message font, sizes in points of the
// classic forms scaled to the desktop's size and the window's growth.
// Owned by a cache that lives as long as the program.
// Unscaled fonts are for windows laid out in fixed pixels (the dialogs).
HFONT FontFor(const std::string& name, int pointSize, bool italic = false, bool bold = false,
              bool scaled = true);
// How much larger than at its first size the window is drawn; bound
// controls take it at their next sync.
void SetFontScale(double scale);
double FontScale();

// Runs what the operator started. ProgramEnd leaves the message loops
// with its exit code (a window procedure must not throw); any other error
// that got past the routines' own traps is shown, and the window stays.
void RunUserAction(const std::function<void()>& action);
// Runs after every action of the operator that ended normally.
void SetAfterUserAction(std::function<void()> hook);
// The exit code of the ProgramEnd that RunUserAction caught, if any.
std::optional<int> TakeProgramEnd();
bool ProgramEnding();

// Lists are copied from their models once a change is done (at the end of
// the operator's action, before a message box, when pending messages run),
// so selecting 30,000 rows one by one costs one update.
void FlushPendingViews();

// A key the classic forms know (their codes are the virtual-key codes).
forms::KeyCode ClassicKeyCode(WPARAM virtualKey);

enum class TextStyle {
  SingleLine,
  MultiLine,
  Display,  // shows the model's text; the operator cannot type in it
};

class Binding;

// The child controls of one window bound to control models. Placed views
// put them where the controls' twips say; others leave it to the window
// (the dialogs lay themselves out).
class FormView {
 public:
  FormView(HWND parent, bool placed);
  ~FormView();
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;

  HWND AddList(forms::ListBox& list);
  HWND AddCombo(forms::ComboBox& combo);
  HWND AddText(forms::TextBox& box, TextStyle style);
  HWND AddLabel(forms::Label& label, DWORD extraStyle = 0);
  // A text box whose text is a growing row of characters, drawn as a bar;
  // full gives the row's length when the work is done.
  HWND AddProgress(forms::TextBox& box, std::function<int()> full);
  HWND AddCheck(forms::CheckBox& check);
  HWND AddButton(forms::Button& button);

  // The control bound to a model, nullptr when none.
  HWND HwndOf(const forms::Control& control) const;
  // A list's right mouse button went down on a row (-1 below the last).
  void OnRightButton(const forms::ListBox& list, std::function<void(int row)> handler);
  // Called when a text box loses the focus.
  void OnLeave(const forms::TextBox& box, std::function<void()> handler);
  // Copies every model onto its control again (after a new font scale).
  void SyncAll();

  // The parent's WM_COMMAND, WM_CTLCOLOR* and WM_DRAWITEM for its bound
  // children; true when handled, with the message's result.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

 private:
  HWND Create(const wchar_t* className, DWORD style, DWORD exStyle = 0);
  template <class B, class C, class... Args>
  HWND Bind(C& control, HWND hwnd, Args&&... args);

  HWND parent_;
  bool placed_;
  int nextId_ = 100;
  std::vector<std::unique_ptr<Binding>> bindings_;
  std::map<HWND, Binding*> byHwnd_;
  std::map<const forms::Control*, Binding*> byControl_;
};

// Menus have no geometry: the window rebuilds its menu bar from the items
// whenever one of them changes (captions, enabled, visible, checked).
class MenuBar {
 public:
  explicit MenuBar(HWND window) : window_(window) {}
  ~MenuBar();
  MenuBar(const MenuBar&) = delete;
  MenuBar& operator=(const MenuBar&) = delete;

  // A drop-down menu under title; a null item is a separator.
  void AddMenu(forms::MenuItem& title, std::vector<forms::MenuItem*> items);
  // Builds the bar and follows the items from now on.
  void Attach();
  // The menu command of the item, 0 when it has none.
  UINT CommandOf(const forms::MenuItem& item) const;
  // WM_COMMAND from a menu or accelerator; true when it was one of ours.
  bool HandleCommand(UINT command);

 private:
  void Rebuild();

  struct Menu {
    forms::MenuItem* title;
    std::vector<forms::MenuItem*> items;
  };
  HWND window_;
  std::vector<Menu> menus_;
  std::vector<forms::MenuItem*> commands_;  // command id = kFirstCommand + index
  HMENU bar_ = nullptr;
};

// A window's Visible flag: hiding the model hides the window; showing it
// shows the window unless a modal loop does that.
class WindowVisibility {
 public:
  WindowVisibility(HWND window, forms::Control& control, bool showOnVisible);
  ~WindowVisibility();
  WindowVisibility(const WindowVisibility&) = delete;
  WindowVisibility& operator=(const WindowVisibility&) = delete;

 private:
  void Sync();
  HWND window_;
  forms::Control& control_;
  bool showOnVisible_;
};

}  // namespace mirrin::win32
