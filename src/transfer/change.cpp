#include <array>

#include "mainwindow/detail.h"
#include "mainwindow/listdisplay.h"
#include "startup/errorreport.h"
#include "transfer/listops.h"
#include "transfer/transfer.h"

namespace mirrin {

void ChangeAcross(Session& s, Side target) {
  TrapErrors(s.platform, target == kLeft ? "cleft" : "cright", [&] {
    // The lists hold categories there, not records.
    if (s.window.categoriesView) return;
    const Side source = Other(target);
    const std::optional<Kind> kind = s.ShownKind();
    if (kind) {
      // No suffix: the target keeps the one it carries.
      CategoriesNotAdded notAdded;
      CopyRecord(s, *kind, source, s.window.currentIndex[source], s.window.currentIndex[target], "",
                 notAdded);
      TellCategoriesNotAdded(s, target, *kind, notAdded, true);
      s.Store(target).Changed(*kind) = true;
    }
    s.controls.saveItem.SetEnabled(true);
    std::array<ListPlace, 2> places;
    for (Side side : kSides) {
      places[side] = RememberPlace(s.List(side));
      RemoveSelectedRows(s, side);
    }
    WriteCountLabels(s);
    for (Side side : kSides) ClearDetail(s, side);
    UpdateLists(s);
    DisableTransferButtons(s);
    const Side last = s.window.lastUsedLeft ? kLeft : kRight;
    RestorePlace(s.List(last), places[last], false);
  });
}

}  // namespace mirrin
