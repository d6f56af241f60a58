#include "forms/controls.h"

#include "palmdata/errors.h"

namespace mirrin::forms {

void TextBox::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  marked_.clear();
  NotifyView();
  Fire(onChange);
}

void TextBox::UserType(std::string text) {
  if (locked_ || !Enabled()) return;
  if (maxLength_ > 0 && text.size() > static_cast<size_t>(maxLength_))
    text.resize(static_cast<size_t>(maxLength_));
  SetText(std::move(text));
}

void CheckBox::SetValue(CheckState value) {
  if (value < Unchecked || value > Grayed) {
    throw RunError(err::InvalidPropertyValue, "Invalid property value",
                   "Value " + std::to_string(static_cast<int32_t>(value)));
  }
  if (value == value_) return;
  value_ = value;
  NotifyView();
  Fire(onClick);
}

void CheckBox::UserClick() {
  if (!Enabled() || !Visible()) return;
  SetValue(value_ == Checked ? Unchecked : Checked);
}

void Button::Press() {
  if (Enabled() && Visible()) Fire(onClick);
}

}  // namespace mirrin::forms
