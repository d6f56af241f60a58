#pragma once
// Builds data-file headers for tests, field by field.
#include <string>
#include <vector>

#include "support/filebuilder.h"

namespace mirrin::test {

struct TestCategory {
  int index;
  int id;
  std::string name;
};

struct HeaderLayout {
  std::string letters = "DB";  // last two bytes of the version tag: "DB", "BA", "DT", "MP"
  bool extended = false;
  std::vector<TestCategory> categories;
  std::vector<int> fieldTypes;
  int records = 0;
};

// Appends a complete header (up to the entry count) to b.
FileBuilder& AppendHeader(FileBuilder& b, const HeaderLayout& layout);

}  // namespace mirrin::test
