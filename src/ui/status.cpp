#include "ui/status.h"

#include <array>

namespace mirrin {

namespace {

// Singular and plural of a kind's records.
std::array<const char*, 2> Noun(Kind kind) {
  switch (kind) {
    case Kind::Dates:
      return {"date", "dates"};
    case Kind::Contacts:
      return {"contact", "contacts"};
    case Kind::ToDos:
      return {"To Do", "To Dos"};
    case Kind::Memos:
      return {"memo", "memos"};
    case Kind::Custom:
      break;
  }
  return {"record", "records"};
}

std::string UserName(Session& s, Side side) { return s.controls.panes[side].userName.Text(); }

}  // namespace

std::string UnsavedChangesText(Session& s) {
  std::string text;
  for (Side side : kSides) {
    for (Kind kind : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos, Kind::Custom}) {
      if (!s.Store(side).Changed(kind)) continue;
      text += (text.empty() ? "Unsaved changes: " : ", ") + UserName(s, side) + "'s " + s.KindText(kind);
    }
  }
  return text;
}

std::string SaveResultText(const SaveOutcome& o) {
  if (!o.refused.empty()) return "Not saved: " + o.refused;
  const size_t n = o.files.written.size();
  if (n == 0 && o.files.notWritten.empty()) return "Nothing to save";
  std::string text = "Saved " + std::to_string(n) + (n == 1 ? " file" : " files");
  for (size_t i = 0; i < o.files.notWritten.size(); ++i) {
    const SavedFile& f = o.files.notWritten[i];
    text += (i == 0 ? ". Not saved: " : ", ") + f.path + " (" + f.reason + ")";
  }
  return text;
}

std::string TransferText(Session& s, TransferVerb verb, Side side, int n) {
  const std::optional<Kind> kind = s.ShownKind();
  if (!kind) return {};
  const std::string what = std::to_string(n) + " " + Noun(*kind)[n == 1 ? 0 : 1];
  const std::string user = UserName(s, side);
  switch (verb) {
    case TransferVerb::Add:
      return "Added " + what + " to " + user;
    case TransferVerb::Change:
      return "Changed " + what + " of " + user;
    case TransferVerb::Delete:
      return "Deleted " + what + " from " + user;
    case TransferVerb::Move:
      return "Moved " + what + " to " + user;
    case TransferVerb::Private:
      return "Made " + what + " of " + user + " private";
  }
  return {};
}

StatusModel::StatusModel(Session& s, std::string caption) : s_(s), caption_(std::move(caption)) {
  title.SetCaption(caption_);
}

void StatusModel::Event(std::string text) {
  event_ = std::move(text);
  eventWord_ = ChangedWord(s_.stores);
  Refresh();
}

void StatusModel::Refresh() {
  const int word = ChangedWord(s_.stores);
  if (word != eventWord_) event_.clear();
  const std::string unsaved = UnsavedChangesText(s_);
  line.SetCaption(event_.empty() || unsaved.empty() ? event_ + unsaved : event_ + ". " + unsaved);
  title.SetCaption(caption_ + (word != 0 ? "*" : ""));
}

}  // namespace mirrin
