#pragma once
// The splash window and the two settings dialogs on Windows. Their controls
// are the models'; the layout is the binding's own, since the dialogs'
// geometry is not part of the models.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/configuredialog.h"
#include "ui/splash.h"
#include "ui/usersdialog.h"
#include "ui/win32/binding.h"

namespace mirrin::win32 {

// A top-level window of the program with bound controls.
class FormWindow {
 public:
  FormWindow(const std::string& title, DWORD style, DWORD exStyle, HWND owner);
  virtual ~FormWindow();
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  HWND Hwnd() const { return hwnd_; }
  FormView& Form() { return *view_; }

 protected:
  // Gives the window this client size, centred over its owner or the screen.
  void SetClientSize(int width, int height);
  // Centres the window over its owner (when shown) or the screen.
  void Center();
  // A caption that is no model's (a frame's title, a field's unit).
  HWND FixedLabel(const wchar_t* text, int x, int y, int width, int height, DWORD style = 0);
  HWND GroupBox(const wchar_t* text, int x, int y, int width, int height);
  static void Put(HWND control, int x, int y, int width, int height);
  // The window's messages after the bound controls had theirs.
  virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  std::unique_ptr<FormView> view_;
  DWORD style_;
  DWORD exStyle_;

 private:
  std::vector<HWND> groups_;
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// A modal window of the model: shown by its modal loop, hidden when the
// model hides it; closing it by the title bar leaves the model's window
// shown, which the model takes as Cancel. Enter presses OK, Escape Cancel.
class ModalDialog : public FormWindow {
 public:
  ModalDialog(ModalWindow& model, const std::string& title, HWND owner, forms::Button& ok,
              forms::Button& cancel);

 protected:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  HWND OkCancelRow(int right, int y);

  ModalWindow& model_;
  forms::Button& ok_;
  forms::Button& cancel_;

 private:
  void RunModal();
  std::unique_ptr<WindowVisibility> visibility_;
};

class ConfigureDialog : public ModalDialog {
 public:
  ConfigureDialog(ConfigureDialogModel& model, HWND owner);

 protected:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  ConfigureDialogModel& m_;
};

class ConfigUserDialog : public ModalDialog {
 public:
  ConfigUserDialog(UsersDialogModel& model, HWND owner);
};

class SplashWindow : public FormWindow {
 public:
  explicit SplashWindow(SplashModel& model);

 protected:
  // A click or any key closes the splash.
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  SplashModel& model_;
  std::unique_ptr<WindowVisibility> visibility_;
};

}  // namespace mirrin::win32
