#pragma once
// A drop-down list (optionally with an editable text). Selecting a row, by
// the program or the operator, fires Click; typing or setting a text that
// is no row of an editable box fires Change.
#include <functional>
#include <string>
#include <utility>

#include "forms/itemlist.h"

namespace mirrin::forms {

class ComboBox : public ItemList {
 public:
  explicit ComboBox(bool sorted = false, bool editable = false) : ItemList(sorted), editable_(editable) {}

  int AddItem(std::string text, int32_t itemData = 0) { return InsertRow(std::move(text), itemData); }
  void RemoveItem(int index) { EraseRow(index); }
  // Empties the rows and the text; fires nothing.
  void Clear();

  int ListIndex() const { return FocusRow(); }
  // -1..ListCount()-1, else error 380; Click runs once when it changes.
  void SetListIndex(int index);

  // The selected row's text, or an editable box's own text.
  const std::string& Text() const { return text_; }
  // Selects the first row whose text matches without regard to case (Click
  // as for SetListIndex). Otherwise an editable box takes the text (Change
  // when it differs); a drop-down list raises error 383.
  void SetText(std::string text);

  // The operator picked a row from the list: Click runs even if it was
  // already selected.
  void UserSelect(int index);

  std::function<void()> onClick;
  std::function<void()> onChange;

 private:
  bool editable_;
  std::string text_;
};

}  // namespace mirrin::forms
