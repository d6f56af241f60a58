#pragma once
// Two Palm Desktop users on disk, every Palm kind present, loaded into the
// two sides of a test session as start-up loads them; for window-state tests
// around saving (the saves themselves are checked by the scenarios).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "palmdata/memofile.h"
#include "records/loaduser.h"
#include "support/headerbuilder.h"
#include "support/session_fixture.h"
#include "support/userfolder.h"

namespace mirrin::test {

inline void WriteMemoFolder(const std::string& dir, int count) {
  FileBuilder b;
  HeaderLayout layout;
  layout.letters = "MP";
  layout.fieldTypes = {1, 1, 1, 5, 6, 1};
  AppendHeader(b, layout);
  DatFileHeader header;
  std::vector<MemoRecord> records;
  DataContext ctx;
  ParseMemoFile(b.Data(), "empty", header, records, ctx);
  records.resize(static_cast<size_t>(count));
  for (size_t i = 0; i < records.size(); ++i) {
    records[i].RecordId = static_cast<int32_t>(i + 1);
    records[i].Text = "Memo " + std::to_string(i);
  }
  header.RecordCount = count;
  std::filesystem::create_directories(dir + "/memopad");
  WriteMemoFile(1, dir + "/memopad/memopad.dat", header, records, ctx);
}

class TwoUsers : public ::testing::Test {
 protected:
  TwoUsers() {
    Settings& set = s().settings;
    set.IncludeToDo = true;
    set.IncludeMemo = true;
    set.PalmUser1 = "UserA";
    set.PalmUser2 = "UserB";
    set.UserDir1 = Dir(kLeft);
    set.UserDir2 = Dir(kRight);
    for (Side side : kSides) {
      WriteUserFolder(Dir(side), {.dates = 2, .contacts = 2, .todos = 2});
      WriteMemoFolder(Dir(side), 2);
      s().form.UserField(side).onChange = [this, side] { LoadUser(s(), side); };
      s().form.UserField(side).SetText(side == kLeft ? "UserA" : "UserB");
    }
  }

  Session& s() { return t.s(); }
  UserStore& store(Side side) { return t.store(side); }
  std::string Dir(Side side) const { return t.dir.File(side == kLeft ? "UserA" : "UserB"); }
  // A file below the user's folder, "/address/address.dat" for example.
  std::string File(Side side, const std::string& rel) const { return Dir(side) + rel; }

  // Edits a record and marks its kind changed, as a transfer would.
  void ChangeMemo(Side side, size_t index, const std::string& text) {
    Changed(side, Kind::Memos, store(side).memos.at(index)).Text = text;
  }
  void ChangeDate(Side side, size_t index, const std::string& description) {
    Changed(side, Kind::Dates, store(side).dates.at(index)).Description = description;
  }
  template <class Record>
  Record& Changed(Side side, Kind kind, Record& record) {
    record.Status = 2;
    store(side).Changed(kind) = true;
    s().form.mnuSave.SetEnabled(true);
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
