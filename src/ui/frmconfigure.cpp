#include "ui/frmconfigure.h"

#include "ui/frmconfiguser.h"

namespace mirrin {

FrmConfigure::FrmConfigure(Session& session, FrmConfigUser& configUser)
    : s_(session), configUser_(configUser) {}

void FrmConfigure::DrawValues() {}
void FrmConfigure::WriteIniFile() {}
bool FrmConfigure::ValidateDaystoIgnore() { return true; }
void FrmConfigure::Show() { ShowModal([this] { Cancel(); }); }
void FrmConfigure::OK() { Hide(); }
void FrmConfigure::Cancel() { Hide(); }

}  // namespace mirrin
