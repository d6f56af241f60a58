#include "save/wiring.h"

#include "save/restore.h"
#include "save/save.h"

namespace mirrin {

void WireSaveMenus(Session& s) {
  MainWindowControls& f = s.controls;
  f.saveItem.onClick = [&s] { Save(s); };
  f.exitItem.onClick = [&s] { ExitRoutine(s); };
  f.exitButton.onClick = [&s] { ExitRoutine(s); };
  for (Side side : kSides) {
    for (Kind kind : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos}) {
      f.RestoreItem(side, kind)->onClick = [&s, side, kind] { Restore(s, side, kind); };
    }
  }
}

}  // namespace mirrin
