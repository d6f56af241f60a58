#pragma once
// Every option of the program, one field per configuration key, named as
// the key. Read once at start-up; the settings dialogs change it and rewrite
// the file.
#include <cstdint>
#include <set>
#include <string>
#include <variant>
#include <vector>

namespace mirrin {

struct Settings {
  int32_t LogLevel = 10;
  std::string LogFilePath;  // empty: the program directory
  std::string CompletedString = "*Completed*";
  bool ArchiveDeleted = false;
  bool IncludeDates = true;
  bool IncludeContacts = true;
  bool IncludeToDo = false;
  bool IncludeMemo = false;
  std::string FilterUser1;
  std::string FilterUser2;
  std::string SuffixUser1;
  std::string SuffixUser2;
  std::string Startwith = "Dates";
  std::string DaystoIgnore = "0";
  std::string Custom1;
  std::string Custom1File = "\\SplashID\\export.csv";
  bool ShowCategories = true;
  bool ShowMemoCategories = true;
  bool ShowToDoCategories = true;
  bool ShowCompany = false;
  bool Agendus = false;
  std::string DateFormat = "dd-mmm-yy";
  std::string DateTimeFormat = "dd-mmm-yy hh:mm";
  int16_t FirstDuplicateChars = 20;
  bool User1ShowPrivateDates = false;
  bool User2ShowPrivateDates = false;
  bool User1ShowPrivateMemos = false;
  bool User2ShowPrivateMemos = false;
  bool User1ShowPrivateToDos = false;
  bool User2ShowPrivateToDos = false;
  bool User1ShowPrivateContacts = false;
  bool User2ShowPrivateContacts = false;
  std::string PalmDir1;
  std::string UserDir1;
  std::string PalmUser1;
  std::string PalmDir2;
  std::string UserDir2;
  std::string PalmUser2;
  std::string GUI = "0";
  std::string GUIHeight = "0";
  bool KeepCategories = false;
  bool AddCategories = false;
  bool SortbyCategory = false;
  bool ShowDatebookCategories = false;
  bool ShowCompletedToDos = false;
  bool DBCS = false;
  bool EnableMultiSelect = false;
  std::string HideAfter = "dd/mm/yyyy";  // this text itself means no date
  bool CopyAlarms = true;

  // Derived at start-up, not keys of the file.
  std::string UserFolder1;  // UserDir1 below PalmDir1
  std::string UserFolder2;
  bool IncludeCustom = false;  // Custom1 is not empty
  // Keys whose line did not convert: they hold their default, and their
  // line is written back as read until the operator sets them.
  std::set<std::string> Unread;
};

using SettingField =
    std::variant<int32_t Settings::*, int16_t Settings::*, bool Settings::*, std::string Settings::*>;

struct SettingKey {
  const char* key;
  SettingField field;
  const char* defaultText;  // null: the program directory
  bool addIfMissing;        // a missing key is appended to the file with its default
  bool rewritten;           // the settings dialogs rewrite its line from Settings
};

// In the order in which start-up reads them, which is also the order in
// which missing keys are appended to the file.
const std::vector<SettingKey>& SettingKeys();

}  // namespace mirrin
