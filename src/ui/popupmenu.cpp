#include "ui/popupmenu.h"

#include "mainwindow/listdisplay.h"
#include "startup/config.h"

namespace mirrin {

namespace {

bool IsSeparator(const std::string& item) { return TrimBlanks(item) == "-"; }

// Whether the kind's categories are shown (and so may be given).
bool CategoriesShown(const Settings& set, Kind kind) {
  switch (kind) {
    case Kind::Dates:
      return set.ShowDatebookCategories;
    case Kind::Contacts:
      return set.ShowCategories;
    case Kind::Memos:
      return set.ShowMemoCategories;
    case Kind::ToDos:
      return set.ShowToDoCategories;
    case Kind::Custom:
      break;
  }
  return true;
}

}  // namespace

int32_t cPopupMenu::Popup(const std::vector<std::string>& items) {
  const std::optional<int> chosen = platform_.PopupMenu(items);
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(items.size())) return -1;
  // A separator cannot be chosen.
  if (IsSeparator(items[static_cast<size_t>(*chosen)])) return -1;
  return *chosen;
}

void ListRightClick(Session& s, Side side, int yTwips) {
  if (yTwips < 0) return;
  forms::ListBox& list = s.List(side);
  // Whole rows: a click on the lower half of a row is still that row.
  const int row = list.TopIndex() + yTwips / kListRowTwips;
  if (row >= list.ListCount() || list.SelCount() == 0 || !list.Selected(row)) return;

  const std::optional<Kind> kind = s.ShownKind();
  if (s.window.categoriesView || !kind || !CategoriesShown(s.settings, *kind)) return;

  std::vector<std::string> names;
  std::vector<int32_t> indexes;
  const KindHeader& header = s.Store(side).Header(*kind);
  for (size_t t = 0; t < header.Categories.size(); ++t) {
    if (header.Deleted(t)) continue;
    names.push_back(header.Categories[t].LongName);
    indexes.push_back(header.Categories[t].Index);
  }
  const int32_t chosen = cPopupMenu(s.platform).Popup(names);
  if (chosen < 0) return;
  const std::string name = names[static_cast<size_t>(chosen)];
  const int32_t index = indexes[static_cast<size_t>(chosen)];

  if (list.SelCount() < 2) {
    UpdateCategory(s, side, name, index, row);
    return;
  }
  for (int r = 0; r < list.ListCount(); ++r) {
    if (!list.Selected(r)) continue;
    s.window.currentIndex[side] = static_cast<int16_t>(list.ItemData(r));
    UpdateCategory(s, side, name, index, r);
  }
}

void ListRightClickRow(Session& s, Side side, int row) {
  forms::ListBox& list = s.List(side);
  const int shown = row < 0 ? list.ListCount() : row;
  ListRightClick(s, side, (shown - list.TopIndex()) * kListRowTwips + kListRowTwips / 2);
}

}  // namespace mirrin
