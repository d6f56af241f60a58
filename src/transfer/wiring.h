#pragma once
// Connects the ten transfer buttons and the archive box to their operations.
#include "mainwindow/session.h"

namespace mirrin {

void WireTransferButtons(Session& s);

}  // namespace mirrin
