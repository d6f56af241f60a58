#include "ui/frmsplash.h"

#include "startup/version.h"

namespace mirrin {

namespace {

constexpr const char* kAboutSuffixStart = " (";

// What follows the product-and-version line of the About text.
constexpr const char* kAboutText =
    "\r\n (built " __DATE__ ")\r\n\r\n"
    "Compares and copies the records of two Palm Desktop users.\r\n\r\n"
    "Project page and reports: mirrin@users.noreply.github.com";

}  // namespace

FrmSplash::FrmSplash(Session& session) : s_(session) {
  lblLoading.SetCaption("Loading .");
  lblCompany.SetCaption("The Mirrin project");
  lblWarning.SetCaption("Please report problems to mirrin@users.noreply.github.com");
  s_.form.txtAbout.SetText(std::string(kAboutText) + "\r\n\r\nSettings and logs are kept in " +
                          s_.programDir);
}

void FrmSplash::Load() {
  lblVersion.SetCaption("Version " + VersionText());
  lblProductName.SetCaption(kProductName);
  window.SetVisible(true);
}

void FrmSplash::Progress() {
  lblLoading.SetCaption(lblLoading.Caption() + "..");
  s_.platform.DoEvents();
}

namespace {

void SetAboutShown(Session& s, bool shown) {
  MainForm& f = s.form;
  f.cmdNotes.SetVisible(!shown);
  f.Combo1.SetVisible(!shown);
  for (Side side : kSides) {
    s.List(side).SetEnabled(!shown);
    f.Desc(side).SetEnabled(!shown);
  }
  f.cmdSwitch.SetVisible(!shown);
  f.cmdExit.SetVisible(!shown);
  f.filemenu.SetEnabled(!shown);
  f.mnuRestore.SetEnabled(!shown);
  f.txtAbout.SetVisible(shown);
  f.Command1.SetVisible(shown);
}

}  // namespace

void ShowAbout(Session& s) {
  MainForm& f = s.form;
  SetAboutShown(s, true);
  f.txtAbout.SetTop(600);
  f.txtAbout.SetLeft(1080);
  const std::string& text = f.txtAbout.Text();
  const size_t from = text.find(kAboutSuffixStart);
  const std::string rest = from == std::string::npos ? std::string() : text.substr(from);
  f.txtAbout.SetText("\r\n" + ProductTitleWithVersion() + rest);
}

void CloseAbout(Session& s) {
  SetAboutShown(s, false);
  // The notes button belongs to the entries view only.
  s.form.cmdNotes.SetVisible(!s.window.categoriesView);
}

}  // namespace mirrin
