#include "ui/splash.h"

#include "startup/version.h"

namespace mirrin {

namespace {

constexpr const char* kAboutSuffixStart = " (";

// What follows the product-and-version line of the About text.
constexpr const char* kAboutText = "\r\n (built " __DATE__
                                   ")\r\n\r\n"
                                   "Compares and copies the records of two Palm Desktop users.\r\n\r\n"
                                   "Project page and reports: mirrin@users.noreply.github.com";

}  // namespace

SplashModel::SplashModel(Session& session) : s_(session) {
  lblLoading.SetCaption("Loading .");
  lblCompany.SetCaption("The Mirrin project");
  lblWarning.SetCaption("Please report problems to mirrin@users.noreply.github.com");
  s_.controls.aboutText.SetText(std::string(kAboutText) + "\r\n\r\nSettings and logs are kept in " +
                                s_.programDir);
}

void SplashModel::Load() {
  lblVersion.SetCaption("Version " + VersionText());
  lblProductName.SetCaption(kProductName);
  window.SetVisible(true);
}

void SplashModel::Progress() {
  lblLoading.SetCaption(lblLoading.Caption() + "..");
  s_.platform.DoEvents();
}

namespace {

void SetAboutShown(Session& s, bool shown) {
  MainWindowControls& f = s.controls;
  f.editNotes.SetVisible(!shown);
  f.kindSelector.SetVisible(!shown);
  for (Side side : kSides) {
    s.List(side).SetEnabled(!shown);
    f.panes[side].description.SetEnabled(!shown);
  }
  f.switchView.SetVisible(!shown);
  f.exitButton.SetVisible(!shown);
  f.fileMenu.SetEnabled(!shown);
  f.restoreMenu.SetEnabled(!shown);
  f.aboutText.SetVisible(shown);
  f.aboutClose.SetVisible(shown);
}

}  // namespace

void ShowAbout(Session& s) {
  MainWindowControls& f = s.controls;
  SetAboutShown(s, true);
  f.aboutText.SetTop(600);
  f.aboutText.SetLeft(1080);
  const std::string& text = f.aboutText.Text();
  const size_t from = text.find(kAboutSuffixStart);
  const std::string rest = from == std::string::npos ? std::string() : text.substr(from);
  f.aboutText.SetText("\r\n" + ProductTitleWithVersion() + rest);
}

void CloseAbout(Session& s) {
  SetAboutShown(s, false);
  // The notes button belongs to the entries view only.
  s.controls.editNotes.SetVisible(!s.window.categoriesView);
}

}  // namespace mirrin
