#include "ui/frmconfiguser.h"

namespace mirrin {

FrmConfigUser::FrmConfigUser(Session& session) : s_(session) {}

void FrmConfigUser::DrawValues() {}
void FrmConfigUser::WriteIniFile() {}
void FrmConfigUser::Show() { ShowModal([this] { Cancel(); }); }
void FrmConfigUser::OK() { Hide(); }
void FrmConfigUser::Cancel() { Hide(); }

}  // namespace mirrin
