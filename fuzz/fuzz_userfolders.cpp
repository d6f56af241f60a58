// Arbitrary bytes as users.dat: the list never claims more users than it
// holds, and every folder that is let through stays below the Palm folder.
#include <cstdlib>
#include <filesystem>
#include <string>

#include "palmdata/users.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const mirrin::Bytes input(reinterpret_cast<const char*>(data), size);
  mirrin::UserList list;
  mirrin::ParseUserFile(input, "users.dat", list, {});
  if (list.UserCount < 0 || list.Users.size() != static_cast<size_t>(list.UserCount) + 1) std::abort();
  for (const mirrin::UserEntry& user : list.Users) {
    if (!mirrin::UnsafeUserFolderReason(user.UserFolder).empty()) continue;
    std::string folder = user.UserFolder;
    for (char& c : folder) {
      if (c == '\\') c = '/';
    }
    // Judged by the path library, not by the rule itself.
    const std::filesystem::path joined = (std::filesystem::path("/palm") / folder).lexically_normal();
    const std::string text = joined.string();
    if (folder.find('\0') != std::string::npos ||
        (text != "/palm" && text != "/palm/" && text.rfind("/palm/", 0) != 0)) {
      std::abort();
    }
  }
  return 0;
}
