#include "startup/errorreport.h"
#include "transfer/copyrules.h"
#include "transfer/listops.h"
#include "transfer/transfer.h"

namespace mirrin {

void MakePrivate(Session& s, Side side) {
  TrapErrors(s.platform, side == kLeft ? "pLeft" : "pright", [&] {
    // The lists hold categories there, not records.
    if (s.window.categoriesView) return;
    const std::optional<Kind> kind = s.ShownKind();
    // Custom records have no private flag.
    if (kind && *kind != Kind::Custom) {
      UserStore& store = s.Store(side);
      for (int32_t index : SelectedRecords(s.List(side))) {
        CommonFields& r = *CommonOf(store, *kind, index);
        if (r.Status == kStatusUnchanged) r.Status = kStatusModified;
        r.Private = true;
      }
      store.Changed(*kind) = true;
    }
    s.controls.saveItem.SetEnabled(true);
    TakeRowsOut(s, side);
  });
}

}  // namespace mirrin
