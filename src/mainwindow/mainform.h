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

// The transfer buttons that point towards one side: they change that side
// (add, change and move bring records to it; delete and private act on it).
struct TransferButtons {
  forms::Button& add;
  forms::Button& change;
  forms::Button& del;
  forms::Button& move;
  forms::Button& priv;
};

struct MainForm {
  forms::ListBox List1{true, false}, List2{true, false};
  forms::ListBox List1m{true, true}, List2m{true, true};
  forms::ComboBox User1, user2;  // user selectors
  forms::TextBox UserLeft, UserRight;
  forms::ComboBox Combo1;  // kind selector
  forms::TextBox txt1Desc, txt2Desc;
  forms::TextBox line1, line2;
  forms::Label numrec1, numrec2;
  forms::TextBox txtStatus;
  forms::Button aleft, aright, cleft, cright, dleft, dright, mleft, mright, pLeft, pright;
  forms::CheckBox chkArchive;
  forms::CheckBox chk1ShowThisCategory, chk2ShowThisCategory;
  forms::Button cmdSwitch, cmdNotes, cmdExit;
  forms::TextBox txtAbout;
  forms::Button Command1;
  forms::Label closeup;

  forms::MenuItem filemenu, mnuSave, mnuConfigure, mnuConfigUser, about, exitmenu;
  forms::MenuItem mnuRestore;
  forms::MenuItem mnuDate1, mnuCont1, mnuTodo1, mnuMemo1;
  forms::MenuItem mnuDate2, mnuCont2, mnuTodo2, mnuMemo2;
  forms::MenuItem mnu1Popup, mnu2Popup;

  MainForm();
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // Twins by side.
  forms::ListBox& SingleList(Side s) { return s == kLeft ? List1 : List2; }
  forms::ListBox& MultiList(Side s) { return s == kLeft ? List1m : List2m; }
  forms::ComboBox& UserSelector(Side s) { return s == kLeft ? User1 : user2; }
  forms::TextBox& UserField(Side s) { return s == kLeft ? UserLeft : UserRight; }
  forms::TextBox& Desc(Side s) { return s == kLeft ? txt1Desc : txt2Desc; }
  forms::TextBox& Line(Side s) { return s == kLeft ? line1 : line2; }
  forms::Label& NumRec(Side s) { return s == kLeft ? numrec1 : numrec2; }
  forms::CheckBox& ShowThisCategory(Side s) {
    return s == kLeft ? chk1ShowThisCategory : chk2ShowThisCategory;
  }
  TransferButtons Towards(Side s);
  // All ten transfer buttons.
  std::array<forms::Button*, 10> AllTransferButtons();
  // mnuDate1 ... mnuMemo2: the Restore items of one side, in the order Dates, Contacts, To Dos, Memos.
  std::array<forms::MenuItem*, 4> RestoreItems(Side s);
  // The Restore item of one side and kind; null for the custom kind, which has none.
  forms::MenuItem* RestoreItem(Side s, Kind kind);
};

}  // namespace mirrin
