#pragma once
// Two Palm Desktop users on disk with dates, contacts and to-dos, loaded into the
// two sides of a test session as start-up loads them; for window-state tests
// around saving (the saves themselves are checked by the scenarios).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "mainwindow/loaduser.h"
#include "support/session_fixture.h"
#include "support/userfolder.h"

namespace mirrin::test {

class TwoUsers : public ::testing::Test {
 protected:
  TwoUsers() {
    Settings& set = s().settings;
    set.IncludeToDo = true;
    set.PalmUser1 = "UserA";
    set.PalmUser2 = "UserB";
    set.UserDir1 = Dir(kLeft);
    set.UserDir2 = Dir(kRight);
    for (Side side : kSides) {
      WriteUserFolder(Dir(side), {.dates = 2, .contacts = 2, .todos = 2});
      s().controls.panes[side].userName.onChange = [this, side] { LoadUser(s(), side); };
      s().controls.panes[side].userName.SetText(side == kLeft ? "UserA" : "UserB");
    }
  }

  Session& s() { return t.s(); }
  UserStore& store(Side side) { return t.store(side); }
  std::string Dir(Side side) const { return t.dir.File(side == kLeft ? "UserA" : "UserB"); }
  // A file below the user's folder, "/address/address.dat" for example.
  std::string File(Side side, const std::string& rel) const { return Dir(side) + rel; }

  // Edits a record and marks its kind changed, as a transfer would.
  void ChangeTodo(Side side, size_t index, const std::string& description) {
    Changed(side, Kind::ToDos, store(side).todos.at(index)).Description = description;
  }
  void ChangeDate(Side side, size_t index, const std::string& description) {
    Changed(side, Kind::Dates, store(side).dates.at(index)).Description = description;
  }
  template <class Record>
  Record& Changed(Side side, Kind kind, Record& record) {
    record.Status = 2;
    store(side).Changed(kind) = true;
    s().controls.saveItem.SetEnabled(true);
    return record;
  }

  // Replaces a folder of the user with a regular file, so nothing can be written into it.
  void BlockFolder(Side side, const std::string& rel) {
    std::filesystem::remove_all(File(side, rel));
    WriteFileBytes(File(side, rel), "not a folder");
  }

  TestSession t;
};

}  // namespace mirrin::test
