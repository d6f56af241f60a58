#include <string>

#include "palmdata/errors.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/rowtext.h"
#include "startup/errorreport.h"
#include "transfer/copyrules.h"
#include "transfer/listops.h"
#include "transfer/transfer.h"

namespace mirrin {

namespace {

template <class Record>
void AppendBlank(std::vector<Record>& records, int32_t recordId) {
  Record r;
  r.Status = kStatusAdded;
  r.RecordId = recordId;
  records.push_back(std::move(r));
}

// Appends to the other side a copy of record `index` of side `from`.
void AddOne(Session& s, Kind kind, Side from, int32_t index, CategoriesNotAdded& notAdded) {
  const Side to = Other(from);
  UserStore& dst = s.Store(to);
  if (index < 0 || static_cast<size_t>(index) >= s.Store(from).Count(kind)) {
    throw RunError(err::SubscriptOutOfRange, "record " + std::to_string(index));
  }
  switch (kind) {
    case Kind::Dates:
      AppendBlank(dst.dates, kNewRecordId);
      break;
    // Contacts added to User1 keep RecordId 0.
    case Kind::Contacts:
      AppendBlank(dst.contacts, to == kLeft ? 0 : kNewRecordId);
      break;
    case Kind::ToDos:
      AppendBlank(dst.todos, kNewRecordId);
      break;
    case Kind::Memos:
      AppendBlank(dst.memos, kNewRecordId);
      break;
    case Kind::Custom:
      dst.custom.emplace_back();
      break;
  }
  const auto count = static_cast<int32_t>(dst.Count(kind));
  dst.Header(kind).RecordCount = count;
  const std::string& suffix = from == kLeft ? s.settings.SuffixUser1 : s.settings.SuffixUser2;
  CopyRecord(s, kind, from, index, count - 1, suffix, notAdded);
  dst.Changed(kind) = true;
  s.controls.saveItem.SetEnabled(true);
}

// Categories view: the category selected in the other list, or a new one.
void AddCategoryAcross(Session& s, Side target, Kind kind) {
  const Side source = Other(target);
  forms::ListBox& list = s.List(source);
  std::string name = s.labels.NewCategoryName;
  if (list.SelCount() > 0) {
    name = RowRecord(s.Store(source).Header(kind).Categories, list.ItemData(list.ListIndex())).LongName;
  }
  if (!AddCategory(s.Store(target).Header(kind), name, s.settings.DBCS)) {
    TellCategoriesNotAdded(s, target, kind, {name}, false);
    return;
  }
  DisplayCategories(s);
  // The custom kind's categories are its records' first fields: its file
  // does not change until a record takes the new category.
  if (kind != Kind::Custom) s.Store(target).Changed(kind) = true;
  s.controls.saveItem.SetEnabled(true);
}

}  // namespace

int AddSelected(Session& s, Kind kind, Side source) {
  const std::vector<int32_t> records = SelectedRecords(s.List(source));
  CategoriesNotAdded notAdded;
  for (int32_t index : records) AddOne(s, kind, source, index, notAdded);
  TellCategoriesNotAdded(s, Other(source), kind, notAdded, true);
  return static_cast<int>(records.size());
}

void AddAcross(Session& s, Side target) {
  TrapErrors(s.platform, target == kLeft ? "aleft" : "aright", [&] {
    const std::optional<Kind> kind = s.ShownKind();
    if (s.window.categoriesView) {
      if (kind) AddCategoryAcross(s, target, *kind);
      return;
    }
    const Side source = Other(target);
    int added = 0;
    if (kind) {
      if (!RoomFor(s, *kind, target, static_cast<size_t>(s.List(source).SelCount()))) return;
      added = AddSelected(s, *kind, source);
    }
    s.Store(target).total += added;
    TakeRowsOut(s, source);
  });
}

}  // namespace mirrin
