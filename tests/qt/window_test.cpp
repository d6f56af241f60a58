// The main window on screen (offscreen): the operator's clicks reach the
// models and the files, and the widgets show what the models hold.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QTest>

#include "palmdata/datebookfile.h"
#include "qt_fixture.h"
#include "ui/qt/qttext.h"

namespace mirrin {
namespace {

using test::QtWindowTest;

std::vector<QString> ViewRows(QListView* view) {
  std::vector<QString> rows;
  for (int i = 0; i < view->model()->rowCount(); ++i)
    rows.push_back(view->model()->index(i, 0).data().toString());
  return rows;
}

// The model's rows as the operator should see them: without the blanks and
// record id that end the Palm kinds' rows.
std::vector<QString> ModelRows(const forms::ListBox& list) {
  std::vector<QString> rows;
  static const QRegularExpression tail(QStringLiteral(" {100}[0-9]*$"));
  for (int i = 0; i < list.ListCount(); ++i) rows.push_back(qt::ToQt(list.List(i)).remove(tail));
  return rows;
}

void ClickRow(QListView* view, int row, Qt::KeyboardModifiers modifiers = {}) {
  QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                    view->visualRect(view->model()->index(row, 0)).center());
}

QAction* ActionWithText(QMenu* menu, const QString& text) {
  for (QAction* a : menu->actions()) {
    if (a->text() == text) return a;
  }
  return nullptr;
}

TEST_F(QtWindowTest, DatesPickedRowAddedAcrossAndSavedReachTheFile) {
  test::BoxWatcher boxes;
  auto* kinds = widget<QComboBox>(f().kindSelector);
  ASSERT_NE(kinds, nullptr);
  kinds->setFocus();
  QTest::keyClick(kinds, Qt::Key_Down);  // "Choose..." -> "Dates"
  Settle();
  EXPECT_EQ(kinds->currentText(), QStringLiteral("Dates"));
  ASSERT_EQ(f().panes[kLeft].list.ListCount(), 1);  // "Date 2" is the left user's own

  auto* left = widget<QListView>(f().panes[kLeft].list);
  ASSERT_EQ(ViewRows(left).size(), 1u);
  ClickRow(left, 0);
  Settle();
  EXPECT_TRUE(f().panes[kLeft].list.Selected(0));
  EXPECT_TRUE(left->selectionModel()->isRowSelected(0, {}));

  auto* add = widget<QPushButton>(f().panes[kRight].add);
  ASSERT_NE(add, nullptr);
  ASSERT_TRUE(add->isEnabled());
  QTest::mouseClick(add, Qt::LeftButton);
  Settle();

  QAction* save = ActionWithText(windows->main.FileMenu(), QStringLiteral("&Save"));
  ASSERT_NE(save, nullptr);
  ASSERT_TRUE(save->isEnabled());
  save->trigger();
  Settle();
  EXPECT_FALSE(save->isEnabled());
  EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().toStdString();

  DatFileHeader header;
  std::vector<DateRecord> dates;
  DataContext ctx;
  ReadDatebookFile(1, test::DatebookPath(Dir(kRight)), header, dates, ctx);
  ASSERT_EQ(dates.size(), 3u);
  EXPECT_EQ(dates[2].Description, "Date 2");
}

TEST_F(QtWindowTest, WidgetsShowWhatTheModelsHold) {
  f().kindSelector.SetText("Dates");
  Settle();
  for (SidePane& pane : f().panes) EXPECT_EQ(ViewRows(widget<QListView>(pane.list)), ModelRows(pane.list));
  auto* left = widget<QListView>(f().panes[kLeft].list);
  EXPECT_EQ(widget<QComboBox>(f().kindSelector)->currentText(), QStringLiteral("Dates"));
  EXPECT_EQ(widget<QLabel>(f().panes[kLeft].recordCount)->text(),
            qt::ToQt(f().panes[kLeft].recordCount.Caption()));
  EXPECT_EQ(widget<QLineEdit>(f().panes[kLeft].userName)->text(), QStringLiteral("UserA"));
  EXPECT_TRUE(widget<QLineEdit>(f().panes[kLeft].userName)->isReadOnly());

  // Every button: caption and enabled flag as in its model.
  for (forms::Button* b : f().AllTransferButtons()) {
    auto* w = widget<QPushButton>(*b);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->text(), qt::ToQt(b->Caption()));
    EXPECT_EQ(w->isEnabled(), b->Enabled()) << b->Caption();
    EXPECT_EQ(w->isVisibleTo(&view()), b->Visible()) << b->Caption();
  }

  // Placed by the twips, 15 to a pixel.
  EXPECT_EQ(left->geometry(), qt::PixelRect(f().panes[kLeft].list.Layout()));

  // A selected row's detail: the model's texts, locked fields read-only.
  ClickRow(left, 0);
  Settle();
  auto* line = widget<QPlainTextEdit>(f().panes[kLeft].details);
  EXPECT_EQ(line->toPlainText(), qt::ToQtLines(f().panes[kLeft].details.Text()));
  EXPECT_FALSE(line->toPlainText().isEmpty());
  EXPECT_EQ(line->isReadOnly(), f().panes[kLeft].details.Locked());
  EXPECT_EQ(widget<QLineEdit>(f().panes[kLeft].description)->text(),
            qt::ToQt(f().panes[kLeft].description.Text()));
}

TEST_F(QtWindowTest, ModelChangesAndClicksRunEachHandlerOnce) {
  int kindClicks = 0, listClicks = 0, descChanges = 0, archiveClicks = 0;
  auto count = [](std::function<void()>& handler, int& n) {
    handler = [inner = handler, &n] {
      ++n;
      if (inner) inner();
    };
  };
  count(f().kindSelector.onClick, kindClicks);
  count(f().panes[kLeft].list.onClick, listClicks);
  count(f().panes[kLeft].description.onChange, descChanges);
  count(f().archive.onClick, archiveClicks);

  f().kindSelector.SetListIndex(1);
  Settle();
  EXPECT_EQ(kindClicks, 1);
  EXPECT_EQ(widget<QComboBox>(f().kindSelector)->currentIndex(), 1);

  f().panes[kLeft].list.SetListIndex(0);
  Settle();
  EXPECT_EQ(listClicks, 1);
  ClickRow(widget<QListView>(f().panes[kLeft].list), 0);
  Settle();
  EXPECT_EQ(listClicks, 2);  // a click on the selected row still clicks, once

  f().panes[kLeft].description.SetLocked(false);
  descChanges = 0;  // the click showed the row's description
  f().panes[kLeft].description.SetText("typed by the program");
  Settle();
  EXPECT_EQ(descChanges, 1);
  EXPECT_EQ(widget<QLineEdit>(f().panes[kLeft].description)->text(), QStringLiteral("typed by the program"));
  QTest::keyClick(widget<QLineEdit>(f().panes[kLeft].description), Qt::Key_X);
  EXPECT_EQ(descChanges, 2);
  EXPECT_EQ(f().panes[kLeft].description.Text(), "typed by the programx");

  auto* archive = widget<QCheckBox>(f().archive);
  f().archive.SetValue(forms::CheckBox::Checked);
  EXPECT_EQ(archiveClicks, 1);
  EXPECT_TRUE(archive->isChecked());
  QTest::mouseClick(archive, Qt::LeftButton);
  EXPECT_EQ(archiveClicks, 2);
  EXPECT_EQ(f().archive.Value(), forms::CheckBox::Unchecked);
  EXPECT_FALSE(archive->isChecked());
}

// Every visible control inside the client area, no two overlapping, no
// caption, text or row cut short, and the panes reaching the right edge.
void ExpectLaidOut(QWidget& area, const char* size) {
  std::vector<QWidget*> shown;
  for (QWidget* w : area.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isVisibleTo(&area)) shown.push_back(w);
  }
  int right = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    QWidget* w = shown[i];
    const std::string name = std::string(w->metaObject()->className()) + " at " + size;
    EXPECT_TRUE(area.rect().contains(w->geometry())) << name;
    right = std::max(right, w->geometry().right());
    for (size_t j = i + 1; j < shown.size(); ++j) {
      EXPECT_FALSE(w->geometry().intersects(shown[j]->geometry()))
          << name << " overlaps " << shown[j]->metaObject()->className();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      // The caption and, for a check box, the box before it.
      int needed = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) + 4;
      if (qobject_cast<QCheckBox*>(w)) {
        needed += w->style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                  w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
      }
      EXPECT_LE(needed, w->width()) << name << " cuts its caption " << button->text().toStdString();
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width()) << name;
    } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
      EXPECT_LT(line->fontMetrics().horizontalAdvance(line->text()), line->width() - 6) << name;
    } else if (auto* list = qobject_cast<QListView*>(w)) {
      for (int r = 0; r < list->model()->rowCount(); ++r) {
        const QModelIndex index = list->model()->index(r, 0);
        const int reach = std::max(list->visualRect(index).width(),
                                   list->viewport()->width() + list->horizontalScrollBar()->maximum());
        EXPECT_LE(list->fontMetrics().horizontalAdvance(index.data().toString()), reach)
            << name << " row " << r;
      }
    }
  }
  // The right pane ends a margin before the window's edge.
  EXPECT_GE(right, area.width() * 97 / 100) << size;
}

TEST_F(QtWindowTest, TheLayoutFillsTheWindowAtEverySize) {
  test::BoxWatcher boxes;
  // A short first row and a row wider than the list after it.
  s().Store(kLeft).dates.at(0).Description = "Date 0 moved";
  s().Store(kLeft).dates.at(2).Description = "A long appointment description, wider than any list shows";
  f().kindSelector.SetText("Dates");
  ASSERT_EQ(f().panes[kLeft].list.ListCount(), 2);
  f().panes[kLeft].list.UserClick(0);
  Settle();
  auto* left = widget<QListView>(f().panes[kLeft].list);
  const QRect before = left->geometry();
  ExpectLaidOut(view(), "the first size");

  windows->main.resize(windows->main.width() * 3 / 2, windows->main.height() * 3 / 2);
  Settle();
  EXPECT_GT(left->width(), before.width() * 5 / 4);
  EXPECT_GT(left->height(), before.height() * 5 / 4);
  EXPECT_EQ(left->geometry(), qt::PixelRect(f().panes[kLeft].list.Layout()));
  ExpectLaidOut(view(), "1.5 times");

  windows->main.resize(windows->main.width() * 2, windows->main.height() * 3 / 2);
  Settle();
  ExpectLaidOut(view(), "wide");
  EXPECT_GT(QFontInfo(widget<QPushButton>(f().exitButton)->font()).pointSizeF(),
            QFontInfo(QApplication::font()).pointSizeF())
      << "text grows with the window";
}

}  // namespace
}  // namespace mirrin
