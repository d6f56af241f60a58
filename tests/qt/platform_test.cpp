// The Qt platform's message boxes and pop-up menu, and the dialogs' modal
// loops, driven as the operator would.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "qt_fixture.h"

namespace mirrin {
namespace {

using test::QtWindowTest;

TEST_F(QtWindowTest, MessageBoxesHaveTheClassicButtonsIconsAndAnswers) {
  test::BoxAnswers boxes;
  boxes.answers = {QMessageBox::No, QMessageBox::Retry};
  EXPECT_EQ(platform->MsgBox("Save?", mb::YesNoCancel | mb::Exclamation, "Mirrin"), mb::No);
  EXPECT_EQ(platform->MsgBox("Again?", mb::AbortRetryIgnore | mb::Critical, "Mirrin"), mb::Retry);
  // Escape: Cancel where the box has one, else its last button.
  EXPECT_EQ(platform->MsgBox("Go on?", mb::OKCancel | mb::Question, "Mirrin"), mb::Cancel);
  EXPECT_EQ(platform->MsgBox("Keep?", mb::YesNo | mb::Question, "Mirrin"), mb::No);
  EXPECT_EQ(platform->MsgBox("Done.\r\nSecond line", mb::OKOnly | mb::Information, "Mirrin"), mb::OK);

  ASSERT_EQ(boxes.shown.size(), 5u);
  EXPECT_EQ(boxes.buttonCounts, (std::vector<int>{3, 3, 2, 2, 1}));
  EXPECT_EQ(boxes.icons, (std::vector<QMessageBox::Icon>{QMessageBox::Warning, QMessageBox::Critical,
                                                         QMessageBox::Question, QMessageBox::Question,
                                                         QMessageBox::Information}));
  EXPECT_EQ(boxes.shown[4], QStringLiteral("Done.\nSecond line"));
}

TEST_F(QtWindowTest, PopupMenuAnswersTheChosenIndexAndSkipsSeparators) {
  auto choose = [](int downs) {
    QTimer::singleShot(50, [downs] {
      QWidget* menu = QApplication::activePopupWidget();
      ASSERT_NE(menu, nullptr);
      for (int i = 0; i < downs; ++i) QTest::keyClick(menu, Qt::Key_Down);
      QTest::keyClick(menu, downs > 0 ? Qt::Key_Return : Qt::Key_Escape);
    });
  };
  choose(2);
  EXPECT_EQ(platform->PopupMenu({"Business", " - ", "Personal"}), std::optional<int>(2));
  choose(0);
  EXPECT_EQ(platform->PopupMenu({"Business", "Personal"}), std::nullopt);
}

TEST_F(QtWindowTest, DialogsCloseThroughTheirModelsButtonsOrAsCancel) {
  QDialog* dialog = windows->configure;
  QTimer::singleShot(50, [&] {
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    QTest::mouseClick(static_cast<QPushButton*>(windows->configure->Form().WidgetOf(app->configure.cmdCancel)),
                      Qt::LeftButton);
  });
  app->configure.Show();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(app->configure.window.Visible());

  // Escape closes the window only; the model takes that as Cancel.
  const std::string daysBefore = s().settings.DaystoIgnore;
  QTimer::singleShot(50, [&] {
    auto* days = static_cast<QLineEdit*>(windows->configure->Form().WidgetOf(app->configure.txtDaystoIgnore));
    days->setText(QStringLiteral("12"));
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  app->configure.Show();
  EXPECT_FALSE(app->configure.window.Visible());
  EXPECT_EQ(s().settings.DaystoIgnore, daysBefore);
}

}  // namespace
}  // namespace mirrin
