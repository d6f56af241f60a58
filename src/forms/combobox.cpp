#include "forms/combobox.h"

#include "palmdata/errors.h"

namespace mirrin::forms {

void ComboBox::Clear() {
  ClearRows();
  text_.clear();
}

void ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) {
    throw RunError(err::InvalidPropertyValue, "Invalid property value", "ListIndex " + std::to_string(index));
  }
  if (index == ListIndex()) return;
  UserSelect(index);
}

void ComboBox::SetText(std::string text) {
  for (int i = 0; i < ListCount(); ++i) {
    const std::string& row = rows_[static_cast<size_t>(i)].text;
    if (!TextLess(row, text) && !TextLess(text, row)) {
      SetListIndex(i);
      return;
    }
  }
  if (!editable_) throw RunError(err::ReadOnlyProperty, "'Text' property is read-only", text);
  for (Row& r : rows_) r.focus = r.selected = false;
  if (text == text_) return;
  text_ = std::move(text);
  NotifyView();
  Fire(onChange);
}

void ComboBox::UserSelect(int index) {
  if (index != -1) CheckIndex(index);
  for (int i = 0; i < ListCount(); ++i) {
    Row& r = rows_[static_cast<size_t>(i)];
    r.focus = r.selected = i == index;
  }
  text_ = index < 0 ? std::string() : rows_[static_cast<size_t>(index)].text;
  NotifyView();
  Fire(onClick);
}

}  // namespace mirrin::forms
