#include "mainwindow/listdisplay.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "mainwindow/recordtext.h"
#include "mainwindow/rowtext.h"
#include "mainwindow/textutil.h"
#include "startup/errorreport.h"

namespace mirrin {

namespace {

// Key -> first row (in list order) that has it. Rows are added in list
// order, each once; their keys are views of texts that stay where they are
// while the rows are paired. Open addressing over the keys' hashes: a slot is
// 8 bytes (a part of the hash and the row), so a lookup mostly reads one
// cache line, and a key's text only when the hashes agree.
class FirstRowIndex {
 public:
  explicit FirstRowIndex(size_t keys) : slots_(std::bit_ceil(2 * keys + 2)) { keys_.reserve(keys); }

  // A key already there keeps its first row.
  void Add(std::string_view key) {
    const size_t hash = std::hash<std::string_view>{}(key);
    Slot& slot = slots_[Find(key, hash)];
    if (slot.row < 0) slot = {Tag(hash), static_cast<int32_t>(keys_.size())};
    keys_.push_back(key);
  }
  int FirstRow(std::string_view key) const {
    return slots_[Find(key, std::hash<std::string_view>{}(key))].row;
  }

 private:
  struct Slot {
    uint32_t tag = 0;
    int32_t row = -1;  // -1: free
  };
  // The slot comes from the hash's low bits, the tag from its high ones.
  static uint32_t Tag(size_t hash) { return static_cast<uint32_t>(static_cast<uint64_t>(hash) >> 32); }
  // Where key is, or the free slot where it would go; there is always one,
  // as the table has more than twice as many slots as keys.
  size_t Find(std::string_view key, size_t hash) const {
    const size_t mask = slots_.size() - 1;
    const uint32_t tag = Tag(hash);
    for (size_t k = hash & mask;; k = (k + 1) & mask) {
      const Slot& slot = slots_[k];
      if (slot.row < 0 || (slot.tag == tag && keys_[static_cast<size_t>(slot.row)] == key)) return k;
    }
  }
  std::vector<Slot> slots_;
  std::vector<std::string_view> keys_;  // by row
};

// Texts that stay where they are until the pool goes: copied into blocks
// instead of a string each, as tens of thousands of short keys are kept.
class TextPool {
 public:
  std::string_view Add(std::string_view a, std::string_view b = {}) {
    const size_t size = a.size() + b.size();
    if (blocks_.empty() || kBlock - used_ < size) {
      blocks_.push_back(std::make_unique<char[]>(std::max(kBlock, size)));
      used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    std::copy(a.begin(), a.end(), at);
    std::copy(b.begin(), b.end(), at + a.size());
    used_ = size > kBlock ? kBlock : used_ + size;
    return {at, size};
  }

 private:
  static constexpr size_t kBlock = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t used_ = 0;
};

// Where UpdateLists was when an error was raised.
struct PairingPosition {
  char step = 'A';
  int p = 0;
  int q = 0;
};

// Contacts, To Dos, memos and the custom kind pair rows whose key is equal:
// the first right row with the left row's key, even when it is paired already
// (its earlier left partner keeps its own entry). A view of the row's text or
// of the record's.
std::string_view PairKey(Session& s, Side side, Kind kind, int row) {
  forms::ListBox& list = s.List(side);
  const int32_t record = list.ItemData(row);
  UserStore& store = s.Store(side);
  switch (kind) {
    case Kind::Contacts: {
      RowRecord(store.contacts, record);  // error 9 for a row naming no record
      const int32_t start = std::max<int32_t>(store.Display(kind, static_cast<size_t>(record)).textStart, 1);
      return MidView(list.List(row), static_cast<size_t>(start), 100, s.settings.DBCS);
    }
    case Kind::ToDos:
      return TextOf(RowRecord(store.todos, record).Description);
    case Kind::Memos:
      RowRecord(store.memos, record);  // error 9 for a row naming no record
      return store.Display(kind, static_cast<size_t>(record)).pairText;
    case Kind::Custom:
      return RowRecord(store.custom, record).Fields[1];
    case Kind::Dates:
      break;
  }
  return {};
}

void PairByKey(Session& s, Kind kind, PairingPosition& at) {
  forms::ListBox& left = s.List(kLeft);
  forms::ListBox& right = s.List(kRight);
  FirstRowIndex firstRight(static_cast<size_t>(right.ListCount()));
  at.step = 'A';
  for (at.q = 0; at.q < right.ListCount(); ++at.q) firstRight.Add(PairKey(s, kRight, kind, at.q));
  at.step = 'B';
  for (at.p = 0; at.p < left.ListCount(); ++at.p) {
    at.q = firstRight.FirstRow(PairKey(s, kLeft, kind, at.p));
    if (at.q < 0) continue;
    s.Map(kLeft)[static_cast<size_t>(at.p)] = at.q;
    s.Map(kRight)[static_cast<size_t>(at.q)] = at.p;
  }
}

// Dates pair by SameDescription: the first FirstDuplicateChars characters of
// the trimmed descriptions are equal, directly, with User1's suffix after the
// left one, or with User2's after the right one. Each way is an equality of
// keys, so the first right row that passes is the smallest of the first rows
// found under the three keys.
void PairDates(Session& s, PairingPosition& at) {
  const Settings& st = s.settings;
  const bool dbcs = st.DBCS;
  const size_t n = st.FirstDuplicateChars < 0 ? 0 : static_cast<size_t>(st.FirstDuplicateChars);
  auto record = [&](Side side, int row) -> DateRecord& {
    return RowRecord(s.Store(side).dates, s.List(side).ItemData(row));
  };
  forms::ListBox& left = s.List(kLeft);
  forms::ListBox& right = s.List(kRight);
  std::vector<int32_t>& leftMap = s.Map(kLeft);
  std::vector<int32_t>& rightMap = s.Map(kRight);
  const size_t rightRows = static_cast<size_t>(right.ListCount());

  // Right rows by their key, and by their key with User2's suffix. The keys
  // are views into the records' descriptions or into the pool.
  TextPool pool;
  std::string cut;  // an Agendus part cut out of a description, before it goes into the pool
  FirstRowIndex plain(rightRows), suffixed(st.SuffixUser2.empty() ? 0 : rightRows);
  std::vector<const DateRecord*> rightRecords;
  rightRecords.reserve(rightRows);
  at.step = 'A';
  for (at.q = 0; at.q < right.ListCount(); ++at.q) {
    const DateRecord& r = record(kRight, at.q);
    std::string_view b = MatchedDescription(r.Description, st, cut);
    if (st.Agendus) b = pool.Add(b);
    plain.Add(LeftView(b, n, dbcs));
    // An empty suffix makes the same key: the plain index answers for it.
    if (!st.SuffixUser2.empty()) suffixed.Add(LeftView(pool.Add(b, st.SuffixUser2), n, dbcs));
    rightRecords.push_back(&r);
  }
  at.step = 'B';
  std::string keptLeft, withSuffix;  // kept: the left rows reuse their buffers
  for (at.p = 0; at.p < left.ListCount(); ++at.p) {
    const DateRecord& r = record(kLeft, at.p);
    const std::string_view a = MatchedDescription(r.Description, st, keptLeft);
    const std::string_view key = LeftView(a, n, dbcs);
    int q = plain.FirstRow(key);
    const auto take = [&q](int candidate) {
      if (candidate >= 0 && (q < 0 || candidate < q)) q = candidate;
    };
    if (!st.SuffixUser1.empty()) {
      withSuffix.assign(a);
      withSuffix += st.SuffixUser1;
      take(plain.FirstRow(LeftView(withSuffix, n, dbcs)));
    }
    if (!st.SuffixUser2.empty()) take(suffixed.FirstRow(key));
    if (q < 0) continue;
    at.q = q;
    at.step = 'C';
    const int32_t earlier = rightMap[static_cast<size_t>(q)];
    if (earlier >= 0) {
      // A right row keeps its first partner unless this left row starts at
      // the same moment.
      if (r.StartTime.value != rightRecords[static_cast<size_t>(q)]->StartTime.value) {
        at.step = 'B';
        continue;
      }
      leftMap[static_cast<size_t>(earlier)] = -1;
    }
    leftMap[static_cast<size_t>(at.p)] = q;
    rightMap[static_cast<size_t>(q)] = at.p;
    at.step = 'B';
  }
}

// The maps are indexed by row: they must hold every row of the longer list.
void ResetMapsFor(Session& s, int rows) {
  if (rows > s.window.ListCapacity + 1) s.window.ListCapacity = rows + 100;
  s.ResetMaps();
}

}  // namespace

void WriteCountLabels(Session& s) {
  for (Side side : kSides) {
    std::string text = std::to_string(s.List(side).ListCount()) + " Records";
    if (!s.window.categoriesView) text += " (of " + std::to_string(s.Store(side).total) + " in total)";
    s.controls.panes[side].recordCount.SetCaption(std::move(text));
  }
}

void UpdateLists(Session& s) {
  if (s.window.categoriesView) return;
  const std::optional<Kind> kind = s.ShownKind();
  if (!kind) return;
  ResetMapsFor(s, std::max(s.List(kLeft).ListCount(), s.List(kRight).ListCount()));
  PairingPosition at;
  std::exception_ptr failure;
  try {
    if (*kind == Kind::Dates)
      PairDates(s, at);
    else
      PairByKey(s, *kind, at);
  } catch (...) {
    failure = std::current_exception();
  }
  if (!failure) return;
  const std::string where =
      std::string("Error: UpdateLists ") + at.step + " " + std::to_string(at.p) + "," + std::to_string(at.q);
  TrapErrors(s.platform, where, [&] { std::rethrow_exception(failure); });
}

int Partner(Session& s, Side side, int row) {
  const std::vector<int32_t>& map = s.Map(side);
  if (row < 0 || static_cast<size_t>(row) >= map.size()) return -1;
  const int32_t partner = map[static_cast<size_t>(row)];
  return partner >= 0 && partner < s.List(Other(side)).ListCount() ? partner : -1;
}

void SetPartner(Session& s, Side side, int row, int32_t partner) {
  if (row < 0) return;
  if (static_cast<size_t>(row) >= s.Map(side).size()) {
    s.window.ListCapacity = std::max(s.window.ListCapacity, row + 100);
    for (auto& map : s.window.maps) map.resize(static_cast<size_t>(s.window.ListCapacity) + 1, -1);
  }
  s.Map(side)[static_cast<size_t>(row)] = partner;
}

void DisplayCategories(Session& s) {
  TrapErrors(s.platform, "DisplayCategories", [&] {
    for (Side side : kSides) s.List(side).Clear();
    const std::optional<Kind> kind = s.ShownKind();
    if (kind) {
      for (Side side : kSides) {
        const KindHeader& header = s.Store(side).Header(*kind);
        std::vector<std::pair<std::string, int32_t>> rows;
        for (size_t t = 0; t < header.Categories.size(); ++t) {
          if (!header.Deleted(t))
            rows.emplace_back(CategoryRowText(header, t, s.settings.DBCS), static_cast<int32_t>(t));
        }
        s.List(side).AddItems(std::move(rows));
      }
    }
    WriteCountLabels(s);
    s.controls.progress.SetVisible(false);
    s.controls.busyNotice.SetVisible(false);
    s.platform.SetBusy(false);
    DisableTransferButtons(s);
    s.ResetMaps();
  });
}

void UpdateCategory(Session& s, Side side, const std::string& name, int32_t index, int row) {
  const std::optional<Kind> kind = s.ShownKind();
  if (!kind) return;
  UserStore& store = s.Store(side);
  const int32_t current = s.window.currentIndex[side];
  if (current < 0 || static_cast<size_t>(current) >= store.Count(*kind)) return;
  const Settings& st = s.settings;
  bool redraw = true;
  switch (*kind) {
    case Kind::Contacts:
      RowRecord(store.contacts, current).Category = index;
      redraw = st.ShowCategories;  // without categories the row shows nothing that changed
      break;
    case Kind::Memos:
      RowRecord(store.memos, current).Category = index;
      break;
    case Kind::ToDos:
      RowRecord(store.todos, current).Category = index;
      break;
    case Kind::Dates: {
      DateRecord& r = RowRecord(store.dates, current);
      const std::string note = TextOf(r.Note);
      if (st.KeepCategories && note.starts_with("##")) {
        // Datebk keeps the category as the fifth character of the note's
        // first line: '@' + the category index.
        const KindHeader& header = store.datesHeader;
        int32_t top = static_cast<int32_t>(header.Categories.size()) - 1;
        for (size_t t = 0; t < header.Categories.size(); ++t) {
          if (!header.Deleted(t)) top = std::max(top, header.Categories[t].Index);
        }
        int32_t j = -1;
        for (int32_t k = top; k >= 0 && j < 0; --k) {
          if (CategoryName(header, k) == name) j = k;
        }
        const NoteParts parts = NoteSplit(note, st, s.labels.AgendusMarker);
        const std::string code(1, static_cast<char>(64 + j));
        r.Note = BytesOf(LeftChars(parts.header, 4, st.DBCS) + code +
                         MidChars(parts.header, 6, std::string::npos, st.DBCS) + parts.body + parts.trailer);
      }
      r.Category = index;
      break;
    }
    case Kind::Custom:
      RowRecord(store.custom, current).Fields[0] = name;
      break;
  }
  store.Changed(*kind) = true;
  s.controls.saveItem.SetEnabled(true);
  // In place: the row keeps its position until the next kind selection.
  if (redraw) s.List(side).SetList(row, RowText(s, side, *kind, current, &name));
}

void DisableTransferButtons(Session& s) {
  for (forms::Button* button : s.controls.AllTransferButtons()) {
    // In the categories view the Add pair adds categories and stays as it is.
    const bool addPair = button == &s.controls.panes[kLeft].add || button == &s.controls.panes[kRight].add;
    if (addPair && s.window.categoriesView) continue;
    button->SetEnabled(false);
  }
}

}  // namespace mirrin
