#include "mainwindow/detail.h"
#include "mainwindow/listdisplay.h"
#include "startup/errorreport.h"
#include "transfer/listops.h"
#include "transfer/transfer.h"

namespace mirrin {

void MoveAcross(Session& s, Side target) {
  TrapErrors(s.platform, target == kLeft ? "mleft" : "mright", [&] {
    if (s.window.categoriesView) return;
    const Side source = Other(target);
    forms::ListBox& list = s.List(source);
    const std::optional<Kind> kind = s.ShownKind();
    int moved = 0;
    if (kind) {
      // Nothing is deleted that could not be added.
      if (!RoomFor(s, *kind, target, static_cast<size_t>(list.SelCount()))) return;
      moved = AddSelected(s, *kind, source);
      DeleteSelected(s, source, *kind);
      for (Side side : kSides) s.Store(side).Changed(*kind) = true;
      s.controls.saveItem.SetEnabled(true);
    }
    s.Store(target).total += moved;
    s.Store(source).total -= moved;
    WriteCountLabels(s);
    const ListPlace place = RememberPlace(list);
    // Choosing the kind again rebuilds both lists: the moved records now
    // show on the target side only.
    const int kindRow = s.controls.kindSelector.ListIndex();
    s.controls.kindSelector.SetListIndex(0);
    s.controls.kindSelector.SetListIndex(kindRow);
    WriteCountLabels(s);
    for (Side side : kSides) ClearDetail(s, side);
    UpdateLists(s);
    DisableTransferButtons(s);
    RestorePlace(list, place, true);
  });
}

}  // namespace mirrin
