// Arbitrary bytes read as a todo file: a clean error or a faithful round trip.
#include "roundtrip.h"
#include "palmdata/todofile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return mirrin::fuzz::CheckRoundTrip<mirrin::TodoRecord>(data, size, mirrin::ParseTodoFile,
                                                          mirrin::BuildTodoFile);
}
