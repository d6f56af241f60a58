#include "transfer/listops.h"

#include <algorithm>
#include <utility>

#include "mainwindow/detail.h"
#include "mainwindow/listdisplay.h"
#include "mainwindow/recordtext.h"
#include "mainwindow/rowtext.h"
#include "startup/version.h"
#include "transfer/copyrules.h"

namespace mirrin {

ListPlace RememberPlace(const forms::ListBox& list) { return {list.ListIndex(), list.TopIndex()}; }

void RestorePlace(forms::ListBox& list, ListPlace place, bool topFirst) {
  const int last = list.ListCount() - 1;
  if (last < 0) return;
  const int row = std::min(place.row, last);
  const int top = std::min(place.top, last);
  if (topFirst) list.SetTopIndex(top);
  list.SetListIndex(row);
  if (!topFirst) list.SetTopIndex(top);
}

std::vector<int32_t> SelectedRecords(const forms::ListBox& list) {
  std::vector<int32_t> records;
  for (int row = 0; row < list.ListCount(); ++row) {
    if (list.Selected(row)) records.push_back(list.ItemData(row));
  }
  return records;
}

void RemoveSelectedRows(Session& s, Side side) {
  forms::ListBox& list = s.List(side);
  std::vector<std::pair<std::string, int32_t>> kept;
  for (int row = 0; row < list.ListCount(); ++row) {
    if (!list.Selected(row)) kept.emplace_back(list.List(row), list.ItemData(row));
  }
  list.Clear();
  list.AddItems(std::move(kept));
  // Row positions moved: every pair refers to rows that are gone.
  s.ResetMaps();
}

void TakeRowsOut(Session& s, Side side) {
  forms::ListBox& list = s.List(side);
  const ListPlace place = RememberPlace(list);
  RemoveSelectedRows(s, side);
  WriteCountLabels(s);
  ClearDetail(s, side);
  UpdateLists(s);
  DisableTransferButtons(s);
  RestorePlace(list, place, true);
}

CommonFields* CommonOf(UserStore& store, Kind kind, int32_t index) {
  switch (kind) {
    case Kind::Dates:
      return &RowRecord(store.dates, index);
    case Kind::Contacts:
      return &RowRecord(store.contacts, index);
    case Kind::ToDos:
      return &RowRecord(store.todos, index);
    case Kind::Memos:
      return &RowRecord(store.memos, index);
    case Kind::Custom:
      break;
  }
  return nullptr;
}

void CopyRecord(Session& s, Kind kind, Side from, int32_t sourceIndex, int32_t targetIndex,
                const std::string& suffix, CategoriesNotAdded& notAdded) {
  const Settings& st = s.settings;
  UserStore& src = s.Store(from);
  UserStore& dst = s.Store(Other(from));
  switch (kind) {
    case Kind::Dates:
      CopyDate(st, s.labels.AgendusMarker, RowRecord(src.dates, sourceIndex), src.datesHeader,
               RowRecord(dst.dates, targetIndex), dst.datesHeader, suffix, notAdded);
      break;
    case Kind::Contacts:
      CopyContact(st, RowRecord(src.contacts, sourceIndex), src.contactsHeader,
                  RowRecord(dst.contacts, targetIndex), dst.contactsHeader, notAdded);
      break;
    case Kind::ToDos:
      CopyTodo(st, RowRecord(src.todos, sourceIndex), src.todosHeader, RowRecord(dst.todos, targetIndex),
               dst.todosHeader, notAdded);
      break;
    case Kind::Memos:
      CopyMemo(st, RowRecord(src.memos, sourceIndex), src.memosHeader, RowRecord(dst.memos, targetIndex),
               dst.memosHeader, notAdded);
      break;
    case Kind::Custom:
      CopyCustom(RowRecord(src.custom, sourceIndex), RowRecord(dst.custom, targetIndex));
      break;
  }
}

bool RoomFor(Session& s, Kind kind, Side target, size_t adding) {
  const size_t have = s.Store(target).Count(kind);
  if (have + adding <= kMostRecordsOfKind) return true;
  s.platform.MsgBox("User" + std::to_string(UserNumber(target)) + " holds " + std::to_string(have) + " " +
                        s.KindText(kind) + " records. Adding " + std::to_string(adding) +
                        " more would take them past " + std::to_string(kMostRecordsOfKind) +
                        ", the most the lists can show. Nothing was added.",
                    mb::OKOnly | mb::Exclamation, NoticeTitle());
  return false;
}

void TellCategoriesNotAdded(Session& s, Side target, Kind kind, const CategoriesNotAdded& names,
                            bool records) {
  if (names.empty()) return;
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "'" : ", '") + name + "'";
  s.platform.MsgBox(s.controls.panes[target].userName.Text() + "'s " + s.KindText(kind) + " already hold " +
                        std::to_string(kMostCategories) + " categories: " + list +
                        (names.size() == 1 ? " was" : " were") + " not added" +
                        (records ? "; those records are Unfiled" : ""),
                    mb::OKOnly | mb::Exclamation, NoticeTitle());
}

std::string NoticeTitle() { return std::string(kProgramName) + " " + VersionText(); }

}  // namespace mirrin
