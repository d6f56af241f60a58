#include "support/headerbuilder.h"

namespace mirrin::test {

FileBuilder& AppendHeader(FileBuilder& b, const HeaderLayout& layout) {
  const std::string version = std::string("\x00\x01", 2) + layout.letters;
  if (layout.extended) {
    b.Hex("BE BA FE CA").CString("PalmSG Database").Raw("00RV").Raw(version);
    for (int i = 0; i < 24; ++i) b.Byte(static_cast<uint8_t>(i));
  } else {
    b.Raw(version);
  }
  b.CString("C:\\Palm\\Test\\file.dat").CString("");
  if (layout.extended) {
    if (layout.letters.size() == 2 && layout.letters[1] == 'A') {
      b.Hex("01 02 03 04 05 06 07 08 09 0A");
      for (int i = 0; i < 9; ++i) b.CString("Label" + std::to_string(i)).Long(i * 3);
    }
    for (int i = 0; i < 42; ++i) b.Byte(static_cast<uint8_t>(100 + i));
  }
  b.Long(128).Long(static_cast<int>(layout.categories.size()));
  for (const auto& c : layout.categories) {
    b.Long(c.index).Long(c.id).Long(0).CString(c.name).CString(c.name.substr(0, 8));
  }
  b.Long(54).Long(static_cast<int>(layout.fieldTypes.size())).Long(0).Long(1).Long(2);
  b.Short(static_cast<uint16_t>(layout.fieldTypes.size()));
  for (int t : layout.fieldTypes) b.Short(static_cast<uint16_t>(t));
  return b.Long(layout.records * static_cast<int>(layout.fieldTypes.size()));
}

}  // namespace mirrin::test
