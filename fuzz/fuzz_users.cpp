// Arbitrary bytes read as a users file: never a crash, and the list never
// claims more users than it holds.
#include <cstdlib>

#include "palmdata/users.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const mirrin::Bytes input(reinterpret_cast<const char*>(data), size);
  mirrin::UserList list;
  mirrin::ParseUserFile(input, "users.dat", list, {});
  if (list.UserCount < 0 || list.Users.size() != static_cast<size_t>(list.UserCount) + 1) std::abort();
  return 0;
}
