#pragma once
// The real windows over a MirrinApp on the Qt platform, with two users on
// disk loaded as start-up loads them, and a watcher that answers message
// boxes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "mainwindow/loaduser.h"
#include "support/filebuilder.h"
#include "support/userfolder.h"
#include "ui/app.h"
#include "ui/qt/appwindows.h"

namespace mirrin::test {

// Closes each message box that opens with its escape button and keeps its
// text, so a test that meets an unexpected box fails instead of hanging.
class BoxWatcher {
 public:
  BoxWatcher() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return;
      shown.push_back(box->text());
      if (QAbstractButton* escape = box->escapeButton())
        escape->click();
      else
        box->reject();
    });
    timer_.start();
  }

  std::vector<QString> shown;  // the boxes' texts

 private:
  QTimer timer_;
};

class QtWindowTest : public ::testing::Test {
 protected:
  QtWindowTest() {
    setenv("MIRRIN_HOME", dir.Path().c_str(), 1);
    platform = std::make_unique<qt::QtPlatform>();
    app = std::make_unique<MirrinApp>(*platform);
    Session& s = app->session;
    Settings& set = s.settings;
    set.LogFilePath = dir.Path();
    set.PalmUser1 = "UserA";
    set.PalmUser2 = "UserB";
    set.UserDir1 = Dir(kLeft);
    set.UserDir2 = Dir(kRight);
    set.DaystoIgnore = "30000";  // the appointments lie years in the past
    // The left user has one appointment more than the right one.
    WriteUserFolder(Dir(kLeft), {.dates = 3, .contacts = 2, .todos = 2});
    WriteUserFolder(Dir(kRight), {.dates = 2, .contacts = 2, .todos = 2});
    AddKindRows(s.controls.kindSelector, {true, true, true, false, false}, "");
    s.controls.kindSelector.SetListIndex(0);
    windows = std::make_unique<qt::AppWindows>(*app, *platform);
    for (Side side : kSides)
      s.controls.panes[side].userName.SetText(side == kLeft ? set.PalmUser1 : set.PalmUser2);
    app->main.SetGUI();
    app->main.InitResizer(true);
    app->main.UseEntryLists();
    windows->ShowMain();
  }
  ~QtWindowTest() override {
    windows.reset();
    qt::TakeProgramEnd();
  }

  std::string Dir(Side side) const { return dir.File(side == kLeft ? "UserA" : "UserB"); }
  Session& s() { return app->session; }
  MainWindowControls& f() { return app->session.controls; }
  qt::FormView& view() { return windows->main.Form(); }
  template <class W>
  W* widget(const forms::Control& c) {
    return dynamic_cast<W*>(view().WidgetOf(c));
  }
  // Lets posted updates run, as the event loop would between events.
  static void Settle() {
    QCoreApplication::processEvents();
    qt::FlushPendingViews();
  }

  TempDir dir;
  std::unique_ptr<qt::QtPlatform> platform;
  std::unique_ptr<MirrinApp> app;
  std::unique_ptr<qt::AppWindows> windows;
};

}  // namespace mirrin::test
