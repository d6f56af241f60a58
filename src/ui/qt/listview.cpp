#include "ui/qt/listview.h"

#include <QItemSelection>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "mainwindow/rowtext.h"
#include "ui/listkeys.h"
#include "ui/qt/binding.h"
#include "ui/qt/qttext.h"

namespace mirrin::qt {

ListBoxModel::ListBoxModel(forms::ListBox& list, QObject* parent) : QAbstractListModel(parent), list_(list) {}

int ListBoxModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant ListBoxModel::data(const QModelIndex& index, int role) const {
  // Between a change of the list and the next Refresh the view may ask for
  // a row the list no longer has.
  if (!index.isValid() || index.row() >= list_.ListCount()) return {};
  if (role == Qt::DisplayRole) return ToQt(ShownRowText(list_.List(index.row())));
  if (role == Qt::ToolTipRole && toolTip) {
    const std::string tip = toolTip(index.row());
    if (!tip.empty()) return ToQt(tip);
  }
  return {};
}

bool ListBoxModel::Refresh() {
  if (list_.ListCount() != rows_) {
    beginResetModel();
    rows_ = list_.ListCount();
    endResetModel();
    return true;
  }
  if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1), {Qt::DisplayRole});
  return false;
}

ListBoxView::ListBoxView(forms::ListBox& list, QWidget* parent)
    : QListView(parent), list_(list), model_(list, this) {
  setModel(&model_);
  setUniformItemSizes(true);
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setSelectionMode(list.MultiSelect() ? QAbstractItemView::ExtendedSelection
                                      : QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Rows are never cut short: a wide row scrolls.
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The operator's scrolling moves the model's TopIndex (it locates
  // right-clicked rows); Update reports its own scrolling once it is done.
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (updating_ || value == list_.TopIndex()) return;
    seenTop_ = value;
    list_.SetTopIndex(value);
  });
}

void ListBoxView::Update() {
  updating_ = true;
  const bool reset = model_.Refresh();
  const int count = list_.ListCount();
  QItemSelection selection;
  int runStart = -1;
  for (int i = 0; i <= count; ++i) {
    const bool selected = i < count && list_.Selected(i);
    if (selected && runStart < 0) runStart = i;
    if (!selected && runStart >= 0) {
      selection.select(model_.index(runStart), model_.index(i - 1));
      runStart = -1;
    }
  }
  QItemSelectionModel* sm = selectionModel();
  {
    const QSignalBlocker blocker(sm);
    sm->select(selection, QItemSelectionModel::ClearAndSelect);
    const int focus = list_.ListIndex();
    sm->setCurrentIndex(focus >= 0 ? model_.index(focus) : QModelIndex(), QItemSelectionModel::NoUpdate);
  }
  // The program moved the top row or the selected row: as the classic list
  // does, show the top row asked for, then scroll only as far as needed to
  // show the selected row.
  const int focus = list_.ListIndex();
  bool scrolled = false;
  if ((reset || list_.TopIndex() != seenTop_) && count > 0) {
    scrollTo(model_.index(std::min(list_.TopIndex(), count - 1)), QAbstractItemView::PositionAtTop);
    scrolled = true;
  }
  if (focus != shownFocus_ && focus >= 0) {
    scrollTo(model_.index(focus), QAbstractItemView::EnsureVisible);
    scrolled = true;
  }
  seenTop_ = list_.TopIndex();
  shownFocus_ = focus;
  updating_ = false;
  viewport()->update();
  // Near the end the top row asked for may not reach the top; the model
  // learns the row really shown there.
  const int shownTop = verticalScrollBar()->value();
  if (scrolled && shownTop != list_.TopIndex()) {
    seenTop_ = shownTop;
    list_.SetTopIndex(shownTop);
  }
}

void ListBoxView::mousePressEvent(QMouseEvent* event) {
  event->accept();
  FlushPendingViews();
  setFocus(Qt::MouseFocusReason);
  const QModelIndex index = indexAt(event->position().toPoint());
  const int row = index.isValid() && index.row() < list_.ListCount() ? index.row() : -1;
  if (event->button() == Qt::RightButton) {
    if (onRightButton) RunUserAction([&] { onRightButton(row); });
    return;
  }
  if (event->button() != Qt::LeftButton || row < 0) return;
  const bool control = event->modifiers().testFlag(Qt::ControlModifier);
  RunUserAction([&] { list_.UserClick(row, control); });
}

// The second press of a double click is a click like the first.
void ListBoxView::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

// Dragging selects nothing: the selection is the model's.
void ListBoxView::mouseMoveEvent(QMouseEvent* event) { event->accept(); }
void ListBoxView::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void ListBoxView::keyPressEvent(QKeyEvent* event) {
  event->accept();
  FlushPendingViews();
  const forms::KeyCode code = ClassicKeyCode(event->key());
  if (code == forms::KeyCode::None) return;
  RunUserAction([&] { list_.UserKeyDown(code); });
  // A page is the rows in view, less one kept from the last page.
  const int rowHeight = std::max(1, sizeHintForRow(0));
  const int page = viewport()->height() / rowHeight - 1;
  RunUserAction([&] { ListNavigate(list_, code, page); });
}

void ListBoxView::keyReleaseEvent(QKeyEvent* event) {
  event->accept();
  const forms::KeyCode code = ClassicKeyCode(event->key());
  if (code != forms::KeyCode::None && !event->isAutoRepeat()) RunUserAction([&] { list_.UserKeyUp(code); });
}

forms::KeyCode ClassicKeyCode(int qtKey) {
  using K = forms::KeyCode;
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
    return K{qtKey};
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
    return K{static_cast<int32_t>(K::F1) + (qtKey - Qt::Key_F1)};
  switch (qtKey) {
    case Qt::Key_Backspace:
      return K::Backspace;
    case Qt::Key_Tab:
      return K::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return K::Enter;
    case Qt::Key_Shift:
      return K::Shift;
    case Qt::Key_Control:
      return K::Ctrl;
    case Qt::Key_Alt:
      return K::Alt;
    case Qt::Key_Escape:
      return K::Escape;
    case Qt::Key_Space:
      return K::Space;
    case Qt::Key_PageUp:
      return K::PageUp;
    case Qt::Key_PageDown:
      return K::PageDown;
    case Qt::Key_End:
      return K::End;
    case Qt::Key_Home:
      return K::Home;
    case Qt::Key_Left:
      return K::Left;
    case Qt::Key_Up:
      return K::Up;
    case Qt::Key_Right:
      return K::Right;
    case Qt::Key_Down:
      return K::Down;
    case Qt::Key_Insert:
      return K::Insert;
    case Qt::Key_Delete:
      return K::Delete;
    default:
      return K::None;
  }
}

}  // namespace mirrin::qt
