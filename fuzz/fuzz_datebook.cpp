// Arbitrary bytes read as a datebook file: a clean error or a faithful round trip.
#include "roundtrip.h"
#include "palmdata/datebookfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return mirrin::fuzz::CheckRoundTrip<mirrin::DateRecord>(data, size, mirrin::ParseDatebookFile,
                                                          mirrin::BuildDatebookFile);
}
