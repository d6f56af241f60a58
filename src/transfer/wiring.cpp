#include "transfer/wiring.h"

#include "transfer/transfer.h"

namespace mirrin {

void WireTransferButtons(Session& s) {
  for (Side side : kSides) {
    SidePane& towards = s.controls.panes[side];
    towards.add.onClick = [&s, side] { AddAcross(s, side); };
    towards.change.onClick = [&s, side] { ChangeAcross(s, side); };
    towards.del.onClick = [&s, side] { DeleteOnSide(s, side); };
    towards.move.onClick = [&s, side] { MoveAcross(s, side); };
    towards.priv.onClick = [&s, side] { MakePrivate(s, side); };
  }
  s.controls.archive.onClick = [&s] { ArchiveClicked(s); };
}

}  // namespace mirrin
