#include "ui/qt/qtplatform.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "ui/qt/binding.h"
#include "ui/qt/qttext.h"

namespace mirrin::qt {

namespace {

// The classic button sets in their order, with the answer of each button.
struct ButtonSpec {
  QMessageBox::StandardButton button;
  int answer;
};

std::vector<ButtonSpec> ButtonsOf(int style) {
  switch (style & mb::ButtonMask) {
    case mb::OKCancel:
      return {{QMessageBox::Ok, mb::OK}, {QMessageBox::Cancel, mb::Cancel}};
    case mb::AbortRetryIgnore:
      return {{QMessageBox::Abort, mb::Abort},
              {QMessageBox::Retry, mb::Retry},
              {QMessageBox::Ignore, mb::Ignore}};
    case mb::YesNoCancel:
      return {{QMessageBox::Yes, mb::Yes}, {QMessageBox::No, mb::No}, {QMessageBox::Cancel, mb::Cancel}};
    case mb::YesNo:
      return {{QMessageBox::Yes, mb::Yes}, {QMessageBox::No, mb::No}};
    case mb::RetryCancel:
      return {{QMessageBox::Retry, mb::Retry}, {QMessageBox::Cancel, mb::Cancel}};
    default:
      return {{QMessageBox::Ok, mb::OK}};
  }
}

QMessageBox::Icon IconOf(int style) {
  switch (style & mb::IconMask) {
    case mb::Critical:
      return QMessageBox::Critical;
    case mb::Question:
      return QMessageBox::Question;
    case mb::Exclamation:
      return QMessageBox::Warning;
    case mb::Information:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

// The classic default-button flags: 256 the second button, 512 the third.
constexpr int kDefaultButtonShift = 8;

}  // namespace

int QtPlatform::MsgBox(const std::string& text, int style, const std::string& title) {
  FlushPendingViews();
  const bool wasBusy = busy_;
  if (wasBusy) SetBusy(false);  // the operator must be able to answer
  QMessageBox box(IconOf(style), ToQtLines(title), ToQtLines(text), QMessageBox::NoButton, parent_);
  const std::vector<ButtonSpec> buttons = ButtonsOf(style);
  std::vector<QAbstractButton*> made;
  for (const ButtonSpec& b : buttons) made.push_back(box.addButton(b.button));
  const size_t defaultIndex = static_cast<size_t>((style >> kDefaultButtonShift) & 3);
  box.setDefaultButton(static_cast<QPushButton*>(made[defaultIndex < made.size() ? defaultIndex : 0]));
  // Escape and the title bar answer Cancel where there is one, else the
  // only or last button (OK, or No of Yes/No), as the classic boxes do.
  QAbstractButton* escape = made.back();
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (buttons[i].answer == mb::Cancel) escape = made[i];
  }
  box.setEscapeButton(escape);
  box.exec();
  if (wasBusy) SetBusy(true);
  QAbstractButton* clicked = box.clickedButton();
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (made[i] == clicked) return buttons[i].answer;
  }
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (made[i] == escape) return buttons[i].answer;
  }
  return mb::Cancel;
}

std::optional<std::string> QtPlatform::BrowseForFolder(const std::string& prompt) {
  const QString dir = QFileDialog::getExistingDirectory(parent_, ToQt(prompt));
  if (dir.isEmpty()) return std::nullopt;
  return FromQt(QDir::toNativeSeparators(dir));
}

std::optional<int> QtPlatform::PopupMenu(const std::vector<std::string>& captions) {
  QMenu menu(parent_);
  std::vector<QAction*> actions;
  for (const std::string& caption : captions) {
    const QString text = ToQt(caption);
    actions.push_back(text.trimmed() == QLatin1String("-") ? menu.addSeparator() : menu.addAction(text));
  }
  QAction* chosen = menu.exec(QCursor::pos());
  for (size_t i = 0; i < actions.size(); ++i) {
    if (chosen != nullptr && actions[i] == chosen && !chosen->isSeparator()) return static_cast<int>(i);
  }
  return std::nullopt;
}

void QtPlatform::DoEvents() {
  // Paints what changed; the operator's input waits until the routine that
  // asked is done, so no handler starts in the middle of another.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtPlatform::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtPlatform::Beep() { QApplication::beep(); }

ScreenSize QtPlatform::Screen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {15360, 11520};
  const QRect r = screen->geometry();
  return {r.width() * kTwipsPerPixel, r.height() * kTwipsPerPixel};
}

}  // namespace mirrin::qt
