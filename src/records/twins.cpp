#include "records/twins.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "palmdata/palmtime.h"
#include "records/format.h"
#include "records/recordtext.h"
#include "records/textutil.h"

namespace mirrin {

namespace {

// A repeat end date after this means the repeat never ends.
double NeverEnds() {
  static const double never = MakeDate(2031, 12, 30) + MakeTime(0, 1, 0);
  return never;
}

bool SameEndDate(const PalmDate& a, const PalmDate& b) {
  if (a.value > NeverEnds() && b.value > NeverEnds()) return true;
  // Compared as written, to the day: the stored times of day may differ.
  return GeneralDateText(a.value).substr(0, 10) == GeneralDateText(b.value).substr(0, 10);
}

// Every one of the left record's exceptions is among the right one's.
bool ExceptionsAmong(int32_t leftCount, const std::vector<int32_t>& left, int32_t rightCount,
                     const std::vector<int32_t>& right) {
  auto live = [](int32_t count, const std::vector<int32_t>& v) {
    return static_cast<long>(std::clamp<int64_t>(count, 0, static_cast<int64_t>(v.size())));
  };
  const auto rEnd = right.begin() + live(rightCount, right);
  return std::all_of(left.begin(), left.begin() + live(leftCount, left),
                     [&](int32_t e) { return std::find(right.begin(), rEnd, e) != rEnd; });
}

// The repeat test shared by dates and To Dos. DayNumber and FirstDayOfWeek
// are left out: Palm Desktop derives them from the start date.
bool SameRepeat(const RepeatRule& l, int32_t lCount, const std::vector<int32_t>& lExceptions,
                const RepeatRule& r, int32_t rCount, const std::vector<int32_t>& rExceptions) {
  return l.Brand == r.Brand && lCount == rCount &&
         ExceptionsAmong(lCount, lExceptions, rCount, rExceptions) && l.Interval == r.Interval &&
         SameEndDate(l.EndDate, r.EndDate) && l.DayIndex == r.DayIndex && l.DaysMask == r.DaysMask &&
         l.WeekIndex == r.WeekIndex && l.MonthIndex == r.MonthIndex;
}

bool SameDay6(const PalmDate& a, const PalmDate& b) {
  return FormatDate(a.value, "DDMMYY") == FormatDate(b.value, "DDMMYY");
}

bool SameCategoryName(const CommonFields& l, const CommonFields& r, const TwinContext& c) {
  return CategoryName(c.leftHeader, l.Category) == CategoryName(c.rightHeader, r.Category);
}

bool SamePhones(const ContactRecord& a, const ContactRecord& b) {
  auto covered = [](const ContactRecord& x, const ContactRecord& y) {
    return std::all_of(x.Phones.begin(), x.Phones.end(), [&](const PhoneEntry& p) {
      return p.Value.empty() || std::any_of(y.Phones.begin(), y.Phones.end(), [&](const PhoneEntry& q) {
               return q.Label == p.Label && q.Value == p.Value;
             });
    });
  };
  return covered(a, b) && covered(b, a);
}

bool SameAddressTexts(const PostalAddress& a, const PostalAddress& b) {
  return a.Street == b.Street && a.City == b.City && a.State == b.State && a.Zip == b.Zip &&
         a.Country == b.Country;
}

bool AddressesAmong(const ContactRecord& l, const ContactRecord& r) {
  return std::all_of(l.Addresses.begin(), l.Addresses.end(), [&](const PostalAddress& a) {
    const bool empty = a.Street.empty() && a.City.empty() && a.State.empty() && a.Zip.empty() &&
                       a.Country.empty();
    return empty || std::any_of(r.Addresses.begin(), r.Addresses.end(), [&](const PostalAddress& b) {
             return b.Label == a.Label && SameAddressTexts(a, b);
           });
  });
}

bool SameIm(const Bytes& a, int32_t aLabel, const Bytes& b, int32_t bLabel) {
  return a == b && (a.empty() || aLabel == bLabel);
}

// Hash of the fields a twin must share. Equal fields always give equal keys;
// a collision only adds a candidate, which the full test then rejects.
class KeyHash {
 public:
  void Add(std::string_view text) {
    Mix(std::hash<std::string_view>{}(text));
    Mix(text.size());
  }
  void Add(int64_t value) { Mix(static_cast<uint64_t>(value)); }
  // Dates compare with ==, under which 0 and -0 are equal.
  void Add(double value) {
    const double v = value + 0.0;
    uint64_t bits = 0;
    static_assert(sizeof bits == sizeof v);
    std::memcpy(&bits, &v, sizeof bits);
    Mix(bits);
  }
  uint64_t Value() const { return h_; }

 private:
  void Mix(uint64_t v) { h_ ^= v + 0x9e3779b97f4a7c15ULL + (h_ << 6) + (h_ >> 2); }
  uint64_t h_ = 0xcbf29ce484222325ULL;
};

void AddRepeat(KeyHash& h, const RepeatRule& r, int32_t exceptionCount) {
  h.Add(int64_t{r.Brand});
  h.Add(int64_t{exceptionCount});
  h.Add(int64_t{r.Interval});
  h.Add(int64_t{r.DayIndex});
  h.Add(int64_t{r.DaysMask});
  h.Add(int64_t{r.WeekIndex});
  h.Add(int64_t{r.MonthIndex});
}

}  // namespace

DateTexts PrepareDateTexts(const DateRecord& r, const Settings& settings, std::string_view agendusMarker) {
  DateTexts t;
  t.description = Trim(StripAgendus(TextOf(r.Description), settings).rest, settings.DBCS);
  t.note = settings.KeepCategories ? NoteSplit(TextOf(r.Note), settings, agendusMarker).body : TextOf(r.Note);
  return t;
}

bool DatesTwin(const DateRecord& l, const DateTexts& lt, const DateRecord& r, const DateTexts& rt,
               const TwinContext& c) {
  const bool bothUntimed = l.Untimed && r.Untimed;
  if (!((bothUntimed && SameDay6(l.StartTime, r.StartTime)) || l.StartTime.value == r.StartTime.value)) {
    return false;
  }
  if (!bothUntimed && l.EndTime.value != r.EndTime.value) return false;
  const std::string& a = lt.description;
  const std::string& b = rt.description;
  if (!(a == b || a + c.settings.SuffixUser1 == b || b + c.settings.SuffixUser2 == a)) return false;
  return l.Duration == r.Duration && lt.note == rt.note && DatesEqual(l, r, c);
}

bool DatesTwin(const DateRecord& left, const DateRecord& right, const TwinContext& c) {
  return DatesTwin(left, PrepareDateTexts(left, c.settings, c.agendusMarker), right,
                   PrepareDateTexts(right, c.settings, c.agendusMarker), c);
}

bool DatesEqual(const DateRecord& l, const DateRecord& r, const TwinContext& c) {
  const Settings& s = c.settings;
  if (s.ShowDatebookCategories &&
      Trim(DateCategoryName(TextOf(l.Note), l, c.leftHeader, s), s.DBCS) !=
          Trim(DateCategoryName(TextOf(r.Note), r, c.rightHeader, s), s.DBCS)) {
    return false;
  }
  if (l.Location != r.Location || l.Untimed != r.Untimed) return false;
  if (s.CopyAlarms && (l.AlarmSet != r.AlarmSet ||
                       (l.AlarmSet && (l.AlarmUnit != r.AlarmUnit || l.AlarmAdvance != r.AlarmAdvance)))) {
    return false;
  }
  return SameRepeat(l.Repeat, l.ExceptionCount, l.Exceptions, r.Repeat, r.ExceptionCount, r.Exceptions);
}

bool ContactsEqual(const ContactRecord& l, const ContactRecord& r, const TwinContext& c) {
  return l.LastName == r.LastName && l.FirstName == r.FirstName && l.Title == r.Title &&
         l.Company == r.Company && (!c.settings.ShowCategories || SameCategoryName(l, r, c)) &&
         SamePhones(l, r) && l.CustomFields == r.CustomFields && AddressesAmong(l, r) &&
         SameIm(l.InstantMessage1, l.IMLabel1, r.InstantMessage1, r.IMLabel1) &&
         SameIm(l.InstantMessage2, l.IMLabel2, r.InstantMessage2, r.IMLabel2) && l.Website == r.Website &&
         l.ExtPair1 == r.ExtPair1 && (l.ExtPair2 < 0 || r.ExtPair2 < 0 || l.ExtPair2 == r.ExtPair2) &&
         l.ExtFlag == r.ExtFlag && l.ExtNumber1 == r.ExtNumber1 && l.Note == r.Note;
}

bool TodosEqual(const TodoRecord& l, const TodoRecord& r, const TwinContext& c) {
  if (l.Description != r.Description) return false;
  if (c.settings.ShowToDoCategories && !SameCategoryName(l, r, c)) return false;
  if (l.Note != r.Note || l.AlarmSet != r.AlarmSet) return false;
  if (l.AlarmSet && (l.ExtDate2.value != r.ExtDate2.value || l.ExtNumber != r.ExtNumber)) return false;
  if (l.Priority != r.Priority) return false;
  if (!SameRepeat(l.Repeat, l.ExceptionCount, l.Exceptions, r.Repeat, r.ExceptionCount, r.Exceptions)) {
    return false;
  }
  if (l.Completed != r.Completed) return false;
  // Due dates from the end of 2031 on mean "no due date".
  const bool anyDue = l.DueDate.value <= NeverEnds() || r.DueDate.value <= NeverEnds();
  return !anyDue || l.DueDate.value == r.DueDate.value;
}

bool MemosTwin(const MemoRecord& l, const MemoRecord& r, const TwinContext& c) {
  return (!c.settings.ShowMemoCategories || SameCategoryName(l, r, c)) && l.Text == r.Text;
}

bool CustomTwin(const CustomRecord& l, const CustomRecord& r) { return l.Fields == r.Fields; }

// One kind's twin test and the key its candidates are indexed by.
class TwinFinder::Rules {
 public:
  explicit Rules(TwinContext context) : c(context) {}
  virtual ~Rules() = default;
  virtual size_t Count(Side side) const = 0;
  // May be a twin at all: records that are not live are never searched.
  virtual bool Live(Side side, size_t i) const = 0;
  virtual bool Twins(size_t left, size_t right) const = 0;
  // The key record i is indexed under.
  virtual uint64_t Key(Side side, size_t i) const = 0;
  // The keys under which record i's twins are indexed on the other side.
  virtual void LookupKeys(Side side, size_t i, std::vector<uint64_t>& keys) const {
    keys.push_back(Key(side, i));
  }

  TwinContext c;
};

namespace {

using Stores = std::array<UserStore, 2>;

// Holds one kind's two record vectors and the test over them.
template <typename Record>
class RecordRules : public TwinFinder::Rules {
 public:
  RecordRules(TwinContext context, const std::vector<Record>& left, const std::vector<Record>& right)
      : Rules(context), records_{&left, &right} {}
  size_t Count(Side side) const override { return records_[side]->size(); }
  bool Live(Side side, size_t i) const override { return (*records_[side])[i].Status <= 3; }

 protected:
  const Record& At(Side side, size_t i) const { return (*records_[side])[i]; }

 private:
  std::array<const std::vector<Record>*, 2> records_;
};

class DateRules : public RecordRules<DateRecord> {
 public:
  DateRules(TwinContext context, const Stores& stores) : RecordRules(context, stores[0].dates, stores[1].dates) {
    for (Side side : kSides) {
      texts_[side].resize(Count(side));
      for (size_t i = 0; i < Count(side); ++i) texts_[side][i] = PrepareDateTexts(At(side, i), c.settings, c.agendusMarker);
    }
  }

  bool Twins(size_t l, size_t r) const override {
    return DatesTwin(At(kLeft, l), texts_[kLeft][l], At(kRight, r), texts_[kRight][r], c);
  }
  uint64_t Key(Side side, size_t i) const override { return KeyWith(side, i, texts_[side][i].description); }

  // The description may differ by the suffix an earlier copy appended: a
  // left a is a twin of a right b when b = a, b = a + SuffixUser1 or
  // b + SuffixUser2 = a, and the right pass looks the other way round.
  void LookupKeys(Side side, size_t i, std::vector<uint64_t>& keys) const override {
    const std::string& own = texts_[side][i].description;
    const std::string& ownSuffix = side == kLeft ? c.settings.SuffixUser1 : c.settings.SuffixUser2;
    const std::string& otherSuffix = side == kLeft ? c.settings.SuffixUser2 : c.settings.SuffixUser1;
    keys.push_back(KeyWith(side, i, own));
    if (!ownSuffix.empty()) keys.push_back(KeyWith(side, i, own + ownSuffix));
    if (!otherSuffix.empty() && own.size() >= otherSuffix.size() &&
        own.compare(own.size() - otherSuffix.size(), otherSuffix.size(), otherSuffix) == 0) {
      keys.push_back(KeyWith(side, i, std::string_view(own).substr(0, own.size() - otherSuffix.size())));
    }
  }

 private:
  uint64_t KeyWith(Side side, size_t i, std::string_view description) const {
    const DateRecord& r = At(side, i);
    KeyHash h;
    // Two untimed dates match by day; timed ones by exact start and end.
    h.Add(int64_t{r.Untimed});
    if (r.Untimed) {
      h.Add(FormatDate(r.StartTime.value, "DDMMYY"));
    } else {
      h.Add(r.StartTime.value);
      h.Add(r.EndTime.value);
    }
    h.Add(int64_t{r.Duration});
    h.Add(description);
    h.Add(texts_[side][i].note);
    h.Add(r.Location);
    if (c.settings.CopyAlarms) h.Add(int64_t{r.AlarmSet});
    AddRepeat(h, r.Repeat, r.ExceptionCount);
    return h.Value();
  }

  std::array<std::vector<DateTexts>, 2> texts_;
};

class ContactRules : public RecordRules<ContactRecord> {
 public:
  ContactRules(TwinContext context, const Stores& stores)
      : RecordRules(context, stores[0].contacts, stores[1].contacts) {}
  bool Twins(size_t l, size_t r) const override { return ContactsEqual(At(kLeft, l), At(kRight, r), c); }
  uint64_t Key(Side side, size_t i) const override {
    const ContactRecord& r = At(side, i);
    KeyHash h;
    for (const Bytes* text : {&r.LastName, &r.FirstName, &r.Title, &r.Company, &r.Website, &r.Note,
                              &r.InstantMessage1, &r.InstantMessage2}) {
      h.Add(*text);
    }
    for (const Bytes& field : r.CustomFields) h.Add(field);
    h.Add(int64_t{r.ExtPair1});
    h.Add(int64_t{r.ExtFlag});
    h.Add(int64_t{r.ExtNumber1});
    return h.Value();
  }
};

class TodoRules : public RecordRules<TodoRecord> {
 public:
  TodoRules(TwinContext context, const Stores& stores) : RecordRules(context, stores[0].todos, stores[1].todos) {}
  bool Twins(size_t l, size_t r) const override { return TodosEqual(At(kLeft, l), At(kRight, r), c); }
  uint64_t Key(Side side, size_t i) const override {
    const TodoRecord& r = At(side, i);
    KeyHash h;
    h.Add(r.Description);
    h.Add(r.Note);
    h.Add(int64_t{r.AlarmSet});
    h.Add(int64_t{r.Priority});
    h.Add(int64_t{r.Completed});
    AddRepeat(h, r.Repeat, r.ExceptionCount);
    return h.Value();
  }
};

class MemoRules : public RecordRules<MemoRecord> {
 public:
  MemoRules(TwinContext context, const Stores& stores) : RecordRules(context, stores[0].memos, stores[1].memos) {}
  bool Twins(size_t l, size_t r) const override { return MemosTwin(At(kLeft, l), At(kRight, r), c); }
  uint64_t Key(Side side, size_t i) const override {
    KeyHash h;
    h.Add(At(side, i).Text);
    return h.Value();
  }
};

class CustomRules : public TwinFinder::Rules {
 public:
  CustomRules(TwinContext context, const Stores& stores)
      : Rules(context), records_{&stores[0].custom, &stores[1].custom} {}
  size_t Count(Side side) const override { return records_[side]->size(); }
  bool Live(Side side, size_t i) const override { return !(*records_[side])[i].Deleted; }
  bool Twins(size_t l, size_t r) const override { return CustomTwin((*records_[kLeft])[l], (*records_[kRight])[r]); }
  uint64_t Key(Side side, size_t i) const override {
    KeyHash h;
    for (const std::string& field : (*records_[side])[i].Fields) h.Add(field);
    return h.Value();
  }

 private:
  std::array<const std::vector<CustomRecord>*, 2> records_;
};

std::unique_ptr<TwinFinder::Rules> MakeRules(const Stores& stores, Kind kind, const Settings& settings,
                                             std::string_view agendusMarker) {
  const TwinContext c{settings, agendusMarker, stores[0].Header(kind), stores[1].Header(kind)};
  switch (kind) {
    case Kind::Dates: return std::make_unique<DateRules>(c, stores);
    case Kind::Contacts: return std::make_unique<ContactRules>(c, stores);
    case Kind::ToDos: return std::make_unique<TodoRules>(c, stores);
    case Kind::Memos: return std::make_unique<MemoRules>(c, stores);
    case Kind::Custom: break;
  }
  return std::make_unique<CustomRules>(c, stores);
}

}  // namespace

TwinFinder::TwinFinder(const Stores& stores, Kind kind, const Settings& settings, std::string_view agendusMarker,
                       TwinSearch search)
    : rules_(MakeRules(stores, kind, settings, agendusMarker)), search_(search) {}

TwinFinder::~TwinFinder() = default;

int32_t TwinFinder::FindTwin(Side side, int32_t index) {
  if (search_ == TwinSearch::Indexed) return FindIndexed(side, index);
  const Side other = Other(side);
  const size_t i = static_cast<size_t>(index);
  for (size_t j = 0; j < rules_->Count(other); ++j) {
    if (!rules_->Live(other, j)) continue;
    if (side == kLeft ? rules_->Twins(i, j) : rules_->Twins(j, i)) return static_cast<int32_t>(j);
  }
  return -1;
}

int32_t TwinFinder::FindIndexed(Side side, int32_t index) {
  const Side other = Other(side);
  std::vector<std::pair<uint64_t, int32_t>>& entries = index_[other];
  if (!indexed_[other]) {
    for (size_t j = 0; j < rules_->Count(other); ++j) {
      if (rules_->Live(other, j)) entries.emplace_back(rules_->Key(other, j), static_cast<int32_t>(j));
    }
    std::sort(entries.begin(), entries.end());
    indexed_[other] = true;
  }
  const size_t i = static_cast<size_t>(index);
  keys_.clear();
  rules_->LookupKeys(side, i, keys_);
  std::sort(keys_.begin(), keys_.end());
  keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());

  // The records of each key, in index order; different keys hold different
  // records, so walking the groups merged by index visits every candidate
  // in the order the plain search would.
  using Iter = std::vector<std::pair<uint64_t, int32_t>>::const_iterator;
  std::vector<std::pair<Iter, Iter>> groups;
  for (uint64_t key : keys_) {
    auto range = std::equal_range(entries.cbegin(), entries.cend(), std::pair<uint64_t, int32_t>{key, 0},
                                  [](const auto& a, const auto& b) { return a.first < b.first; });
    if (range.first != range.second) groups.push_back(range);
  }
  while (true) {
    std::pair<Iter, Iter>* next = nullptr;
    for (auto& g : groups) {
      if (g.first != g.second && (!next || g.first->second < next->first->second)) next = &g;
    }
    if (!next) return -1;
    const size_t j = static_cast<size_t>(next->first->second);
    ++next->first;
    if (side == kLeft ? rules_->Twins(i, j) : rules_->Twins(j, i)) return static_cast<int32_t>(j);
  }
}

}  // namespace mirrin
