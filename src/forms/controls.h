#pragma once
// The simple control models. A change the program makes to a value that
// has an event (a text box's text, a check box's value) fires the event at
// once, as the classic toolkits do; captions and flags fire nothing.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "forms/control.h"

namespace mirrin::forms {

class Label : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { Set(caption_, caption); }

 private:
  std::string caption_;
};

class TextBox : public Control {
 public:
  const std::string& Text() const { return text_; }
  // Change runs when the text differs (also when the program sets it).
  void SetText(std::string text);

  bool Locked() const { return locked_; }
  void SetLocked(bool on) { Set(locked_, on); }
  bool Italic() const { return italic_; }
  void SetItalic(bool on) { Set(italic_, on); }
  // 0: no limit; applies to typing, not to SetText.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { Set(maxLength_, n); }
  // 0xBBGGRR as the classic colour values; the window background by default.
  uint32_t BackColor() const { return backColor_; }
  void SetBackColor(uint32_t colour) { Set(backColor_, colour); }

  // Lines (from 0, split at CR LF) shown as differing from the record on
  // the other side; a new text clears them.
  const std::vector<int>& MarkedLines() const { return marked_; }
  void SetMarkedLines(std::vector<int> lines) { Set(marked_, lines); }

  // The operator typed: ignored while locked or disabled, cut to MaxLength.
  void UserType(std::string text);

  std::function<void()> onChange;

 private:
  std::string text_;
  bool locked_ = false;
  bool italic_ = false;
  int maxLength_ = 0;
  uint32_t backColor_ = 0x80000005;  // system colour "window background"
  std::vector<int> marked_;
};

// Stored as the classic toolkits' numbers.
enum class CheckState : int32_t { Unchecked = 0, Checked = 1, Grayed = 2 };

class CheckBox : public Control {
 public:
  using enum CheckState;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { Set(caption_, caption); }
  CheckState Value() const { return value_; }
  // Click runs when the value changes (also when the program sets it).
  void SetValue(CheckState value);
  // The operator clicked: toggles between checked and unchecked when enabled.
  void UserClick();

  std::function<void()> onClick;

 private:
  std::string caption_;
  CheckState value_ = Unchecked;
};

// Buttons and menu items: a caption and a Click that the operator fires.
class Button : public Control {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { Set(caption_, caption); }
  // The operator pressed it: Click runs only when it is enabled and visible.
  void Press();

  std::function<void()> onClick;

 private:
  std::string caption_;
};

class MenuItem : public Button {
 public:
  bool Checked() const { return checked_; }
  void SetChecked(bool on) { Set(checked_, on); }

 private:
  bool checked_ = false;
};

}  // namespace mirrin::forms
