#include "forms/itemlist.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "palmdata/errors.h"

namespace mirrin::forms {

namespace {

// ASCII letters only, whatever locale the window toolkit sets.
unsigned char Folded(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// Eight bytes of a text from `from` on, folded, as a number that orders as
// the bytes do; past the end the text counts as zeros, which never puts it
// after a longer text it starts.
uint64_t FoldedWord(const std::string& text, size_t from) {
  uint64_t word = 0;
  for (size_t k = from; k < from + 8; ++k) word = word << 8 | (k < text.size() ? Folded(text[k]) : 0u);
  return word;
}

}  // namespace

bool TextLess(const std::string& a, const std::string& b) {
  // Equal bytes are equal folded too: only where the bytes differ is the
  // case looked at. Sorting a long list spends its time here.
  const size_t n = std::min(a.size(), b.size());
  size_t i = 0;
  // Rows often share a long start (a category, a date): skip it eight bytes at a time.
  while (i + 8 <= n && std::memcmp(a.data() + i, b.data() + i, 8) == 0) i += 8;
  for (; i < n; ++i) {
    if (a[i] == b[i]) continue;
    const unsigned char x = Folded(a[i]);
    const unsigned char y = Folded(b[i]);
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

void ItemList::CheckIndex(int index) const {
  if (index < 0 || index >= ListCount()) {
    throw RunError(err::InvalidPropertyIndex, "Invalid property array index", "row " + std::to_string(index));
  }
}

const std::string& ItemList::List(int index) const {
  CheckIndex(index);
  return rows_[static_cast<size_t>(index)].text;
}

int32_t ItemList::ItemData(int index) const {
  CheckIndex(index);
  return rows_[static_cast<size_t>(index)].itemData;
}

void ItemList::SetItemData(int index, int32_t data) {
  CheckIndex(index);
  rows_[static_cast<size_t>(index)].itemData = data;
}

void ItemList::SetList(int index, std::string text) {
  CheckIndex(index);
  // Like the classic List(i) = text: the row changes in place, unsorted.
  rows_[static_cast<size_t>(index)].text = std::move(text);
  NotifyView();
}

int ItemList::InsertRow(std::string text, int32_t itemData) {
  int at = ListCount();
  if (sorted_) {
    const auto pos = std::upper_bound(rows_.begin(), rows_.end(), text,
                                      [](const std::string& t, const Row& r) { return TextLess(t, r.text); });
    at = static_cast<int>(pos - rows_.begin());
  }
  return InsertRowAt(at, std::move(text), itemData);
}

int ItemList::InsertRowAt(int index, std::string text, int32_t itemData) {
  if (index < 0 || index > ListCount()) {
    throw RunError(err::InvalidCall, "Invalid procedure call or argument", "row " + std::to_string(index));
  }
  rows_.insert(rows_.begin() + index, Row{std::move(text), itemData, false, false});
  newIndex_ = index;
  NotifyView();
  return index;
}

void ItemList::InsertRows(std::vector<std::pair<std::string, int32_t>> items) {
  if (items.empty()) return;
  const size_t old = rows_.size();
  rows_.reserve(old + items.size());
  if (!sorted_) {
    for (auto& [text, data] : items) rows_.push_back(Row{std::move(text), data, false, false});
  } else {
    // Stable on both steps: equal texts keep their order of addition, and
    // the rows already present come first, as one-by-one insertion gives.
    // The items' positions are sorted, not the items: a row is a long text.
    // Each carries its first 16 bytes, folded: most comparisons end there,
    // without reading the texts, which was most of the sorting's time.
    struct Keyed {
      uint64_t high, low;
      size_t item;
    };
    std::vector<Keyed> order;
    order.reserve(items.size());
    for (size_t k = 0; k < items.size(); ++k) {
      order.push_back({FoldedWord(items[k].first, 0), FoldedWord(items[k].first, 8), k});
    }
    std::stable_sort(order.begin(), order.end(), [&items](const Keyed& a, const Keyed& b) {
      if (a.high != b.high) return a.high < b.high;
      if (a.low != b.low) return a.low < b.low;
      return TextLess(items[a.item].first, items[b.item].first);
    });
    for (const Keyed& k : order) {
      rows_.push_back(Row{std::move(items[k.item].first), items[k.item].second, false, false});
    }
    auto less = [](const Row& a, const Row& b) { return TextLess(a.text, b.text); };
    std::inplace_merge(rows_.begin(), rows_.begin() + static_cast<long>(old), rows_.end(), less);
  }
  newIndex_ = -1;  // no single row was added last
  NotifyView();
}

void ItemList::EraseRow(int index) {
  CheckIndex(index);
  rows_.erase(rows_.begin() + index);
  newIndex_ = -1;
  NotifyView();
}

void ItemList::ClearRows() {
  rows_.clear();
  newIndex_ = -1;
  NotifyView();
}

int ItemList::FocusRow() const {
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].focus) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace mirrin::forms
