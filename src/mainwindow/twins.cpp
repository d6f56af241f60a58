#include "mainwindow/twins.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

#include "palmdata/palmtime.h"
#include "mainwindow/format.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/textutil.h"

namespace mirrin {

namespace {

// Hash of the fields a twin must share. Equal fields always give equal keys;
// a collision only adds a candidate, which the full test then rejects.
class KeyHash {
 public:
  KeyHash() = default;
  explicit KeyHash(uint64_t seed) : h_(seed) {}
  void Add(std::string_view text) {
    // Empty texts are common (unused contact fields) and need no hashing.
    if (!text.empty()) Mix(std::hash<std::string_view>{}(text));
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

// A text of a few bytes held in place. The day and end-day texts below are
// at most 10 bytes; a string for each made up most of the memory the
// preparation of tens of thousands of records took.
class ShortText {
 public:
  ShortText& operator=(std::string_view text) {
    size_ = static_cast<uint8_t>(std::min(text.size(), sizeof text_));
    std::copy_n(text.data(), size_, text_);
    return *this;
  }
  std::string_view View() const { return {text_, size_}; }
  bool operator==(const ShortText& o) const { return View() == o.View(); }

 private:
  char text_[15]{};
  uint8_t size_ = 0;
};

// What a record's test compares besides its plain fields, worked out once
// per kind selection instead of once per candidate: texts that take
// formatting, splitting or a category lookup, and the record's key.
struct Prepared {
  // Only Agendus and KeepCategories cut texts, so they are held apart.
  struct Cut {
    std::string description;  // dates with Agendus: the description without its bracket part
    std::string note;         // dates with KeepCategories: the note's body
  };
  uint64_t key = 0;      // dates: everything but the description, which may carry a suffix
  std::string category;  // the category name when the kind shows it, else ""
  std::unique_ptr<Cut> cut;
  ShortText day;     // untimed dates: the start day, DDMMYY
  ShortText endDay;  // the repeat's end day as written ("never" is apart)
  bool neverEnds = false;

  Cut& Cuts() {
    if (!cut) cut = std::make_unique<Cut>();
    return *cut;
  }
  std::string_view Description() const {
    return cut ? std::string_view(cut->description) : std::string_view();
  }
  std::string_view Note() const { return cut ? std::string_view(cut->note) : std::string_view(); }
};

// Compared as written, to the day: the stored times of day may differ.
// Every record has one (day 0, written as a time of day, when it does not
// repeat), so the usual forms are written directly.
std::string EndDayText(const PalmDate& end) {
  // A date that does not repeat has day 0 at midnight.
  if (end.value == 0) return "00:00:00";
  const CivilDateTime c = SplitDate(end.value);
  std::string text;
  const auto put = [&text](size_t at, int n, size_t width) {
    for (size_t k = width; k-- > 0; n /= 10) text[at + k] = static_cast<char>('0' + n % 10);
  };
  if (c.year == 1899 && c.month == 12 && c.day == 30) {
    text = "hh:mm:ss";
    put(0, c.hour, 2);
    put(3, c.minute, 2);
    put(6, c.second, 2);
    return text;
  }
  if (c.year < 1000 || c.year > 9999) return GeneralDateText(end.value).substr(0, 10);
  text = "dd/mm/yyyy";
  put(0, c.day, 2);
  put(3, c.month, 2);
  put(6, c.year, 4);
  return text;
}

void PrepareRepeat(Prepared& p, const RepeatRule& r, int32_t exceptionCount, KeyHash& h) {
  p.endDay = EndDayText(r.EndDate);
  p.neverEnds = r.EndDate.value > RepeatForeverAfter();
  // Not in the key: the end day ("never" also matches a day text) and the
  // exceptions (only the left record's must be among the right one's).
  h.Add(int64_t{r.Brand});
  h.Add(int64_t{exceptionCount});
  h.Add(int64_t{r.Interval});
  h.Add(int64_t{r.DayIndex});
  h.Add(int64_t{r.DaysMask});
  h.Add(int64_t{r.WeekIndex});
  h.Add(int64_t{r.MonthIndex});
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
template <typename Record>
bool SameRepeat(const Record& l, const Prepared& lp, const Record& r, const Prepared& rp) {
  const RepeatRule& a = l.Repeat;
  const RepeatRule& b = r.Repeat;
  return a.Brand == b.Brand && l.ExceptionCount == r.ExceptionCount &&
         ExceptionsAmong(l.ExceptionCount, l.Exceptions, r.ExceptionCount, r.Exceptions) &&
         a.Interval == b.Interval && ((lp.neverEnds && rp.neverEnds) || lp.endDay == rp.endDay) &&
         a.DayIndex == b.DayIndex && a.DaysMask == b.DaysMask && a.WeekIndex == b.WeekIndex &&
         a.MonthIndex == b.MonthIndex;
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
    const bool empty =
        a.Street.empty() && a.City.empty() && a.State.empty() && a.Zip.empty() && a.Country.empty();
    return empty || std::any_of(r.Addresses.begin(), r.Addresses.end(), [&](const PostalAddress& b) {
             return b.Label == a.Label && SameAddressTexts(a, b);
           });
  });
}

bool SameIm(const Bytes& a, int32_t aLabel, const Bytes& b, int32_t bLabel) {
  return a == b && (a.empty() || aLabel == bLabel);
}

Prepared Prepare(const DateRecord& r, const KindHeader& header, const TwinContext& c) {
  const Settings& s = c.settings;
  Prepared p;
  const std::string_view note = r.Note;
  if (s.Agendus) MatchedDescription(r.Description, s, p.Cuts().description);
  // Without KeepCategories the whole note is compared, straight from the record.
  if (s.KeepCategories) p.Cuts().note = NoteSplit(note, s, c.agendusMarker).body;
  if (s.ShowDatebookCategories) p.category = Trim(DateCategoryName(note, r, header, s), s.DBCS);
  KeyHash h;
  // Two untimed dates match by day; timed ones by exact start and end.
  h.Add(int64_t{r.Untimed});
  if (r.Untimed) {
    p.day = FormatDate(r.StartTime.value, "DDMMYY");
    h.Add(p.day.View());
  } else {
    h.Add(r.StartTime.value);
    h.Add(r.EndTime.value);
  }
  h.Add(int64_t{r.Duration});
  h.Add(s.KeepCategories ? p.Note() : note);
  h.Add(p.category);
  h.Add(r.Location);
  if (s.CopyAlarms) {
    h.Add(int64_t{r.AlarmSet});
    if (r.AlarmSet) {
      h.Add(int64_t{r.AlarmUnit});
      h.Add(int64_t{r.AlarmAdvance});
    }
  }
  PrepareRepeat(p, r.Repeat, r.ExceptionCount, h);
  p.key = h.Value();
  return p;
}

// The description as twins compare it: trimmed, and without the Agendus
// part when there is one. A view, so the common case copies nothing.
std::string_view Described(const DateRecord& r, const Prepared& p, const Settings& s) {
  return TrimmedView(s.Agendus ? p.Description() : std::string_view(r.Description), s.DBCS);
}

// whole == start + suffix, without making the sum.
bool IsWithSuffix(std::string_view whole, std::string_view start, std::string_view suffix) {
  return whole.size() == start.size() + suffix.size() && whole.starts_with(start) && whole.ends_with(suffix);
}

bool Twins(const DateRecord& l, const Prepared& lp, const DateRecord& r, const Prepared& rp,
           const TwinContext& c) {
  const Settings& s = c.settings;
  const bool bothUntimed = l.Untimed && r.Untimed;
  if (!((bothUntimed && lp.day == rp.day) || l.StartTime.value == r.StartTime.value)) return false;
  if (!bothUntimed && l.EndTime.value != r.EndTime.value) return false;
  const std::string_view a = Described(l, lp, s);
  const std::string_view b = Described(r, rp, s);
  if (!(a == b || IsWithSuffix(b, a, s.SuffixUser1) || IsWithSuffix(a, b, s.SuffixUser2))) return false;
  if (l.Duration != r.Duration || (s.KeepCategories ? lp.Note() != rp.Note() : l.Note != r.Note))
    return false;
  if (lp.category != rp.category) return false;
  if (l.Location != r.Location || l.Untimed != r.Untimed) return false;
  if (s.CopyAlarms && (l.AlarmSet != r.AlarmSet ||
                       (l.AlarmSet && (l.AlarmUnit != r.AlarmUnit || l.AlarmAdvance != r.AlarmAdvance)))) {
    return false;
  }
  return SameRepeat(l, lp, r, rp);
}

Prepared Prepare(const ContactRecord& r, const KindHeader& header, const TwinContext& c) {
  Prepared p;
  if (c.settings.ShowCategories) p.category = CategoryName(header, r.Category);
  KeyHash h;
  for (const Bytes* text : {&r.LastName, &r.FirstName, &r.Title, &r.Company, &r.Website, &r.Note,
                            &r.InstantMessage1, &r.InstantMessage2}) {
    h.Add(*text);
  }
  if (!r.InstantMessage1.empty()) h.Add(int64_t{r.IMLabel1});
  if (!r.InstantMessage2.empty()) h.Add(int64_t{r.IMLabel2});
  for (const Bytes& field : r.CustomFields) h.Add(field);
  // Phones compare as sets of their non-empty entries: a sum of one hash per
  // distinct entry does not depend on their order.
  uint64_t phones = 0;
  for (auto it = r.Phones.begin(); it != r.Phones.end(); ++it) {
    const auto same = [it](const PhoneEntry& q) { return q.Label == it->Label && q.Value == it->Value; };
    if (it->Value.empty() || std::any_of(r.Phones.begin(), it, same)) continue;
    KeyHash phone;
    phone.Add(int64_t{it->Label});
    phone.Add(it->Value);
    phones += phone.Value();
  }
  h.Add(static_cast<int64_t>(phones));
  h.Add(p.category);
  h.Add(int64_t{r.ExtPair1});
  h.Add(int64_t{r.ExtFlag});
  h.Add(int64_t{r.ExtNumber1});
  p.key = h.Value();
  return p;
}

bool Twins(const ContactRecord& l, const Prepared& lp, const ContactRecord& r, const Prepared& rp,
           const TwinContext&) {
  return l.LastName == r.LastName && l.FirstName == r.FirstName && l.Title == r.Title &&
         l.Company == r.Company && lp.category == rp.category && SamePhones(l, r) &&
         l.CustomFields == r.CustomFields && AddressesAmong(l, r) &&
         SameIm(l.InstantMessage1, l.IMLabel1, r.InstantMessage1, r.IMLabel1) &&
         SameIm(l.InstantMessage2, l.IMLabel2, r.InstantMessage2, r.IMLabel2) && l.Website == r.Website &&
         l.ExtPair1 == r.ExtPair1 && (l.ExtPair2 < 0 || r.ExtPair2 < 0 || l.ExtPair2 == r.ExtPair2) &&
         l.ExtFlag == r.ExtFlag && l.ExtNumber1 == r.ExtNumber1 && l.Note == r.Note;
}

// Due dates from the end of 2031 on mean "no due date".
bool NoDueDate(const TodoRecord& r) { return !(r.DueDate.value <= RepeatForeverAfter()); }

Prepared Prepare(const TodoRecord& r, const KindHeader& header, const TwinContext& c) {
  Prepared p;
  if (c.settings.ShowToDoCategories) p.category = CategoryName(header, r.Category);
  KeyHash h;
  h.Add(r.Description);
  h.Add(p.category);
  h.Add(r.Note);
  h.Add(int64_t{r.AlarmSet});
  if (r.AlarmSet) {
    h.Add(r.ExtDate2.value);
    h.Add(int64_t{r.ExtNumber});
  }
  h.Add(int64_t{r.Priority});
  PrepareRepeat(p, r.Repeat, r.ExceptionCount, h);
  h.Add(int64_t{r.Completed});
  // All To Dos without a due date share one bucket.
  if (NoDueDate(r))
    h.Add(int64_t{-1});
  else
    h.Add(r.DueDate.value);
  p.key = h.Value();
  return p;
}

bool Twins(const TodoRecord& l, const Prepared& lp, const TodoRecord& r, const Prepared& rp,
           const TwinContext&) {
  if (l.Description != r.Description || lp.category != rp.category) return false;
  if (l.Note != r.Note || l.AlarmSet != r.AlarmSet) return false;
  if (l.AlarmSet && (l.ExtDate2.value != r.ExtDate2.value || l.ExtNumber != r.ExtNumber)) return false;
  if (l.Priority != r.Priority || !SameRepeat(l, lp, r, rp) || l.Completed != r.Completed) return false;
  return (NoDueDate(l) && NoDueDate(r)) || l.DueDate.value == r.DueDate.value;
}

Prepared Prepare(const MemoRecord& r, const KindHeader& header, const TwinContext& c) {
  Prepared p;
  if (c.settings.ShowMemoCategories) p.category = CategoryName(header, r.Category);
  KeyHash h;
  h.Add(r.Text);
  h.Add(p.category);
  p.key = h.Value();
  return p;
}

bool Twins(const MemoRecord& l, const Prepared& lp, const MemoRecord& r, const Prepared& rp,
           const TwinContext&) {
  return lp.category == rp.category && l.Text == r.Text;
}

Prepared Prepare(const CustomRecord& r, const KindHeader&, const TwinContext&) {
  Prepared p;
  KeyHash h;
  for (const std::string& field : r.Fields) h.Add(field);
  p.key = h.Value();
  return p;
}

bool Twins(const CustomRecord& l, const Prepared&, const CustomRecord& r, const Prepared&,
           const TwinContext&) {
  return l.Fields == r.Fields;
}

bool Live(const CustomRecord& r) { return !r.Deleted; }
bool Live(const CommonFields& r) { return r.Status <= 3; }

// A single pair, as the unit tests ask it.
template <typename Record>
bool OnePair(const Record& l, const Record& r, const TwinContext& c) {
  return Twins(l, Prepare(l, c.leftHeader, c), r, Prepare(r, c.rightHeader, c), c);
}

}  // namespace

bool DatesTwin(const DateRecord& l, const DateRecord& r, const TwinContext& c) { return OnePair(l, r, c); }
bool ContactsEqual(const ContactRecord& l, const ContactRecord& r, const TwinContext& c) {
  return OnePair(l, r, c);
}
bool TodosEqual(const TodoRecord& l, const TodoRecord& r, const TwinContext& c) { return OnePair(l, r, c); }
bool MemosTwin(const MemoRecord& l, const MemoRecord& r, const TwinContext& c) { return OnePair(l, r, c); }
bool CustomTwin(const CustomRecord& l, const CustomRecord& r) { return l.Fields == r.Fields; }

// One kind's twin test and the keys its candidates are indexed by.
class TwinFinder::Rules {
 public:
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
};

namespace {

using Stores = std::array<UserStore, 2>;

const std::vector<DateRecord>& RecordsOf(const UserStore& s, const DateRecord*) { return s.dates; }
const std::vector<ContactRecord>& RecordsOf(const UserStore& s, const ContactRecord*) { return s.contacts; }
const std::vector<TodoRecord>& RecordsOf(const UserStore& s, const TodoRecord*) { return s.todos; }
const std::vector<MemoRecord>& RecordsOf(const UserStore& s, const MemoRecord*) { return s.memos; }
const std::vector<CustomRecord>& RecordsOf(const UserStore& s, const CustomRecord*) { return s.custom; }

// A contact spans some 25 cache lines, most of which its key reads. Asking
// for a record's lines a little before it is prepared hides the wait for
// memory, which was most of the preparation; smaller records gain nothing.
template <typename Record>
void Prefetch(const Record& r) {
  if constexpr (sizeof(Record) >= 1024) {
    const char* at = reinterpret_cast<const char*>(&r);
    for (size_t offset = 0; offset < sizeof(Record); offset += 64) __builtin_prefetch(at + offset);
  }
}

// One kind's two record vectors, each record prepared once.
template <typename Record>
class RecordRules : public TwinFinder::Rules {
 public:
  RecordRules(const TwinContext& context, const Stores& stores) : c_(context) {
    for (Side side : kSides) {
      records_[side] = &RecordsOf(stores[side], static_cast<const Record*>(nullptr));
      const KindHeader& header = side == kLeft ? c_.leftHeader : c_.rightHeader;
      prepared_[side].reserve(records_[side]->size());
      keys_[side].reserve(records_[side]->size());
      const std::vector<Record>& records = *records_[side];
      for (size_t i = 0; i < records.size(); ++i) {
        if (i + 2 < records.size()) Prefetch(records[i + 2]);
        prepared_[side].push_back(Prepare(records[i], header, c_));
        keys_[side].push_back(prepared_[side].back().key);
      }
    }
  }
  size_t Count(Side side) const override { return records_[side]->size(); }
  bool Live(Side side, size_t i) const override { return mirrin::Live(At(side, i)); }
  bool Twins(size_t l, size_t r) const override {
    return mirrin::Twins(At(kLeft, l), prepared_[kLeft][l], At(kRight, r), prepared_[kRight][r], c_);
  }
  uint64_t Key(Side side, size_t i) const override { return keys_[side][i]; }

 protected:
  const Record& At(Side side, size_t i) const { return (*records_[side])[i]; }

  TwinContext c_;
  std::array<const std::vector<Record>*, 2> records_{};
  std::array<std::vector<Prepared>, 2> prepared_;
  // The keys apart from the rest, in a close row: the index confirms
  // every slot it finds by its record's key.
  std::array<std::vector<uint64_t>, 2> keys_;
};

class DateRules : public RecordRules<DateRecord> {
 public:
  // A date's own key adds its description to the rest.
  DateRules(const TwinContext& context, const Stores& stores) : RecordRules(context, stores) {
    for (Side side : kSides) {
      for (size_t i = 0; i < prepared_[side].size(); ++i) {
        keys_[side][i] = KeyWith(side, i, Described(At(side, i), prepared_[side][i], c_.settings));
      }
    }
  }

  // The description may differ by the suffix an earlier copy appended: a
  // left a is a twin of a right b when b = a, b = a + SuffixUser1 or
  // b + SuffixUser2 = a, and the right pass looks the other way round.
  void LookupKeys(Side side, size_t i, std::vector<uint64_t>& keys) const override {
    const Settings& s = c_.settings;
    const std::string_view own = Described(At(side, i), prepared_[side][i], s);
    const std::string& ownSuffix = side == kLeft ? s.SuffixUser1 : s.SuffixUser2;
    const std::string& otherSuffix = side == kLeft ? s.SuffixUser2 : s.SuffixUser1;
    keys.push_back(Key(side, i));
    if (!ownSuffix.empty()) {
      // Built in one kept buffer: a lookup allocates nothing.
      suffixed_.assign(own);
      suffixed_ += ownSuffix;
      keys.push_back(KeyWith(side, i, suffixed_));
    }
    if (!otherSuffix.empty() && own.ends_with(otherSuffix)) {
      keys.push_back(KeyWith(side, i, own.substr(0, own.size() - otherSuffix.size())));
    }
  }

 private:
  uint64_t KeyWith(Side side, size_t i, std::string_view description) const {
    KeyHash h(prepared_[side][i].key);
    h.Add(description);
    return h.Value();
  }

  mutable std::string suffixed_;
};

std::unique_ptr<TwinFinder::Rules> MakeRules(const Stores& stores, Kind kind, const Settings& settings,
                                             std::string_view agendusMarker) {
  const TwinContext c{settings, agendusMarker, stores[0].Header(kind), stores[1].Header(kind)};
  switch (kind) {
    case Kind::Dates:
      return std::make_unique<DateRules>(c, stores);
    case Kind::Contacts:
      return std::make_unique<RecordRules<ContactRecord>>(c, stores);
    case Kind::ToDos:
      return std::make_unique<RecordRules<TodoRecord>>(c, stores);
    case Kind::Memos:
      return std::make_unique<RecordRules<MemoRecord>>(c, stores);
    case Kind::Custom:
      break;
  }
  return std::make_unique<RecordRules<CustomRecord>>(c, stores);
}

}  // namespace
TwinFinder::TwinFinder(const Stores& stores, Kind kind, const Settings& settings,
                       std::string_view agendusMarker, TwinSearch search)
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

TwinFinder::Index::Entry& TwinFinder::Index::Slot(uint64_t key, const Rules& rules, Side side) {
  // The top bits of a multiplicative mix pick the first slot to try; the
  // tag is the key's low half.
  const size_t mask = slots.size() - 1;
  const auto tag = static_cast<uint32_t>(key);
  for (size_t k = static_cast<size_t>((key * 0x9e3779b97f4a7c15ULL) >> shift);; k = (k + 1) & mask) {
    Entry& e = slots[k];
    if (e.record < 0 || (e.tag == tag && rules.Key(side, static_cast<size_t>(e.record)) == key)) return e;
  }
}

int32_t TwinFinder::FindIndexed(Side side, int32_t index) {
  const Side other = Other(side);
  Index& idx = index_[other];
  if (!idx.built) {
    const size_t count = rules_->Count(other);
    // At most half full, so a free slot ends every probe soon.
    const size_t size = std::bit_ceil(2 * count + 2);
    idx.shift = 64 - std::countr_zero(size);
    idx.slots.assign(size, {});
    idx.next.assign(count, -1);
    // From the last record back, so each record goes in front of its key's later ones.
    for (size_t j = count; j-- > 0;) {
      if (!rules_->Live(other, j)) continue;
      const uint64_t key = rules_->Key(other, j);
      Index::Entry& slot = idx.Slot(key, *rules_, other);
      if (slot.record >= 0) idx.next[j] = slot.record;
      slot = {static_cast<uint32_t>(key), static_cast<int32_t>(j)};
    }
    idx.built = true;
  }
  const size_t i = static_cast<size_t>(index);
  keys_.clear();
  rules_->LookupKeys(side, i, keys_);
  std::sort(keys_.begin(), keys_.end());
  keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());

  // Different keys hold different records, so walking the chains merged by
  // index visits every candidate in the order the plain search would.
  chains_.clear();
  for (uint64_t key : keys_) {
    const int32_t first = idx.Slot(key, *rules_, other).record;
    if (first >= 0) chains_.push_back(first);
  }
  while (true) {
    int32_t* next = nullptr;
    for (int32_t& at : chains_) {
      if (at >= 0 && (!next || at < *next)) next = &at;
    }
    if (!next) return -1;
    const int32_t j = *next;
    *next = idx.next[static_cast<size_t>(j)];
    const size_t candidate = static_cast<size_t>(j);
    ++twinTests_;
    if (side == kLeft ? rules_->Twins(i, candidate) : rules_->Twins(candidate, i)) return j;
  }
}

}  // namespace mirrin
