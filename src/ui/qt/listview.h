#pragma once
// A list box model shown by a QListView: the Qt model reads the rows from
// the ListBox on demand (nothing is copied per row, so 30,000 rows cost
// nothing until drawn), and the view forwards clicks and keys to the model
// instead of selecting by itself.
#include <QAbstractListModel>
#include <QListView>
#include <functional>

#include "forms/listbox.h"

namespace mirrin::qt {

class ListBoxModel : public QAbstractListModel {
  Q_OBJECT

 public:
  ListBoxModel(forms::ListBox& list, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The tooltip of a row; none when it answers "".
  std::function<std::string(int row)> toolTip;

  // Reads the list again: a reset when the number of rows changed, else
  // every row's text (rows change text in place). True after a reset.
  bool Refresh();

 private:
  forms::ListBox& list_;
  int rows_ = 0;
};

class ListBoxView : public QListView {
  Q_OBJECT

 public:
  explicit ListBoxView(forms::ListBox& list, QWidget* parent = nullptr);

  // Copies the model's rows, selection, focus row and top row onto the view.
  void Update();

  // The right mouse button went down on this row (-1 below the last row);
  // the window decides what it does.
  std::function<void(int row)> onRightButton;
  void SetToolTip(std::function<std::string(int row)> toolTip) { model_.toolTip = std::move(toolTip); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  forms::ListBox& list_;
  ListBoxModel model_;
  int seenTop_ = 0;  // the model's TopIndex as last shown or reported
  int shownFocus_ = -1;
  bool updating_ = false;
};

// The classic key code of a key; None for keys without one.
forms::KeyCode ClassicKeyCode(int qtKey);

}  // namespace mirrin::qt
