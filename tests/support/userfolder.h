#pragma once
// A Palm Desktop user folder on disk for loading tests: datebook, address
// and To Do files with a given number of plain records, made with the
// program's own writers.
#include <string>

namespace mirrin::test {

// -1: no file of that kind.
struct UserFiles {
  int dates = 0;
  int contacts = -1;
  int todos = -1;
};

// Creates dir (a native path) and the files; record i of each kind is
// described by its kind and i ("Date 3", "Todo 0", last name "Contact 7").
void WriteUserFolder(const std::string& dir, const UserFiles& files);

// dir + "/datebook/datebook.dat"
std::string DatebookPath(const std::string& dir);

}  // namespace mirrin::test
