#include "mainwindow/session.h"

namespace mirrin {

Session::Session(Platform& p) : platform(p), log(p, settings) {
  programDir = platform.ProgramDirectory();
  data.timeZone = platform.TimeZone();
  data.log = &log;
  data.showCritical = [this](const std::string& text, const std::string& title) {
    platform.MsgBox(text, mb::OKOnly | mb::Critical, title);
  };
  window.currentList = {&controls.panes[kLeft].list, &controls.panes[kRight].list};
  ResetMaps();
}

bool Session::ShownKind(Kind& kind) const {
  const std::string& text = controls.kindSelector.Text();
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
