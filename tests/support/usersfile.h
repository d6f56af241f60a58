#pragma once
// A users.dat as Palm Desktop writes it, for any test that needs one.
#include <string>
#include <utility>
#include <vector>

#include "support/filebuilder.h"

namespace mirrin::test {

// users.dat: a class header, then one entry per user separated by the
// marker word that introduces the next entry.
inline std::string UsersFile(const std::vector<std::pair<std::string, std::string>>& users) {
  FileBuilder b;
  b.Short(static_cast<uint16_t>(users.size())).Hex("FF FF").Short(1).Short(8).Raw("CPUsers ");
  for (const auto& [name, folder] : users) {
    b.Long(1).Byte(static_cast<uint8_t>(name.size())).Raw(name);
    b.Byte(static_cast<uint8_t>(folder.size())).Raw(folder);
    b.Short(0).Short(0).Short(0).Hex("12 34 01 80");
  }
  return b.Data();
}

}  // namespace mirrin::test
