#pragma once
// The category pop-up menu: a right click on a selected row of an entry
// list offers that side's categories of the shown kind and gives the chosen
// one to every selected record of the side.
#include <cstdint>
#include <string>
#include <vector>

#include "mainwindow/session.h"

namespace mirrin {

class cPopupMenu {
 public:
  explicit cPopupMenu(Platform& platform) : platform_(platform) {}

  // Shows the texts as a pop-up menu at the mouse position (an item whose
  // trimmed text is "-" is a separator) and returns the chosen item's
  // index, or -1 when the menu was dismissed.
  int32_t Popup(const std::vector<std::string>& items);

 private:
  Platform& platform_;
};

// List rows are 13 pixels (195 twips) high.
inline constexpr int kListRowTwips = 15 * 13;

// The right mouse button went down on the side's entry list, yTwips below
// the list's top edge.
void ListRightClick(Session& s, Side side, int yTwips);
// The same for a toolkit that knows the row under the mouse (-1 below the
// last row): told in rows of the classic height from the top row.
void ListRightClickRow(Session& s, Side side, int row);

}  // namespace mirrin
