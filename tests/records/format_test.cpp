#include "records/format.h"

#include <gtest/gtest.h>

#include "palmdata/palmtime.h"

namespace mirrin {
namespace {

const double kDentist = MakeDate(2024, 1, 31) + MakeTime(9, 5, 7);

// Pictures in use; "mm" is minutes only directly after the hour field.
TEST(FormatDate, Pictures) {
  for (const auto& [picture, text] : std::initializer_list<std::pair<const char*, const char*>>{
           {"dd-mmm-yy", "31-Jan-24"}, {"dd-mmm-yy hh:mm", "31-Jan-24 09:05"}, {"dd/mm/yyyy", "31/01/2024"},
           {"yyyy/mm/dd", "2024/01/31"}, {"yy/mm/dd", "24/01/31"}, {"(yymmdd) ", "(240131) "},
           {"DDMMYY", "310124"}, {"YYYYMMDD", "20240131"}, {"HH:MM", "09:05"}, {"hhmm", "0905"},
           {"hh dd mm", "09 31 01"}, {"mm hh", "01 09"}}) {
    EXPECT_EQ(FormatDate(kDentist, picture), text) << picture;
  }
  EXPECT_EQ(FormatDate(MakeDate(812, 3, 4), "yyyy/mm/dd yy"), "0812/03/04 12") << "zero-padded";
}

TEST(FormatDate, MonthNamesCenturiesAndOtherCharacters) {
  const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(FormatDate(MakeDate(2001, m, 1), "MMM"), names[m - 1]);
  EXPECT_EQ(FormatDate(MakeDate(1999, 12, 31), "yy/mm/dd"), "99/12/31");
  EXPECT_EQ(FormatDate(MakeDate(2000, 2, 29), "(yymmdd)"), "(000229)");
  // Unknown letters and single field letters are copied.
  EXPECT_EQ(FormatDate(kDentist, "d.m.y x"), "d.m.y x");
  EXPECT_EQ(FormatDate(kDentist, "yyy"), "24y");
  EXPECT_EQ(FormatDate(kDentist, ""), "");
  // Rounding to the second never shows 11:59 for noon.
  EXPECT_EQ(FormatDate(MakeDate(2024, 3, 1) + 0.5 - 1e-9, "dd hh:mm"), "01 12:00");
}

TEST(FormatNumber, HashDropsLeadingZerosAndZeroKeepsThem) {
  EXPECT_EQ(FormatNumber(1234, "##########"), "1234");
  EXPECT_EQ(FormatNumber(0, "##########"), "");
  EXPECT_EQ(FormatNumber(2147483647, "##########"), "2147483647");
  EXPECT_EQ(FormatNumber(0, "##0"), "0");
  EXPECT_EQ(FormatNumber(12345, "##0"), "12345");
  EXPECT_EQ(FormatNumber(-5, "##0"), "-5");
  EXPECT_EQ(FormatNumber(7, "#000"), "007");
  EXPECT_EQ(FormatNumber(INT64_MIN, "#"), "-9223372036854775808");
}

TEST(ParseDayMonthYear, ValidDates) {
  EXPECT_EQ(ParseDayMonthYear(" 31/12/2030 "), MakeDate(2030, 12, 31));
  EXPECT_EQ(ParseDayMonthYear("1/2/2024"), MakeDate(2024, 2, 1));
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
  EXPECT_EQ(GeneralDateText(0), "00:00:00");
  // The first ten characters are the date, which date comparisons rely on.
  EXPECT_EQ(GeneralDateText(MakeDate(2031, 12, 30) + MakeTime(0, 1, 0)).substr(0, 10), "30/12/2031");
}

}  // namespace
}  // namespace mirrin
