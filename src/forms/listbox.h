#pragma once
// A list box model: rows with item data, single or multiple selection,
// ListIndex, TopIndex. Selection changes made by the program fire Click at
// once, as the operator's clicks do; adding and removing rows fire nothing.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "forms/itemlist.h"

namespace mirrin::forms {

class ListBox : public ItemList {
 public:
  explicit ListBox(bool sorted = true, bool multiSelect = false)
      : ItemList(sorted), multiSelect_(multiSelect) {}

  bool MultiSelect() const { return multiSelect_; }

  // Sorted lists insert by text; returns the new row's position (NewIndex).
  int AddItem(std::string text, int32_t itemData = 0) { return InsertRow(std::move(text), itemData); }
  // At a given position, whatever the sorting (as the classic AddItem with an index).
  int AddItemAt(int index, std::string text, int32_t itemData = 0) {
    return InsertRowAt(index, std::move(text), itemData);
  }
  // Bulk fill: the same order as adding the items one by one, sorted once.
  void AddItems(std::vector<std::pair<std::string, int32_t>> items) { InsertRows(std::move(items)); }
  // Rows after it move up; removing the ListIndex row leaves none selected.
  void RemoveItem(int index);
  void Clear();

  // Single selection: the selected row, -1 for none. Multiple selection:
  // the row with the focus, which need not be selected.
  int ListIndex() const { return FocusRow(); }
  // -1..ListCount()-1, else error 380. Single selection: selects that row
  // only. Multiple selection: moves the focus there and selects it, leaving
  // other rows as they are. Click runs once when anything changed.
  void SetListIndex(int index);

  bool Selected(int index) const;
  // Single selection: selecting a row is SetListIndex; deselecting the
  // selected row sets ListIndex to -1. Multiple selection: Click runs once
  // when the row's state changes.
  void SetSelected(int index, bool on);
  int SelCount() const;
  // The text of the ListIndex row, empty when none.
  std::string Text() const;

  int TopIndex() const { return topIndex_; }
  // Clamped to the rows there are; fires nothing.
  void SetTopIndex(int index);

  // The operator clicked a row: Click always runs, even on the selected row.
  // With multiple selection a plain click selects only that row and a
  // control-click toggles it.
  void UserClick(int index, bool control = false);

  std::function<void()> onClick;

 private:
  void ClampTop();

  bool multiSelect_;
  int topIndex_ = 0;
};

}  // namespace mirrin::forms
