#pragma once
// How the process's heap treats large blocks.

namespace mirrin {

// Loading a user allocates and frees blocks of many megabytes (a file read
// whole, a kind's records, the lists' scratch). Kept in the heap once freed,
// also at its end, they are reused by the next such block instead of being
// handed back to the system and faulted in afresh page by page. Called once
// at start-up.
void KeepLargeBlocksInHeap();

}  // namespace mirrin
