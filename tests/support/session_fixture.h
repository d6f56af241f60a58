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
    session->controls.kindSelector.AddItem(kChoose, kNoKind);
    for (Kind kind : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos}) {
      session->controls.kindSelector.AddItem(session->KindText(kind), static_cast<int32_t>(kind));
    }
  }

  Session& s() { return *session; }
  UserStore& store(Side side) { return session->Store(side); }

  TempDir dir;
  FakePlatform platform;
  std::unique_ptr<Session> session;
};

}  // namespace mirrin::test
