#include "ui/listkeys.h"

#include <algorithm>

namespace mirrin {

int ListNavigationTarget(const forms::ListBox& list, forms::KeyCode key, int pageRows) {
  using K = forms::KeyCode;
  const int count = list.ListCount();
  if (count == 0) return -1;
  const int current = list.ListIndex();
  const int page = std::max(1, pageRows);
  switch (key) {
    case K::Up:
    case K::Left:
      return std::max(0, current - 1);
    case K::Down:
    case K::Right:
      return std::min(count - 1, current + 1);
    case K::PageUp:
      return std::max(0, current - page);
    case K::PageDown:
      return std::min(count - 1, std::max(0, current) + page);
    case K::Home:
      return 0;
    case K::End:
      return count - 1;
    default:
      return -1;
  }
}

void ListNavigate(forms::ListBox& list, forms::KeyCode key, int pageRows) {
  const int target = ListNavigationTarget(list, key, pageRows);
  if (target < 0) return;
  if (target == list.ListIndex() && list.SelCount() == 1 && list.Selected(target)) return;
  list.UserClick(target);
}

}  // namespace mirrin
