#include "mainwindow/mainform.h"

namespace mirrin {

MainForm::MainForm() {
  aleft.SetCaption("<---- &Add");
  aright.SetCaption("A&dd ---->");
  cleft.SetCaption("<---- &Change");
  cright.SetCaption("C&hange ---->");
  dleft.SetCaption("<---- D&elete");
  dright.SetCaption("De&lete ---->");
  mleft.SetCaption("<---- &Move");
  mright.SetCaption("M&ove ---->");
  pLeft.SetCaption("<---- &Private");
  pright.SetCaption("P&rivate ---->");
  chkArchive.SetCaption("Archi&ve?");
  chk1ShowThisCategory.SetCaption("Show this Category:");
  chk2ShowThisCategory.SetCaption("Show this Category:");
  cmdSwitch.SetCaption("&Show Categories");
  cmdNotes.SetCaption("Edit &Notes");
  cmdExit.SetCaption("E&xit");
  closeup.SetCaption("\r\nPlease wait while files are closed\r\n");
  filemenu.SetCaption("&File");
  mnuSave.SetCaption("&Save");
  mnuConfigure.SetCaption("&Configure...");
  mnuConfigUser.SetCaption("Configure &Users...");
  about.SetCaption("&About Mirrin");
  exitmenu.SetCaption("E&xit");
  mnuRestore.SetCaption("&Restore");
  mnu1Popup.SetCaption("Category User1");
  mnu2Popup.SetCaption("Category User2");
  mnu1Popup.SetVisible(false);
  mnu2Popup.SetVisible(false);
  UserLeft.SetText("UserLeft");
  UserRight.SetText("UserRight");
}

TransferButtons MainForm::Towards(Side s) {
  if (s == kLeft) return {aleft, cleft, dleft, mleft, pLeft};
  return {aright, cright, dright, mright, pright};
}

std::array<forms::Button*, 10> MainForm::AllTransferButtons() {
  return {&cleft, &cright, &aleft, &aright, &mleft, &mright, &dleft, &dright, &pLeft, &pright};
}

forms::MenuItem* MainForm::RestoreItem(Side s, Kind kind) {
  switch (kind) {
    case Kind::Dates: return RestoreItems(s)[0];
    case Kind::Contacts: return RestoreItems(s)[1];
    case Kind::ToDos: return RestoreItems(s)[2];
    case Kind::Memos: return RestoreItems(s)[3];
    case Kind::Custom: break;
  }
  return nullptr;
}

std::array<forms::MenuItem*, 4> MainForm::RestoreItems(Side s) {
  if (s == kLeft) return {&mnuDate1, &mnuCont1, &mnuTodo1, &mnuMemo1};
  return {&mnuDate2, &mnuCont2, &mnuTodo2, &mnuMemo2};
}

}  // namespace mirrin
