#include "mainwindow/windowcontrols.h"

namespace mirrin {

MainWindowControls::MainWindowControls() {
  for (Side side : kSides) {
    SidePane& p = panes[side];
    const bool left = side == kLeft;
    p.add.SetCaption(left ? "<---- &Add" : "A&dd ---->");
    p.change.SetCaption(left ? "<---- &Change" : "C&hange ---->");
    p.del.SetCaption(left ? "<---- D&elete" : "De&lete ---->");
    p.move.SetCaption(left ? "<---- &Move" : "M&ove ---->");
    p.priv.SetCaption(left ? "<---- &Private" : "P&rivate ---->");
    p.showThisCategory.SetCaption("Show this Category:");
    p.categoryMenu.SetCaption(left ? "Category User1" : "Category User2");
    p.categoryMenu.SetVisible(false);
    p.userName.SetText(left ? "UserLeft" : "UserRight");
  }
  archive.SetCaption("Archi&ve?");
  switchView.SetCaption("&Show Categories");
  editNotes.SetCaption("Edit &Notes");
  exitButton.SetCaption("E&xit");
  aboutClose.SetCaption("OK");  // closes the About panel
  busyNotice.SetCaption("\r\nPlease wait while files are closed\r\n");
  fileMenu.SetCaption("&File");
  saveItem.SetCaption("&Save");
  configureItem.SetCaption("&Configure...");
  configureUsersItem.SetCaption("Configure &Users...");
  aboutItem.SetCaption("&About Mirrin");
  exitItem.SetCaption("E&xit");
  restoreMenu.SetCaption("&Restore");
}

std::array<forms::Button*, 10> MainWindowControls::AllTransferButtons() {
  std::array<forms::Button*, 10> all{};
  for (size_t row = 0; row < 5; ++row) {
    for (Side side : kSides) all[2 * row + static_cast<size_t>(side)] = panes[side].TransferButtons()[row];
  }
  return all;
}

forms::MenuItem* MainWindowControls::RestoreItem(Side s, Kind kind) {
  if (kind == Kind::Custom) return nullptr;
  return &panes[s].restore[static_cast<size_t>(kind)];
}

}  // namespace mirrin
