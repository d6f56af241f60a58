#include "ui/app.h"

#include "ui/startupsequence.h"

namespace mirrin {

MirrinApp::MirrinApp(Platform& platform)
    : session(platform),
      main(session),
      splash(session),
      configure(session, configUser),
      configUser(session) {}

void MirrinApp::Start(const std::vector<std::string>& args) { FormLoad(*this, args); }

}  // namespace mirrin
