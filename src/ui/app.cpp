#include "ui/app.h"

#include <string>

#include "ui/startupsequence.h"

namespace mirrin {

MirrinApp::MirrinApp(Platform& platform)
    : session(platform), main(session), splash(session), configure(session, configUser), configUser(session) {
  MainWindowControls& f = session.controls;
  f.configureItem.onClick = [this] { ConfigureMenu(*this); };
  f.configureUsersItem.onClick = [this] { ConfigUserMenu(*this); };
  f.aboutItem.onClick = [this] { ShowAbout(session); };
  f.aboutClose.onClick = [this] { CloseAbout(session); };
  main.loadHooks.splashProgress = [this] { splash.Progress(); };
  main.loadHooks.showDateCount = [this](Side side, int32_t count) {
    configUser.Frame(side).userRecords.SetCaption(std::to_string(count));
  };
}

void MirrinApp::Start(const std::vector<std::string>& args) { FormLoad(*this, args); }

}  // namespace mirrin
