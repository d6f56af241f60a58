#pragma once
// The rows shared by list boxes and drop-down lists: text, one 32-bit item
// data value each, kept in ascending case-insensitive order when sorted.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "forms/control.h"

namespace mirrin::forms {

// Case-insensitive (ASCII letters), bytes above 127 by value.
bool TextLess(const std::string& a, const std::string& b);

class ItemList : public Control {
 public:
  explicit ItemList(bool sorted) : sorted_(sorted) {}

  bool Sorted() const { return sorted_; }
  int ListCount() const { return static_cast<int>(rows_.size()); }
  // Out of range: error 381.
  const std::string& List(int index) const;
  int32_t ItemData(int index) const;
  void SetItemData(int index, int32_t data);
  void SetList(int index, std::string text);
  // Position of the row added last, -1 when none.
  int NewIndex() const { return newIndex_; }

 protected:
  struct Row {
    std::string text;
    int32_t itemData = 0;
    bool selected = false;
    bool focus = false;  // the ListIndex row
  };

  // Sorted lists place the row after the rows that compare equal, so equal
  // texts keep the order they were added in.
  int InsertRow(std::string text, int32_t itemData);
  int InsertRowAt(int index, std::string text, int32_t itemData);
  // Many rows at once, placed exactly as one-by-one insertion would.
  void InsertRows(std::vector<std::pair<std::string, int32_t>> items);
  void EraseRow(int index);
  void ClearRows();
  int FocusRow() const;
  void CheckIndex(int index) const;

  std::vector<Row> rows_;

 private:
  bool sorted_;
  int newIndex_ = -1;
};

}  // namespace mirrin::forms
