#pragma once
// Connects the ten transfer buttons and chkArchive to their operations.
#include "mainwindow/session.h"

namespace mirrin {

void WireTransferButtons(Session& s);

}  // namespace mirrin
