#include "mainwindow/format.h"

#include <gtest/gtest.h>

#include "palmdata/palmtime.h"

namespace mirrin {
namespace {

const double kDentist = MakeDate(2024, 1, 31) + MakeTime(9, 5, 7);

// Pictures in use; "mm" is minutes only directly after the hour field.
TEST(FormatDate, Pictures) {
  for (const auto& [picture, text] :
       std::initializer_list<std::pair<const char*, const char*>>{{"dd-mmm-yy hh:mm", "31-Jan-24 09:05"},
                                                                  {"yyyy/mm/dd", "2024/01/31"},
                                                                  {"(yymmdd) ", "(240131) "},
                                                                  {"DDMMYY", "310124"},
                                                                  {"hhmm", "0905"},
                                                                  {"hh dd mm", "09 31 01"},
                                                                  {"mm hh", "01 09"},
                                                                  {"d.m.y x", "d.m.y x"},
                                                                  {"yyy", "24y"},
                                                                  {"", ""}}) {
    EXPECT_EQ(FormatDate(kDentist, picture), text) << picture;
  }
  EXPECT_EQ(FormatDate(MakeDate(812, 3, 4), "yyyy/mm/dd yy"), "0812/03/04 12") << "zero-padded";
}

TEST(FormatDate, CenturiesAndRounding) {
  EXPECT_EQ(FormatDate(MakeDate(1999, 12, 31), "yy/mm/dd MMM"), "99/12/31 Dec");
  // Rounding to the second never shows 11:59 for noon.
  EXPECT_EQ(FormatDate(MakeDate(2024, 3, 1) + 0.5 - 1e-9, "dd hh:mm"), "01 12:00");
}

TEST(FormatNumber, HashDropsLeadingZerosAndZeroKeepsThem) {
  EXPECT_EQ(FormatNumber(0, "##0"), "0");
  EXPECT_EQ(FormatNumber(-5, "##0"), "-5");
  EXPECT_EQ(FormatNumber(7, "#000"), "007");
  EXPECT_EQ(FormatNumber(INT64_MIN, "#"), "-9223372036854775808");
}

TEST(ParseDayMonthYear, ValidDates) {
  EXPECT_EQ(ParseDayMonthYear(" 31/12/2030 "), MakeDate(2030, 12, 31));
  EXPECT_EQ(ParseDayMonthYear("29/02/2024"), MakeDate(2024, 2, 29));
  EXPECT_EQ(ParseDayMonthYear("05/06/29"), MakeDate(2029, 6, 5));
  EXPECT_EQ(ParseDayMonthYear("05/06/30"), MakeDate(1930, 6, 5));
}

TEST(ParseDayMonthYear, AnythingElseGivesNothing) {
  for (const char* bad : {"dd/mm/yyyy", "", "   ", "31/02/2024", "29/02/2023", "00/01/2024", "01/13/2024",
                          "01/00/2024", "1/1/024", "1/1/20245", "123/1/2024", "1-1-2024", "1/1/2024x",
                          "/1/2024", "1//2024", "1/1/", "01/01/0050"}) {
    EXPECT_EQ(ParseDayMonthYear(bad), std::nullopt) << bad;
  }
}

TEST(GeneralDateText, DateTimeOrBoth) {
  EXPECT_EQ(GeneralDateText(MakeDate(2024, 1, 31)), "31/01/2024");
  EXPECT_EQ(GeneralDateText(kDentist), "31/01/2024 09:05:07");
  EXPECT_EQ(GeneralDateText(MakeTime(18, 30, 0)), "18:30:00");
}

}  // namespace
}  // namespace mirrin
