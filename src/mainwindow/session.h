#pragma once
// Everything the running program holds from start-up to exit: settings,
// the two users' stores, the main window's controls and its state. Loading,
// matching, display, transfers and saving are routines over a Session.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "palmdata/datacontext.h"
#include "palmdata/users.h"
#include "mainwindow/labeltables.h"
#include "mainwindow/windowcontrols.h"
#include "mainwindow/userstore.h"
#include "startup/catfilter.h"
#include "startup/config.h"
#include "startup/log.h"
#include "startup/settings.h"
#include "platform/platform.h"

namespace mirrin {

// The kind selector's rows carry their kind as item data; "Choose..." has none.
inline constexpr int32_t kNoKind = -1;
inline constexpr std::array<const char*, 4> kKindTexts{kDatesText, kContactsText, kToDosText, kMemosText};

// Which kinds the settings include, by Kind; the custom kind when Custom1 names one.
std::array<bool, kKindCount> IncludedKinds(const Settings& set);
// "Choose..." and a row for each included kind (customName for the custom kind).
void AddKindRows(forms::ComboBox& selector, const std::array<bool, kKindCount>& included,
                 const std::string& customName);

struct WindowState {
  bool categoriesView = false;
  // The lists in use: the panes' list, or multiList in the entries view
  // when multiple selection is enabled.
  std::array<forms::ListBox*, 2> currentList{};
  // Row p of a side's list is paired with row maps[side][p] of the other; -1 none.
  std::array<std::vector<int32_t>, 2> maps;
  int32_t ListCapacity = 500;
  // The record index (item data) of the single selected row; -1 none.
  std::array<int16_t, 2> currentIndex{-1, -1};
  bool busy = false;              // a detail pane is being filled
  bool notesMode = false;         // notes-editing mode
  bool pairing = false;           // Ctrl went down: the next click pairs
  bool held = false;              // Ctrl is held
  bool lastUsedLeft = true;       // the left list's selection changed last
  bool partnerSelecting = false;  // a handler is selecting the partner row
};

class Session {
 public:
  explicit Session(Platform& platform);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Platform& platform;
  Settings settings;
  ConfigLines configLines;
  // The configuration file exists but could not be read: no dialog may
  // rewrite it, since its lines were never read.
  bool configUnreadable = false;
  Log log;
  DataContext data;  // time zone, log, unsupported-version flag, program folder
  std::string programDir;
  LabelTables labels;
  UserList users;
  std::array<UserStore, 2> stores;
  MainWindowControls controls;
  WindowState window;
  CategoryFilters filters;

  UserStore& Store(Side s) { return stores[s]; }
  forms::ListBox& List(Side s) { return *window.currentList[s]; }
  std::vector<int32_t>& Map(Side s) { return window.maps[s]; }
  // The kind of the selector's current row (its item data); none for "Choose..." or no row.
  std::optional<Kind> ShownKind() const;
  // The selector text of a kind ("Dates", ..., or Custom1).
  std::string KindText(Kind kind) const;
  // Sets every entry 0..ListCapacity of both maps to -1, resizing them.
  void ResetMaps();
  void WriteLog(const std::string& message, int level) { data.Log(message, level); }
};

}  // namespace mirrin
