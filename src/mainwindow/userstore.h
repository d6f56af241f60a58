#pragma once
// One side's data in memory: the header and records of every kind, loaded
// from that user's files and written back only by saving.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "palmdata/addressfile.h"
#include "palmdata/customfile.h"
#include "palmdata/datebookfile.h"
#include "palmdata/header.h"
#include "palmdata/memofile.h"
#include "palmdata/todofile.h"
#include "startup/catfilter.h"

namespace mirrin {

enum Side : size_t { kLeft = 0, kRight = 1 };
inline constexpr std::array<Side, 2> kSides{kLeft, kRight};
inline Side Other(Side s) { return s == kLeft ? kRight : kLeft; }
// User1 is the left side, User2 the right.
inline int UserNumber(Side s) { return s == kLeft ? 1 : 2; }

enum class Kind { Dates, Contacts, ToDos, Memos, Custom };
inline constexpr int kKindCount = 5;

// The kind selector's texts; the custom kind is named by the setting Custom1.
inline constexpr const char* kChoose = "Choose...";
inline constexpr const char* kDatesText = "Dates";
inline constexpr const char* kContactsText = "Contacts";
inline constexpr const char* kToDosText = "To Dos";
inline constexpr const char* kMemosText = "Memos";

// What the list shows of a record besides its row, worked out when the row
// is built. It lives beside the records: they hold only what their files hold.
struct RowDisplay {
  int32_t textStart =
      0;  // dates and contacts: 1-based position in the row where the record's own text starts
  // Memos: the title their rows pair by. Held apart, so a view of it stays
  // valid when the display states of later records are added.
  HeldText pairText;
};

struct UserStore {
  bool loaded = false;
  std::string userName;  // as in users.dat
  std::string userDir;
  std::array<bool, kKindCount> read{};  // the kinds read at loading (the included ones), by Kind
  KindHeader datesHeader;
  KindHeader contactsHeader;
  KindHeader todosHeader;
  KindHeader memosHeader;
  KindHeader customHeader;  // only the category table and RecordCount are used
  std::vector<DateRecord> dates;
  std::vector<ContactRecord> contacts;
  std::vector<TodoRecord> todos;
  std::vector<MemoRecord> memos;
  std::vector<CustomRecord> custom;
  std::array<bool, kKindCount> changed{};  // indexed by Kind
  // The operator was told that the kind's category table is more than a
  // handheld holds (once per loaded file).
  std::array<bool, kKindCount> toldBeyondHandheld{};
  // By Kind, then record index; reset at each kind selection.
  std::array<std::vector<RowDisplay>, kKindCount> rowDisplay;
  int32_t total = 0;     // records of the shown kind that count "in total"
  int32_t filtered = 0;  // of those, how many the filters (date window, private, category, pattern) hid

  KindHeader& Header(Kind kind);
  const KindHeader& Header(Kind kind) const;
  bool& Changed(Kind kind) { return changed[static_cast<size_t>(kind)]; }
  bool Changed(Kind kind) const { return changed[static_cast<size_t>(kind)]; }
  // Number of records of a kind in memory (loaded and added).
  size_t Count(Kind kind) const;
  // Record `index`'s display state; records added since the selection start empty.
  RowDisplay& Display(Kind kind, size_t index);
};

// The changed flags of both users as one word: User1 Dates 1, Contacts 2,
// Memos 4, To Dos 8; User2 16, 32, 64, 128; custom kind 512 and 1024.
int ChangedWord(const std::array<UserStore, 2>& stores);

}  // namespace mirrin
