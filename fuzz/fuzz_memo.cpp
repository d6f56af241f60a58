// Arbitrary bytes read as a memo file: a clean error or a faithful round trip.
#include "roundtrip.h"
#include "palmdata/memofile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return mirrin::fuzz::CheckRoundTrip<mirrin::MemoRecord>(data, size, mirrin::ParseMemoFile,
                                                          mirrin::BuildMemoFile);
}
