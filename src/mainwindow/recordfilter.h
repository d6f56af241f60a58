#pragma once
// Which records of a kind a selection considers: the date window, the
// private flag, hidden categories and the description pattern. Pure: they
// read a store and the settings and change nothing.
#include <array>
#include <cstdint>
#include <string>

#include "mainwindow/userstore.h"
#include "startup/settings.h"

namespace mirrin {

// What the filters decide about one record.
enum class Verdict {
  Uncounted,  // not live, or past HideAfter: leaves the side's total
  Skipped,    // passed over, still counted
  Ignored,    // filtered out (private, hidden category, pattern), still counted
  Candidate,  // listed unless the other side holds its twin
};

// Why a date was passed over, for the record log.
enum class DateReason { None, Date, Private, HiddenCategory, Pattern };

struct Judgement {
  Verdict verdict = Verdict::Candidate;
  DateReason reason = DateReason::None;
};

// The dates a selection keeps: before HideDate, and not ended before the cutoff.
struct DateWindow {
  double hideDate = 0;
  std::array<std::string, 2> cutoff;         // the cutoff as each side's pass writes it
  std::array<int32_t, 2> cutoffDay{-1, -1};  // the same text's digits as one number; -1 when it has none
};

// The window on day `now`; error 13 when DaystoIgnore is not a number.
DateWindow MakeDateWindow(const Settings& settings, double now);

// Record `index` of the side's records of `kind` (an index the store holds).
Judgement Judge(const UserStore& store, const Settings& settings, Side side, Kind kind, int32_t index,
                const DateWindow& window);

}  // namespace mirrin
