#include "mainwindow/recordfilter.h"

#include <gtest/gtest.h>

#include "mainwindow/format.h"

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
  for (int year : {-150, -50, 5, 999, 1000, 1999, 2000, 2024, 2099, 2100, 9999}) {
    for (double day : {MakeDate(year, 1, 2), MakeDate(year, 5, 2), MakeDate(year, 12, 2)}) {
      for (double before : {0.0, 1.0 / 86400 / 3, 1.0 / 24})
        store.dates.emplace_back().StartTime.value = day - before;
    }
  }
  for (const DateRecord& cutoff : store.dates) {
    const DateWindow w = MakeDateWindow(st, cutoff.StartTime.value);
    for (Side side : kSides) {
      const char* picture = side == kLeft ? "yyyy/mm/dd" : "yy/mm/dd";
      for (int32_t i = 0; i < static_cast<int32_t>(store.dates.size()); ++i) {
        const std::string date = FormatDate(store.dates[static_cast<size_t>(i)].StartTime.value, picture);
        EXPECT_EQ(Judge(store, st, side, Kind::Dates, i, w).verdict != Verdict::Skipped,
                  date >= FormatDate(cutoff.StartTime.value, picture))
            << date << " side " << side;
      }
    }
  }
}

}  // namespace
}  // namespace mirrin
