#pragma once
#include <array>
#include <string>

namespace mirrin {

// Fixed texts that start-up sets up once.
struct LabelTables {
  std::string NewCategoryName = "NewCategory";
  std::string AgendusMarker = "#AN\r\n";
  std::array<std::string, 5> IMLabelNames{"IM", "AIM", "MSN", "Yahoo", "AOL ICQ"};
  std::array<std::string, 3> AddressLabelNames{"Work", "Home", "Other"};
  std::array<std::string, 8> PhoneLabelNames{
      "Work: ", "Home: ", "Fax: ", "Other: ", "E-Mail: ", "Main: ", "Pager: ", "Mobile: "};
};

}  // namespace mirrin
