#pragma once
// Loading a user's files into a side's store when its user field changes.
#include "records/session.h"

namespace mirrin {

// Runs on the change of UserLeft (left) or UserRight (right).
void LoadUser(Session& s, Side side);

}  // namespace mirrin
