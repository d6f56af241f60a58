#include <string>
#include <vector>

#include "mainwindow/listdisplay.h"
#include "mainwindow/rowtext.h"
#include "startup/errorreport.h"
#include "transfer/copyrules.h"
#include "transfer/listops.h"
#include "transfer/transfer.h"

namespace mirrin {

namespace {

template <class Record>
std::vector<CommonFields*> InCategory(std::vector<Record>& records, int32_t index) {
  std::vector<CommonFields*> found;
  for (Record& r : records) {
    if (r.Category == index) found.push_back(&r);
  }
  return found;
}

// Categories view: deletes the category of the side's selected row, after
// asking to move its records to "Unfiled" when it has any.
void DeleteCategory(Session& s, Side side, Kind kind) {
  UserStore& store = s.Store(side);
  KindHeader& header = store.Header(kind);
  const int32_t position = s.window.currentIndex[side];
  if (position < 0 || static_cast<size_t>(position) >= header.Categories.size()) return;
  CategoryEntry& entry = header.Categories[static_cast<size_t>(position)];
  if (header.Deleted(static_cast<size_t>(position))) return;
  // "Unfiled" is built into every table: it is where the records of a
  // deleted category go, and the file's category count never includes it.
  if (position == 0) {
    s.platform.MsgBox("The category 'Unfiled' cannot be deleted.", mb::OKOnly | mb::Exclamation,
                      NoticeTitle());
    return;
  }

  std::vector<CommonFields*> members;
  std::vector<CustomRecord*> customMembers;
  switch (kind) {
    case Kind::Dates:
      members = InCategory(store.dates, entry.Index);
      break;
    case Kind::Contacts:
      members = InCategory(store.contacts, entry.Index);
      break;
    case Kind::ToDos:
      members = InCategory(store.todos, entry.Index);
      break;
    case Kind::Memos:
      members = InCategory(store.memos, entry.Index);
      break;
    case Kind::Custom:
      // Custom records name their category in their first field.
      for (CustomRecord& r : store.custom) {
        if (r.Fields[0] == entry.LongName) customMembers.push_back(&r);
      }
      break;
  }
  const size_t count = members.size() + customMembers.size();
  if (count > 0) {
    const int answer = s.platform.MsgBox("There are " + std::to_string(count) +
                                             " entries in this Category.  These will be moved to 'Unfiled'.",
                                         mb::OKCancel, NoticeTitle());
    if (answer != mb::OK) return;
    for (CommonFields* r : members) r->Category = 0;
    for (CustomRecord* r : customMembers) r->Fields[0] = "Unfiled";
  }
  header.Flags(static_cast<size_t>(position)).deleted = true;
  --header.CategoryCount;
  store.Changed(kind) = true;
  s.controls.saveItem.SetEnabled(true);
  DisplayCategories(s);
}

}  // namespace

void DeleteSelected(Session& s, Side side, Kind kind) {
  UserStore& store = s.Store(side);
  const int32_t status = s.settings.ArchiveDeleted ? kStatusArchived : kStatusDeleted;
  for (int32_t index : SelectedRecords(s.List(side))) {
    // Custom records have no status: a deleted one is left out of the file.
    if (kind == Kind::Custom)
      RowRecord(store.custom, index).Deleted = true;
    else
      CommonOf(store, kind, index)->Status = status;
  }
}

void DeleteOnSide(Session& s, Side side) {
  TrapErrors(s.platform, side == kLeft ? "dleft" : "dright", [&] {
    const std::optional<Kind> kind = s.ShownKind();
    if (s.window.categoriesView) {
      if (kind) DeleteCategory(s, side, *kind);
      return;
    }
    if (kind) {
      DeleteSelected(s, side, *kind);
      s.Store(side).Changed(*kind) = true;
    }
    s.controls.saveItem.SetEnabled(true);
    // Deleted records still belong to the store: the total stays.
    TakeRowsOut(s, side);
  });
}

void ArchiveClicked(Session& s) {
  s.settings.ArchiveDeleted = s.controls.archive.Value() == forms::CheckBox::Checked;
}

}  // namespace mirrin
