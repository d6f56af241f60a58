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
      platform.MsgBox(name +
                          " has detected that you are using an unsupported version of Palm Desktop. "
                          "Saving any changes will not be possible.",
                      mb::OKOnly | mb::Critical, ProductTitleWithVersion());
    } else {
      platform.MsgBox("The log could not be written; " + name + " carries on without it.\r\n\r\n" + detail,
                      mb::OKOnly | mb::Critical, name);
    }
  };
  window.currentList = {&controls.panes[kLeft].list, &controls.panes[kRight].list};
  ResetMaps();
}

std::optional<Kind> Session::ShownKind() const {
  const forms::ComboBox& selector = controls.kindSelector;
  const int row = selector.ListIndex();
  const int32_t kind = row < 0 ? kNoKind : selector.ItemData(row);
  if (kind < 0 || kind >= kKindCount) return std::nullopt;
  return static_cast<Kind>(kind);
}

std::array<bool, kKindCount> IncludedKinds(const Settings& set) {
  return {set.IncludeDates, set.IncludeContacts, set.IncludeToDo, set.IncludeMemo, !set.Custom1.empty()};
}

void AddKindRows(forms::ComboBox& selector, const std::array<bool, kKindCount>& included,
                 const std::string& customName) {
  selector.AddItem(kChoose, kNoKind);
  for (size_t k = 0; k < included.size(); ++k) {
    if (included[k])
      selector.AddItem(k < kKindTexts.size() ? kKindTexts[k] : customName, static_cast<int32_t>(k));
  }
}

std::string Session::KindText(Kind kind) const {
  return kind == Kind::Custom ? settings.Custom1 : kKindTexts[static_cast<size_t>(kind)];
}

void Session::ResetMaps() {
  for (auto& map : window.maps) map.assign(static_cast<size_t>(window.ListCapacity) + 1, -1);
}

}  // namespace mirrin
