#pragma once
// Connects the ten transfer buttons and chkArchive to their operations.
#include "records/session.h"

namespace mirrin {

void WireTransferButtons(Session& s);

}  // namespace mirrin
