// Arbitrary bytes read as an address file: a clean error or a faithful round trip.
#include "roundtrip.h"
#include "palmdata/addressfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return mirrin::fuzz::CheckRoundTrip<mirrin::ContactRecord>(data, size, mirrin::ParseAddressFile,
                                                             mirrin::BuildAddressFile);
}
