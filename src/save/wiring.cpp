#include "save/wiring.h"

#include <array>

#include "save/restore.h"
#include "save/save.h"

namespace mirrin {

void WireSaveMenus(Session& s) {
  MainForm& f = s.form;
  f.mnuSave.onClick = [&s] { Save(s); };
  f.exitmenu.onClick = [&s] { ExitRoutine(s); };
  f.cmdExit.onClick = [&s] { ExitRoutine(s); };
  constexpr std::array<Kind, 4> kRestoreOrder{Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos};
  for (Side side : kSides) {
    const std::array<forms::MenuItem*, 4> items = f.RestoreItems(side);
    for (size_t i = 0; i < items.size(); ++i) {
      items[i]->onClick = [&s, side, kind = kRestoreOrder[i]] { Restore(s, side, kind); };
    }
  }
}

}  // namespace mirrin
