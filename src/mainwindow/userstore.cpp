#include "mainwindow/userstore.h"

#include <algorithm>

namespace mirrin {

const KindHeader& UserStore::Header(Kind kind) const {
  switch (kind) {
    case Kind::Dates:
      return datesHeader;
    case Kind::Contacts:
      return contactsHeader;
    case Kind::ToDos:
      return todosHeader;
    case Kind::Memos:
      return memosHeader;
    case Kind::Custom:
      break;
  }
  return customHeader;
}

KindHeader& UserStore::Header(Kind kind) {
  return const_cast<KindHeader&>(static_cast<const UserStore&>(*this).Header(kind));
}

size_t UserStore::Count(Kind kind) const {
  switch (kind) {
    case Kind::Dates:
      return dates.size();
    case Kind::Contacts:
      return contacts.size();
    case Kind::ToDos:
      return todos.size();
    case Kind::Memos:
      return memos.size();
    case Kind::Custom:
      break;
  }
  return custom.size();
}

RowDisplay& UserStore::Display(Kind kind, size_t index) {
  std::vector<RowDisplay>& shown = rowDisplay[static_cast<size_t>(kind)];
  if (index >= shown.size()) shown.resize(std::max(index + 1, Count(kind)));
  return shown[index];
}

int ChangedWord(const std::array<UserStore, 2>& stores) {
  int word = 0;
  for (Side side : kSides) {
    const UserStore& s = stores[side];
    const int shift = side == kLeft ? 0 : 4;
    if (s.Changed(Kind::Dates)) word |= 1 << shift;
    if (s.Changed(Kind::Contacts)) word |= 2 << shift;
    if (s.Changed(Kind::Memos)) word |= 4 << shift;
    if (s.Changed(Kind::ToDos)) word |= 8 << shift;
    if (s.Changed(Kind::Custom)) word |= side == kLeft ? 512 : 1024;
  }
  return word;
}

}  // namespace mirrin
