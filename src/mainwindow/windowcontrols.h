#pragma once
// The main window's controls as toolkit-neutral models, named as the rest
// of the program refers to them. The window model in src/ui wires their
// events; loading, matching, display, transfers and saving act on them.
#include <array>

#include "mainwindow/userstore.h"
#include "forms/combobox.h"
#include "forms/controls.h"
#include "forms/listbox.h"

namespace mirrin {

// One user's pane, with the transfer buttons and Restore items that act on
// its side.
struct SidePane {
  forms::ListBox list{true, false};
  forms::ListBox multiList{true, true};  // in use instead of list with EnableMultiSelect
  forms::ComboBox userSelector;          // filled by start-up, never shown
  forms::TextBox userName;               // the loaded user; its change loads the user
  forms::TextBox description;            // the record's description, or the category's name
  forms::TextBox details;                // the record's other fields, or its note
  forms::Label recordCount;
  forms::CheckBox showThisCategory;
  // The buttons that point towards this side: they change it (add, change
  // and move bring records to it; delete and private act on it).
  forms::Button add, change, del, move, priv;
  // Restore items in the order Dates, Contacts, To Dos, Memos.
  std::array<forms::MenuItem, 4> restore;
  forms::MenuItem categoryMenu;  // never shown; the pop-up is built when needed

  // The pane's controls that have a place on the window.
  std::array<forms::Control*, 8> PlacedControls() {
    return {&list,        &multiList, &userSelector, &userName,
            &description, &details,   &recordCount,  &showThisCategory};
  }
  // The buttons in their rows from the top: private, change, add, delete, move.
  std::array<forms::Button*, 5> TransferButtons() { return {&priv, &change, &add, &del, &move}; }
};

struct MainWindowControls {
  std::array<SidePane, 2> panes;
  forms::ComboBox kindSelector;
  forms::TextBox progress;  // the kind selection's progress
  forms::CheckBox archive;
  forms::Button switchView, editNotes, exitButton;
  forms::TextBox aboutText;
  forms::Button aboutClose;
  forms::Label busyNotice;

  forms::MenuItem fileMenu, saveItem, configureItem, configureUsersItem, aboutItem, exitItem;
  forms::MenuItem restoreMenu;

  MainWindowControls();
  MainWindowControls(const MainWindowControls&) = delete;
  MainWindowControls& operator=(const MainWindowControls&) = delete;

  // All ten transfer buttons, row by row, the left-pointing one first.
  std::array<forms::Button*, 10> AllTransferButtons();
  // The Restore item of one side and kind; null for the custom kind, which has none.
  forms::MenuItem* RestoreItem(Side s, Kind kind);
};

}  // namespace mirrin
