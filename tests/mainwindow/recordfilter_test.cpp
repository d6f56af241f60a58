#include "mainwindow/recordfilter.h"

#include <gtest/gtest.h>

#include "mainwindow/format.h"
#include "palmdata/palmtime.h"

namespace mirrin {
namespace {

// The window compares the dates as each pass writes them: years of other
// widths, the right pass's century wrap and times that round to the next
// day must all come out as the written texts say.
TEST(RecordFilter, DateWindowFollowsTheWrittenDates) {
  Settings st;
  st.DaystoIgnore = "0";
  st.HideAfter = "31/12/9999";
  UserStore store;
  std::vector<double> cutoffs;
  for (int year : {-150, -50, 5, 999, 1000, 1999, 2000, 2024, 2099, 2100, 9999}) {
    cutoffs.push_back(MakeDate(year, 5, 2));
    for (int month : {1, 5, 12}) {
      for (double before : {0.0, 1.0 / 86400 / 3, 1.0 / 24}) {
        store.dates.emplace_back().StartTime.value = MakeDate(year, month, 2) - before;
      }
    }
  }
  for (double cutoff : cutoffs) {
    const DateWindow w = MakeDateWindow(st, cutoff);
    for (Side side : kSides) {
      const char* picture = side == kLeft ? "yyyy/mm/dd" : "yy/mm/dd";
      for (size_t i = 0; i < store.dates.size(); ++i) {
        const std::string date = FormatDate(store.dates[i].StartTime.value, picture);
        const Verdict v = Judge(store, st, side, Kind::Dates, static_cast<int32_t>(i), w).verdict;
        EXPECT_EQ(v != Verdict::Skipped, date >= FormatDate(cutoff, picture)) << date << " side " << side;
      }
    }
  }
}

}  // namespace
}  // namespace mirrin
