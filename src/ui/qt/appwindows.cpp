#include "ui/qt/appwindows.h"

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QPixmap>

namespace mirrin::qt {

AppWindows::AppWindows(MirrinApp& app, QtPlatform& platform)
    : main(app.session, app.main),
      splash(app.splash),
      configure(new ConfigureDialog(app.configure, &main)),
      configUser(new ConfigUserDialog(app.configUser, &main)),
      app_(app) {
  platform.SetParentWindow(&main);
}

void AppWindows::ShowMain() {
  main.StartResizing();
  main.show();
  FlushPendingViews();
}

namespace {

bool Save(QWidget& window, const QString& dir, const char* name) {
  window.show();
  QCoreApplication::processEvents();
  FlushPendingViews();
  QCoreApplication::processEvents();
  return window.grab().save(QDir(dir).filePath(QString::fromLatin1(name)), "PNG");
}

QPalette DarkPalette() {
  QPalette p;
  const QColor window(45, 45, 48), base(30, 30, 30), text(225, 225, 225), dim(128, 128, 128);
  p.setColor(QPalette::Window, window);
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::AlternateBase, window);
  p.setColor(QPalette::Text, text);
  p.setColor(QPalette::Button, QColor(60, 60, 64));
  p.setColor(QPalette::ButtonText, text);
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::ToolTipBase, window);
  p.setColor(QPalette::ToolTipText, text);
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    p.setColor(QPalette::Disabled, role, dim);
  }
  return p;
}

}  // namespace

bool AppWindows::SaveScreenshots(const QString& dir) {
  MainWindowControls& f = app_.session.controls;
  bool ok = true;
  RunUserAction([&] {
    if (f.kindSelector.ListIndex() <= 0 && f.kindSelector.ListCount() > 1) f.kindSelector.SetListIndex(1);
    forms::ListBox& left = app_.session.List(kLeft);
    if (left.ListCount() > 0) left.UserClick(0);
  });
  ok = Save(main, dir, "main.png") && ok;
  RunUserAction([&] { f.switchView.Press(); });
  ok = Save(main, dir, "categories.png") && ok;
  RunUserAction([&] { f.switchView.Press(); });
  RunUserAction([&] { app_.configure.DrawValues(); });
  ok = Save(*configure, dir, "configure.png") && ok;
  configure->hide();
  RunUserAction([&] { app_.configUser.DrawValues(); });
  ok = Save(*configUser, dir, "configusers.png") && ok;
  configUser->hide();
  ok = Save(splash, dir, "splash.png") && ok;
  splash.hide();

  // As under a dark desktop theme.
  const QPalette light = QApplication::palette();
  QApplication::setPalette(DarkPalette());
  ok = Save(main, dir, "dark.png") && ok;
  QApplication::setPalette(light);

  // The status bar after a transfer and Save (the demo is a scratch copy).
  RunUserAction([&] {
    forms::ListBox& left = app_.session.List(kLeft);
    if (left.ListCount() > 0) left.UserClick(0);
    f.panes[kRight].add.Press();
    f.saveItem.Press();
  });
  ok = Save(main, dir, "saved.png") && ok;
  return ok;
}

}  // namespace mirrin::qt
