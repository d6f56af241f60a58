#pragma once
// Random records for checking the indexed twin search against the plain one.
#include <random>
#include <string>
#include <vector>

#include "palmdata/palmtime.h"
#include "mainwindow/userstore.h"

namespace mirrin::test {

// Records drawn from few values per field, so that most records have
// near-twins that differ in one field and many have several exact twins.
class RandomRecords {
 public:
  explicit RandomRecords(unsigned seed) : rng_(seed) {}

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  template <typename T>
  T Of(const std::vector<T>& v) {
    return v[static_cast<size_t>(Pick(static_cast<int>(v.size())))];
  }

  DateRecord Date() {
    DateRecord r;
    r.RecordId = nextId_++;
    r.Status = Of<int32_t>({0, 0, 0, 1, 2, 4, 128});
    r.Private = Pick(6) == 0;
    r.Untimed = Pick(3) == 0;
    const double day = MakeDate(2024, 3, 5) + Pick(2) + (Pick(4) == 0 ? -36525 : 0);
    r.StartTime = PalmDate::Local(day + MakeTime(9 + Pick(2), 0, 0));
    r.EndTime = PalmDate::Local(r.StartTime.value + MakeTime(Pick(2), 30, 0));
    r.Description = Of<std::string>({"Lunch", "Lunch (A)", "Lunch (B)", " Lunch", "lunch", "Lunch (A) (B)",
                                     "Lunch [x]", "Meet", "Meet (B)"});
    r.Duration = Pick(4) == 0 ? 30 : 60;
    r.Note = Of<std::string>({"", "", "n", "##@@A@@@@@\r\nn", "##@@B@@@@l\r\nh\r\nn"});
    r.Location = Pick(6) == 0 ? "Cafe" : "";
    r.AlarmSet = Pick(5) == 0;
    r.AlarmAdvance = Pick(2);
    r.Category = Pick(3);
    if (Pick(4) == 0) {
      r.Repeat.Mutable().Hash = 65535;
      r.Repeat.Mutable().Brand = 2;
      r.Repeat.Mutable().Interval = 1;
      r.Repeat.Mutable().EndDate = PalmDate::Local(Of<double>(
          {MakeDate(2032, 1, 1), MakeDate(2035, 1, 1), MakeDate(2025, 1, 1), MakeDate(2025, 1, 1) + 0.5}));
      r.ExceptionCount = Pick(2);
      if (r.ExceptionCount) r.Exceptions = {Of<int32_t>({7, 8})};
    }
    return r;
  }

  ContactRecord Contact() {
    ContactRecord c;
    c.RecordId = nextId_++;
    c.Status = Of<int32_t>({0, 0, 1, 4});
    c.Private = Pick(6) == 0;
    c.LastName = Of<std::string>({"Lee", "Lee", "Low"});
    c.FirstName = Pick(2) ? "Ann" : "";
    c.Category = Pick(2);
    for (int k = 0; k < 2; ++k) {
      c.Phones[static_cast<size_t>(Pick(7))] = {Pick(2), Of<std::string>({"1", "2", ""})};
    }
    if (Pick(3) == 0) c.Addresses[static_cast<size_t>(Pick(3))] = {Pick(2), "St", "", "", "", ""};
    c.ExtPair2 = Of<int32_t>({-1, 0, 1});
    c.InstantMessage1 = Pick(3) == 0 ? "im" : "";
    c.IMLabel1 = Pick(2);
    return c;
  }

  // Half are one "Take pill" that differs only in its due date (none comes
  // in two forms), category, completion or repeat end: the shape of the
  // thousands of reminders people keep.
  TodoRecord Todo() {
    TodoRecord t;
    t.RecordId = nextId_++;
    t.Status = Of<int32_t>({0, 1, 4, 5});
    t.Private = Pick(6) == 0;
    t.Completed = Pick(4) == 0;
    t.Category = Pick(3);
    t.DueDate = PalmDate::Local(Of<double>({MakeDate(2032, 1, 1), MakeDate(2033, 1, 1), MakeDate(2024, 1, 1),
                                            MakeDate(2024, 1, 2), MakeDate(2031, 12, 30)}));
    t.Repeat.Mutable().EndDate =
        PalmDate::Local(Of<double>({0, MakeDate(2035, 1, 1), MakeDate(2031, 12, 30) + 0.5}));
    if (Pick(2) == 0) {
      t.Description = "Take pill";
      return t;
    }
    t.Description = Of<std::string>({"Rent", "Rent", "Bills", "Tax", "Car", "Gas"});
    t.Priority = 1 + Pick(3);
    t.Note = std::string(static_cast<size_t>(Pick(8)), 'n');
    t.AlarmSet = Pick(4) == 0;
    t.ExtDate2 = PalmDate::Local(MakeDate(2024, 1, 1 + Pick(2)));
    return t;
  }

  MemoRecord Memo() {
    MemoRecord m;
    m.RecordId = nextId_++;
    m.Status = Of<int32_t>({0, 0, 4});
    m.Private = Pick(6) == 0;
    // Many empty memos, told apart by their category only.
    m.Text = Pick(2) ? "" : "m" + std::to_string(Pick(300)) + Of<std::string>({"", "\r\nb"});
    m.Category = Pick(3);
    return m;
  }

  CustomRecord Custom() {
    CustomRecord c;
    c.Fields = {Pick(2) ? "Web" : "Bank", std::to_string(Pick(150)), "", "", "", "", "", Pick(2) ? "x" : "y"};
    c.Deleted = Pick(5) == 0;
    return c;
  }

 private:
  std::mt19937 rng_;
  int32_t nextId_ = 1000;
};

}  // namespace mirrin::test
