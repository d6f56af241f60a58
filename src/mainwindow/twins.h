#pragma once
// When a record of one user counts as identical to a record of the other
// (its twin), so that neither is listed; and the search for a record's first
// twin on the other side. The tests always take the left record first, so a
// pair is judged the same from either side.
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "mainwindow/userstore.h"
#include "startup/settings.h"

namespace mirrin {

// What the tests read besides the two records.
struct TwinContext {
  const Settings& settings;
  std::string_view agendusMarker;
  const KindHeader& leftHeader;  // the left user's header of the kind
  const KindHeader& rightHeader;
};

// A date's twin: same start (or, both untimed, the same day), same end
// unless both are untimed, the same description (or one with the other
// user's suffix appended by an earlier copy), duration and note; the same
// category name when shown, location, untimed flag, alarm (when alarms are
// copied) and repeat rule.
bool DatesTwin(const DateRecord& left, const DateRecord& right, const TwinContext& c);
bool ContactsEqual(const ContactRecord& left, const ContactRecord& right, const TwinContext& c);
bool TodosEqual(const TodoRecord& left, const TodoRecord& right, const TwinContext& c);
// Same text, and the same category name unless memo categories are hidden.
bool MemosTwin(const MemoRecord& left, const MemoRecord& right, const TwinContext& c);
// All eight fields equal.
bool CustomTwin(const CustomRecord& left, const CustomRecord& right);

enum class TwinSearch {
  Indexed,  // candidates only among records sharing the fields a twin must share
  Plain,    // every record of the other side, in index order
};

// Finds the first twin, in index order, among the other side's live records
// (status 3 or less; custom records not deleted), whatever their other
// filters. Both searches give the same answer; Plain is the reference the
// index is checked against. Reads the stores as they are when constructed;
// working fields may change meanwhile, compared fields must not.
class TwinFinder {
 public:
  TwinFinder(const std::array<UserStore, 2>& stores, Kind kind, const Settings& settings,
             std::string_view agendusMarker, TwinSearch search);
  // The finder keeps references: a temporary store or settings would dangle.
  TwinFinder(std::array<UserStore, 2>&&, Kind, const Settings&, std::string_view, TwinSearch) = delete;
  TwinFinder(const std::array<UserStore, 2>&, Kind, Settings&&, std::string_view, TwinSearch) = delete;
  ~TwinFinder();
  TwinFinder(const TwinFinder&) = delete;
  TwinFinder& operator=(const TwinFinder&) = delete;

  // The index of the twin of record `index` of `side` on the other side; -1 when none.
  int32_t FindTwin(Side side, int32_t index);
  // Candidates given the full twin test so far. An index key that leaves
  // out a compared field finds the same twins, but tests many more.
  size_t TwinTests() const { return twinTests_; }

  class Rules;

 private:
  int32_t FindIndexed(Side side, int32_t index);

  // One side's live records by key: an open-addressed table of each key
  // and its first record, and from each record the next one of its key, so
  // every key's records are a chain in index order. Flat, as every lookup
  // lands somewhere unforeseeable in it.
  struct Index {
    // A slot holds a part of its key and the first record; the whole key
    // is the record's. Eight bytes, so a probe mostly reads one cache line.
    struct Entry {
      uint32_t tag = 0;
      int32_t record = -1;  // -1: a free slot
    };
    std::vector<Entry> slots;
    std::vector<int32_t> next;  // -1 ends a chain
    int shift = 64;             // 64 - log2(slots.size())
    bool built = false;
    // Where key is, or the free slot where it would go, among side's records.
    Entry& Slot(uint64_t key, const Rules& rules, Side side);
  };

  std::unique_ptr<Rules> rules_;
  TwinSearch search_;
  std::array<Index, 2> index_;  // built on first use
  // Scratch for the lookups: the keys, and where each key's chain has got to.
  std::vector<uint64_t> keys_;
  std::vector<int32_t> chains_;
  size_t twinTests_ = 0;
};

}  // namespace mirrin
