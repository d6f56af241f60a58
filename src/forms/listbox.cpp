#include "forms/listbox.h"

#include <algorithm>

#include "palmdata/errors.h"

namespace mirrin::forms {

void ListBox::RemoveItem(int index) {
  EraseRow(index);
  ClampTop();
}

void ListBox::Clear() {
  ClearRows();
  topIndex_ = 0;
}

void ListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) {
    throw RunError(err::InvalidPropertyValue, "Invalid property value", "ListIndex " + std::to_string(index));
  }
  bool changed = false;
  for (int i = 0; i < ListCount(); ++i) {
    Row& r = rows_[static_cast<size_t>(i)];
    const bool focus = i == index;
    const bool selected = multiSelect_ ? (r.selected || focus) : focus;
    changed = changed || r.focus != focus || r.selected != selected;
    r.focus = focus;
    r.selected = selected;
  }
  if (!changed) return;
  NotifyView();
  Fire(onClick);
}

bool ListBox::Selected(int index) const {
  CheckIndex(index);
  return rows_[static_cast<size_t>(index)].selected;
}

void ListBox::SetSelected(int index, bool on) {
  CheckIndex(index);
  Row& r = rows_[static_cast<size_t>(index)];
  if (!multiSelect_) {
    if (on)
      SetListIndex(index);
    else if (r.selected)
      SetListIndex(-1);
    return;
  }
  if (r.selected == on) return;
  r.selected = on;
  NotifyView();
  Fire(onClick);
}

int ListBox::SelCount() const {
  return static_cast<int>(std::count_if(rows_.begin(), rows_.end(), [](const Row& r) { return r.selected; }));
}

std::string ListBox::Text() const {
  const int i = ListIndex();
  return i < 0 ? std::string() : rows_[static_cast<size_t>(i)].text;
}

void ListBox::SetTopIndex(int index) {
  topIndex_ = index;
  ClampTop();
  NotifyView();
}

void ListBox::ClampTop() { topIndex_ = std::clamp(topIndex_, 0, std::max(0, ListCount() - 1)); }

void ListBox::UserClick(int index, bool control) {
  CheckIndex(index);
  for (int i = 0; i < ListCount(); ++i) {
    Row& r = rows_[static_cast<size_t>(i)];
    if (i == index)
      r.selected = multiSelect_ && control ? !r.selected : true;
    else if (!(multiSelect_ && control))
      r.selected = false;
    r.focus = i == index;
  }
  NotifyView();
  Fire(onClick);
}

}  // namespace mirrin::forms
