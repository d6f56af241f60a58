#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include "palmdata/palmtime.h"

namespace mirrin::test {

// A fixed, ordinary moment: 2024-03-14 10:30:00.
FakePlatform::FakePlatform() : now_(MakeDate(2024, 3, 14) + MakeTime(10, 30, 0)) {}

int FakePlatform::MsgBox(const std::string& text, int style, const std::string& title) {
  boxes.push_back({text, style, title});
  if ((style & mb::ButtonMask) == mb::OKOnly) return mb::OK;
  ADD_FAILURE() << "unscripted message box: " << title << ": " << text;
  return mb::Cancel;
}

std::optional<std::string> FakePlatform::BrowseForFolder(const std::string&) {
  if (folderAnswers.empty()) return std::nullopt;
  auto answer = folderAnswers.front();
  folderAnswers.pop_front();
  return answer;
}

std::optional<int> FakePlatform::PopupMenu(const std::vector<std::string>& captions) {
  popupsShown.push_back(captions);
  if (popupAnswers.empty()) return std::nullopt;
  auto answer = popupAnswers.front();
  popupAnswers.pop_front();
  return answer;
}

}  // namespace mirrin::test
