// script: drives the main window's models line by line, as an operator
// would through the window, and prints every message box.
#include <algorithm>
#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "app/cli/cli.h"
#include "app/cli/headless.h"
#include "palmdata/errors.h"
#include "startup/version.h"
#include "ui/app.h"
#include "palmdata/pathtext.h"

namespace mirrin::cli {

namespace {

constexpr const char* kUsage = "usage: mirrin-cli script --config DIR/Mirrin.cfg [SCRIPT]\n";

const char* AnswerName(int answer) {
  switch (answer) {
    case mb::OK:
      return "OK";
    case mb::Cancel:
      return "Cancel";
    case mb::Abort:
      return "Abort";
    case mb::Retry:
      return "Retry";
    case mb::Ignore:
      return "Ignore";
    case mb::Yes:
      return "Yes";
    case mb::No:
      return "No";
  }
  return "?";
}

// The buttons a message-box style offers, in order.
std::vector<int> Buttons(int style) {
  switch (style & mb::ButtonMask) {
    case mb::OKCancel:
      return {mb::OK, mb::Cancel};
    case mb::AbortRetryIgnore:
      return {mb::Abort, mb::Retry, mb::Ignore};
    case mb::YesNoCancel:
      return {mb::Yes, mb::No, mb::Cancel};
    case mb::YesNo:
      return {mb::Yes, mb::No};
    case mb::RetryCancel:
      return {mb::Retry, mb::Cancel};
    default:
      return {mb::OK};
  }
}

// Line ends inside a box's text are shown as " / ", so each box is one line.
std::string OneLine(const std::string& text) {
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line += " / ";
    } else {
      line += text[i];
    }
  }
  return line;
}

// A row's text without the blanks that pad it to the list's columns.
std::string Compact(const std::string& text) {
  std::string row;
  size_t blanks = 0;
  for (char c : text) {
    if (c == ' ') {
      ++blanks;
      continue;
    }
    row += blanks > 2 ? std::string(" | ") : std::string(blanks, ' ');
    blanks = 0;
    row += c;
  }
  return row;
}

// Prints each box with the answer it got: the next queued one, else the
// box's default button. Window titles are the ones the script opened.
class ScriptPlatform : public HeadlessPlatform {
 public:
  ScriptPlatform(std::ostream& out, std::string programDir)
      : HeadlessPlatform(out, std::move(programDir)), out_(out) {}

  int MsgBox(const std::string& text, int style, const std::string& title) override {
    const std::vector<int> buttons = Buttons(style);
    int answer = buttons[std::min<size_t>(static_cast<size_t>((style >> 8) & 3), buttons.size() - 1)];
    if (!answers.empty()) {
      answer = answers.front();
      answers.pop_front();
    }
    out_ << "MSGBOX " << title << ": " << OneLine(text) << " -> " << AnswerName(answer) << "\n";
    return answer;
  }
  std::vector<std::string> TopLevelWindowTitles() override { return windows; }

  std::deque<int> answers;
  std::vector<std::string> windows;

 private:
  std::ostream& out_;
};

struct ScriptError {
  std::string reason;
};

std::string WithoutAmpersands(std::string caption) {
  std::erase(caption, '&');
  return caption;
}

Side SideWord(const std::string& word) {
  if (word == "left") return kLeft;
  if (word == "right") return kRight;
  throw ScriptError{"expected left or right, not '" + word + "'"};
}

// The first word and the rest of the line after one blank.
std::pair<std::string, std::string> FirstWord(const std::string& line) {
  const size_t blank = line.find(' ');
  if (blank == std::string::npos) return {line, ""};
  return {line.substr(0, blank), line.substr(blank + 1)};
}

class Runner {
 public:
  Runner(MirrinApp& app, ScriptPlatform& platform, std::ostream& out)
      : app_(app), s_(app.session), platform_(platform), out_(out) {}

  void Do(const std::string& line) {
    const auto [verb, rest] = FirstWord(line);
    if (verb == "kind") return ChooseKindRow(rest);
    if (verb == "user") return User(rest);
    if (verb == "select") return Select(rest);
    if (verb == "press") return Press(rest);
    if (verb == "view") return View(rest);
    if (verb == "answer") return Answer(rest);
    if (verb == "dialog") return Dialog(rest);
    if (verb == "window") return Window(rest);
    if (verb == "save" && rest.empty()) return Menu(s_.controls.saveItem, "Save");
    if (verb == "restore") return Restore(rest);
    if (verb == "show" && rest.empty()) return Show();
    if (verb == "exit" && rest.empty()) return Menu(s_.controls.exitItem, "Exit");
    throw ScriptError{"unknown command"};
  }

 private:
  void ChooseKindRow(const std::string& text) {
    forms::ComboBox& combo = s_.controls.kindSelector;
    for (int i = 0; i < combo.ListCount(); ++i) {
      if (combo.List(i) == text) return combo.UserSelect(i);
    }
    throw ScriptError{"the kind selector does not offer '" + text + "'"};
  }

  // As the Configure Users dialog does: pick the user (which loads it at
  // once), then OK. A folder given for a user that users.dat does not list
  // adds that user to the dialog's lists; for a listed user it replaces
  // the user's folder.
  void User(const std::string& args) {
    const auto [sideWord, rest] = FirstWord(args);
    const Side side = SideWord(sideWord);
    std::istringstream words(rest);
    std::string name, folder;
    words >> name >> folder;
    if (name.empty()) throw ScriptError{"user needs a name"};
    bool found = true;
    app_.configUser.runModal = [&] {
      UserFrame& f = app_.configUser.Frame(side);
      int k = 0;
      while (k < f.users.ListCount() && f.users.List(k) != name) ++k;
      if (k == f.users.ListCount()) {
        if (folder.empty()) {
          found = false;
          return app_.configUser.cmdCancel.Press();
        }
        f.users.AddItem(name);
        f.cmbUserDir.AddItem(folder);
      } else if (!folder.empty() && k < f.cmbUserDir.ListCount()) {
        f.cmbUserDir.SetList(k, folder);
      }
      f.users.UserSelect(k);
      app_.configUser.cmdOK.Press();
    };
    Menu(s_.controls.configureUsersItem, "Configure Users");
    app_.configUser.runModal = nullptr;
    if (!found) throw ScriptError{"no user '" + name + "' in the users list"};
  }

  void Select(const std::string& args) {
    const auto [sideWord, text] = FirstWord(args);
    forms::ListBox& list = s_.List(SideWord(sideWord));
    bool any = false;
    for (int i = 0; i < list.ListCount(); ++i) {
      if (list.List(i).find(text) == std::string::npos) continue;
      list.UserClick(i, any && list.MultiSelect());
      any = true;
      if (!list.MultiSelect()) break;
    }
    if (!any) throw ScriptError{"no row contains '" + text + "'"};
  }

  void Press(const std::string& caption) {
    MainWindowControls& f = s_.controls;
    const std::array<forms::Button*, 10> transfer = f.AllTransferButtons();
    std::vector<forms::Button*> buttons(transfer.begin(), transfer.end());
    for (forms::Button* b : {&f.switchView, &f.editNotes, &f.exitButton}) buttons.push_back(b);
    for (forms::Button* b : buttons) {
      if (WithoutAmpersands(b->Caption()) == caption && b->Visible()) {
        if (!b->Enabled()) throw ScriptError{"'" + caption + "' is disabled"};
        return b->Press();
      }
    }
    throw ScriptError{"no button '" + caption + "'"};
  }

  void View(const std::string& which) {
    if (which != "categories" && which != "entries") throw ScriptError{"view categories or entries"};
    if ((which == "categories") != s_.window.categoriesView) app_.main.SwitchView();
  }

  void Answer(const std::string& name) {
    for (int answer : {mb::Yes, mb::No, mb::Cancel, mb::OK}) {
      if (name == AnswerName(answer)) return platform_.answers.push_back(answer);
    }
    throw ScriptError{"answer Yes, No, Cancel or OK"};
  }

  void Dialog(const std::string& args) {
    const auto [which, button] = FirstWord(args);
    if (button != "ok" && button != "cancel") throw ScriptError{"dialog ... ok or cancel"};
    if (which == "configure") {
      ConfigureDialogModel& d = app_.configure;
      d.runModal = [&] { (button == "ok" ? d.cmdOK : d.cmdCancel).Press(); };
      Menu(s_.controls.configureItem, "Configure");
      d.runModal = nullptr;
    } else if (which == "users") {
      UsersDialogModel& d = app_.configUser;
      d.runModal = [&] { (button == "ok" ? d.cmdOK : d.cmdCancel).Press(); };
      Menu(s_.controls.configureUsersItem, "Configure Users");
      d.runModal = nullptr;
    } else {
      throw ScriptError{"dialog configure or users"};
    }
  }

  // window TITLE: a top-level window with that title now exists (for
  // example "Palm Desktop"); window alone: none does.
  void Window(const std::string& title) {
    if (title.empty()) {
      platform_.windows.clear();
    } else {
      platform_.windows.push_back(title);
    }
  }

  void Restore(const std::string& args) {
    const auto [sideWord, kindText] = FirstWord(args);
    const Side side = SideWord(sideWord);
    for (Kind kind : {Kind::Dates, Kind::Contacts, Kind::ToDos, Kind::Memos}) {
      if (kindText == s_.KindText(kind))
        return Menu(*s_.controls.RestoreItem(side, kind), "Restore " + kindText);
    }
    throw ScriptError{"restore left|right Dates|Contacts|To Dos|Memos"};
  }

  // A menu item the operator cannot click is said so; the script goes on.
  void Menu(forms::MenuItem& item, const std::string& name) {
    if (!item.Enabled()) {
      out_ << name << " is disabled\n";
      return;
    }
    item.Press();
  }

  void Show() {
    for (Side side : kSides) {
      const forms::ListBox& list = s_.List(side);
      out_ << (side == kLeft ? "LEFT " : "RIGHT ") << s_.controls.panes[side].userName.Text() << ": "
           << s_.controls.panes[side].recordCount.Caption() << "\n";
      for (int i = 0; i < list.ListCount(); ++i) {
        out_ << (list.Selected(i) ? "  * " : "    ") << Compact(list.List(i)) << "\n";
      }
    }
  }

  MirrinApp& app_;
  Session& s_;
  ScriptPlatform& platform_;
  std::ostream& out_;
};

}  // namespace

int RunScript(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string config, scriptFile;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--config" && i + 1 < args.size()) {
      config = args[++i];
    } else if (scriptFile.empty() && !args[i].empty() && args[i][0] != '-') {
      scriptFile = args[i];
    } else {
      err << kUsage;
      return 2;
    }
  }
  // The program finds its configuration in its own folder, by name.
  if (FsPath(config).filename() != std::string(kProgramName) + ".cfg") {
    err << kUsage;
    return 2;
  }
  std::ifstream file;
  if (!scriptFile.empty()) {
    file.open(FsPath(scriptFile));
    if (!file) {
      err << "mirrin-cli: script: cannot open " << scriptFile << "\n";
      return 2;
    }
  }
  std::istream& in = scriptFile.empty() ? std::cin : file;

  ScriptPlatform platform(out, ProgramDirFor({config, {}, {}, false}));
  MirrinApp app(platform);
  Runner runner(app, platform, out);
  int number = 0;
  try {
    app.Start({});
    std::string line;
    while (std::getline(in, line)) {
      ++number;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line[0] == '#') continue;
      runner.Do(line);
    }
  } catch (const ProgramEnd&) {
    out << "END\n";
  } catch (const ScriptError& e) {
    err << "mirrin-cli: script: line " << number << ": " << e.reason << "\n";
    return 2;
  } catch (const RunError& e) {
    err << "mirrin-cli: script: line " << number << ": " << e.what() << "\n";
    return 2;
  }
  return 0;
}

}  // namespace mirrin::cli
