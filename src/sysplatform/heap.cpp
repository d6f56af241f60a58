#include "sysplatform/heap.h"

#include <cstdlib>  // defines __GLIBC__ where glibc is the C library

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace mirrin {

void KeepLargeBlocksInHeap() {
#if defined(__GLIBC__)
  // 32 MB is the most glibc takes on 64-bit; larger blocks are still mapped.
  mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
  // Nor is the free end of the heap handed back below 64 MB: every kind
  // selection would fault its scratch in again.
  mallopt(M_TRIM_THRESHOLD, 64 * 1024 * 1024);
#endif
}

}  // namespace mirrin
