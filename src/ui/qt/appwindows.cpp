#include "ui/qt/appwindows.h"

#include <QApplication>
#include <QDir>
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

}  // namespace

bool AppWindows::SaveScreenshots(const QString& dir) {
  MainForm& f = app_.session.form;
  bool ok = true;
  RunUserAction([&] {
    if (f.Combo1.ListIndex() <= 0 && f.Combo1.ListCount() > 1) f.Combo1.SetListIndex(1);
    forms::ListBox& left = app_.session.List(kLeft);
    if (left.ListCount() > 0) left.UserClick(0);
  });
  ok = Save(main, dir, "main.png") && ok;
  RunUserAction([&] { f.cmdSwitch.Press(); });
  ok = Save(main, dir, "categories.png") && ok;
  RunUserAction([&] { f.cmdSwitch.Press(); });
  RunUserAction([&] { app_.configure.DrawValues(); });
  ok = Save(*configure, dir, "configure.png") && ok;
  configure->hide();
  RunUserAction([&] { app_.configUser.DrawValues(); });
  ok = Save(*configUser, dir, "configusers.png") && ok;
  configUser->hide();
  ok = Save(splash, dir, "splash.png") && ok;
  splash.hide();
  return ok;
}

}  // namespace mirrin::qt
