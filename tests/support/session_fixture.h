#pragma once
// A Session on a FakePlatform with its program folder and log in a fresh
// temporary folder, and the kind selector filled as start-up fills it.
// Header-only: only test programs that link the records library include it.
#include <memory>

#include "palmdata/palmtime.h"
#include "mainwindow/session.h"
#include "support/fake_platform.h"
#include "support/filebuilder.h"

namespace mirrin::test {

class TestSession {
 public:
  TestSession() {
    platform.programDir = dir.Path();
    platform.SetNow(MakeDate(2024, 6, 1) + MakeTime(12, 0, 0));
    session = std::make_unique<Session>(platform);
    session->settings.LogFilePath = dir.Path();
    AddKindRows(session->controls.kindSelector, {true, true, true, true, false}, "");
  }

  Session& s() { return *session; }
  UserStore& store(Side side) { return session->Store(side); }

  TempDir dir;
  FakePlatform platform;
  std::unique_ptr<Session> session;
};

}  // namespace mirrin::test
