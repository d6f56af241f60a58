#include "mainwindow/session.h"

#include "startup/version.h"

namespace mirrin {

Session::Session(Platform& p) : platform(p), log(p, settings) {
  programDir = platform.ProgramDirectory();
  data.timeZone = platform.TimeZone();
  data.log = &log;
  data.notify = [this](DataNotice notice, const std::string& detail) {
    const std::string name = kProductName;
    if (notice == DataNotice::UnsupportedVersion) {
      platform.MsgBox(name + " has detected that you are using an unsupported version of Palm Desktop. "
                             "Saving any changes will not be possible.",
                      mb::OKOnly | mb::Critical, ProductTitleWithVersion());
    } else {
      platform.MsgBox("The log could not be written; " + name + " carries on without it.\r\n\r\n" + detail,
                      mb::OKOnly | mb::Critical, name);
    }
  };
  window.currentList = {&form.List1, &form.List2};
  ResetMaps();
}

bool Session::ShownKind(Kind& kind) const {
  const std::string& text = form.Combo1.Text();
  for (Kind k : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos}) {
    if (text == KindText(k)) {
      kind = k;
      return true;
    }
  }
  if (!settings.Custom1.empty() && text == settings.Custom1) {
    kind = Kind::Custom;
    return true;
  }
  return false;
}

std::string Session::KindText(Kind kind) const {
  switch (kind) {
    case Kind::Dates: return kDatesText;
    case Kind::Contacts: return kContactsText;
    case Kind::ToDos: return kToDosText;
    case Kind::Memos: return kMemosText;
    case Kind::Custom: break;
  }
  return settings.Custom1;
}

void Session::ResetMaps() {
  for (auto& map : window.maps) map.assign(static_cast<size_t>(window.ListCapacity) + 1, -1);
}

}  // namespace mirrin
