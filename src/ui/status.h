#pragma once
// The status bar and the window title: what is still unsaved, and what the
// last Save or transfer did, in the operator's words.
#include <string>

#include "mainwindow/session.h"
#include "save/save.h"
#include "forms/controls.h"

namespace mirrin {

// "Unsaved changes: Ben's Dates, Anna's Contacts"; empty when nothing is changed.
std::string UnsavedChangesText(Session& s);

// "Saved 3 files", "Not saved: <file> (<reason>)", or both.
std::string SaveResultText(const SaveOutcome& outcome);

// What a transfer button did to n records of the shown kind on `side`:
// "Added 2 dates to Ben", "Deleted 1 memo from Anna".
enum class TransferVerb { Add, Change, Delete, Move, Private };
std::string TransferText(Session& s, TransferVerb verb, Side side, int n);

// The status line and the title. The last event's text stays until the
// changed flags move on from where it left them.
class StatusModel {
 public:
  StatusModel(Session& s, std::string caption);

  void Event(std::string text);
  // Rewrites both from the changed flags.
  void Refresh();

  forms::Label line;   // the status bar
  forms::Label title;  // the window title: the caption, "*" while anything is unsaved

 private:
  Session& s_;
  std::string caption_;
  std::string event_;
  int eventWord_ = 0;
};

}  // namespace mirrin
