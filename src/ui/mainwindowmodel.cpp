#include "ui/mainwindowmodel.h"

#include <algorithm>
#include <array>

#include "mainwindow/detail.h"
#include "mainwindow/editing.h"
#include "mainwindow/differences.h"
#include "mainwindow/rowtext.h"
#include "mainwindow/selectkind.h"
#include "save/save.h"
#include "save/wiring.h"
#include "startup/catfilter.h"
#include "startup/errorreport.h"
#include "startup/version.h"
#include "transfer/wiring.h"

namespace mirrin {

namespace {

constexpr const char* kListFont = "MS Sans Serif";
constexpr const char* kCategoriesFont = "Fixedsys";  // category rows line up in columns
constexpr int kCategoryNameLength = 15;

void Place(forms::Control& c, int top, int left, int height, int width) {
  forms::Geometry g = c.Layout();
  g.top = top;
  g.left = left;
  g.height = height;
  g.width = width;
  c.SetLayout(g);
}

// The tops of the transfer buttons' rows in the two-column layouts.
constexpr std::array<int, 5> kButtonRowTops{1080, 1560, 2040, 2520, 3000};

// Default layout (option "0"), in twips: two panes with the buttons in one
// column between them.
constexpr int kMargin = 120;
constexpr int kPaneWidth = 3975;
constexpr int kRightPaneLeft = 6060;
constexpr int kListTop = 600;
constexpr int kListHeight = 4350;
constexpr int kDetailTop = 5280;
constexpr int kLineTop = 5880;
constexpr int kLineHeight = 1695;
constexpr int kPaneBottom = kLineTop + kLineHeight;  // the same in both height options
constexpr int kFieldHeight = 315;
constexpr int kMiddleLeft = 4440;
constexpr int kButtonWidth = 1275;  // the captions in the desktop's font
constexpr int kButtonHeight = 375;
constexpr int kButtonPitch = 405;

}  // namespace

MainWindowModel::MainWindowModel(Session& session)
    : caption(ProductTitleWithVersion()), status(session, caption), s_(session) {
  DefaultLayout();
  MainWindowControls& f = s_.controls;
  for (SidePane& p : f.panes) {
    // The user selectors are filled and searched by start-up; the window
    // names the loaded user in userName instead.
    p.userSelector.SetVisible(false);
    p.multiList.SetVisible(false);
  }
  f.progress.SetFontName(kCategoriesFont);
  for (forms::Control* c :
       std::initializer_list<forms::Control*>{&f.progress, &f.busyNotice, &f.aboutText, &f.aboutClose}) {
    c->SetVisible(false);
  }
  Wire();
}

void MainWindowModel::DefaultLayout() {
  MainWindowControls& f = s_.controls;
  for (Side side : kSides) {
    const int left = side == kLeft ? kMargin : kRightPaneLeft;
    SidePane& p = f.panes[side];
    Place(p.userName, kMargin, left, kFieldHeight, kPaneWidth);
    Place(p.userSelector, kMargin, left, kFieldHeight, kPaneWidth);
    Place(p.list, kListTop, left, kListHeight, kPaneWidth);
    Place(p.multiList, kListTop, left, kListHeight, kPaneWidth);
    Place(p.recordCount, kDetailTop - 240, left, 240, kPaneWidth);
    Place(p.description, kDetailTop, left, 285, kPaneWidth);
    Place(p.details, kLineTop, left, kLineHeight, kPaneWidth);
    // Below the pane, clear of it in both height options.
    Place(p.showThisCategory, kPaneBottom + 45, left, 255, 2400);
  }
  Place(f.kindSelector, kMargin, kMiddleLeft, kFieldHeight, kButtonWidth);
  int top = kListTop;
  for (forms::Button* b : f.AllTransferButtons()) {
    Place(*b, top, kMiddleLeft, kButtonHeight, kButtonWidth);
    top += kButtonPitch;
  }
  Place(f.archive, top, kMiddleLeft, 255, kButtonWidth);
  Place(f.switchView, kDetailTop, kMiddleLeft - 240, kButtonHeight, kButtonWidth + 480);
  Place(f.editNotes, kDetailTop + 480, kMiddleLeft, kButtonHeight, kButtonWidth);
  Place(f.exitButton, kPaneBottom - kButtonHeight, kMiddleLeft, kButtonHeight, kButtonWidth);
  Place(f.progress, kPaneBottom + 360, kMargin, 285, kRightPaneLeft + kPaneWidth - kMargin);
  Place(f.busyNotice, 2400, 2640, 1095, 4995);
  Place(f.aboutText, kListTop, 1200, kListHeight, 7875);
  Place(f.aboutClose, kDetailTop - 240, kMiddleLeft, kButtonHeight, kButtonWidth);
}

void MainWindowModel::Wire() {
  MainWindowControls& f = s_.controls;
  f.kindSelector.onClick = [this] { SelectKind(s_); };
  for (Side side : kSides) {
    f.panes[side].userName.onChange = [this, side] {
      // The hidden categories of the user going away are kept; those of
      // the user coming in are applied.
      KeepCategoryFilters(CategoryFilterUsers(s_)[side], s_.settings.Custom1, s_.filters);
      LoadUser(s_, side, loadHooks);
      ApplyCategoryFilters(CategoryFilterUsers(s_)[side], s_.settings.Custom1, s_.filters);
    };
    for (forms::ListBox* list : {&f.panes[side].list, &f.panes[side].multiList}) {
      list->onClick = [this, side] {
        ListSelectionChanged(s_, side);
        MarkDifferences(s_);
      };
      list->onKeyDown = [this, side](forms::KeyCode key) { ListKeyDown(s_, side, key); };
      list->onKeyUp = [this, side](forms::KeyCode) { ListKeyUp(s_, side); };
    }
    f.panes[side].details.onChange = [this, side] { LineChanged(s_, side); };
    f.panes[side].description.onChange = [this, side] {
      DescChanged(s_, side);
      if (!s_.window.busy) MarkDifferences(s_);  // a pane being filled is marked once it is full
    };
    f.panes[side].showThisCategory.onClick = [this, side] { CategoryShownClicked(side); };
  }
  f.switchView.onClick = [this] { SwitchView(); };
  f.editNotes.onClick = [this] {
    ToggleNotesMode(s_);
    MarkDifferences(s_);
  };
  WireTransferButtons(s_);
  WireSaveMenus(s_);
  for (Side side : kSides) {
    SidePane& t = f.panes[side];
    for (const auto& [button, verb] : {std::pair{&t.add, TransferVerb::Add},
                                       {&t.change, TransferVerb::Change},
                                       {&t.del, TransferVerb::Delete},
                                       {&t.move, TransferVerb::Move},
                                       {&t.priv, TransferVerb::Private}}) {
      button->onClick = [this, side, verb, operation = button->onClick] { Transfer(side, verb, operation); };
    }
  }
  // Save as wired above, and told in the status bar.
  f.saveItem.onClick = [this] { status.Event(SaveResultText(Save(s_))); };
}

void MainWindowModel::Transfer(Side side, TransferVerb verb, const std::function<void()>& operation) {
  // Add, change and move bring the other side's selected records here;
  // delete and private act on this side's.
  const Side source = verb == TransferVerb::Delete || verb == TransferVerb::Private ? side : Other(side);
  const std::optional<Kind> kind = s_.ShownKind();
  const bool entries = !s_.window.categoriesView && kind;
  const int n = s_.List(source).SelCount();
  auto state = [&] {
    return std::array<size_t, 5>{
        static_cast<size_t>(s_.List(kLeft).ListCount()), static_cast<size_t>(s_.List(kRight).ListCount()),
        entries ? s_.Store(kLeft).Count(*kind) : 0, entries ? s_.Store(kRight).Count(*kind) : 0,
        static_cast<size_t>(ChangedWord(s_.stores))};
  };
  const auto before = state();
  operation();
  // A refused or cancelled operation changes nothing and is not told.
  if (entries && n > 0 && state() != before) status.Event(TransferText(s_, verb, side, n));
  MarkDifferences(s_);
}

void MainWindowModel::CategoryShownClicked(Side side) {
  if (s_.window.busy) return;  // the pane is being filled, not clicked
  const int32_t category = s_.window.currentIndex[side];
  const bool show = s_.controls.panes[side].showThisCategory.Value() == forms::CheckBox::Checked;
  SetCategoryShown(CategoryFilterUsers(s_)[side], s_.controls.kindSelector.Text(), category, show,
                   s_.filters);
  const std::optional<Kind> kind = s_.ShownKind();
  forms::ListBox& list = s_.List(side);
  const KindHeader* header = kind ? &s_.Store(side).Header(*kind) : nullptr;
  if (s_.window.categoriesView && header && list.ListIndex() >= 0 && category >= 0 &&
      category < static_cast<int32_t>(header->Categories.size())) {
    list.SetList(list.ListIndex(), CategoryRowText(*header, static_cast<size_t>(category), s_.settings.DBCS));
  }
  s_.controls.saveItem.SetEnabled(true);
}

std::vector<forms::Control*> MainWindowModel::LaidOutControls() {
  MainWindowControls& f = s_.controls;
  std::vector<forms::Control*> controls{&f.kindSelector, &f.archive,    &f.switchView,
                                        &f.editNotes,    &f.exitButton, &f.progress,
                                        &f.busyNotice,   &f.aboutText,  &f.aboutClose};
  for (SidePane& p : f.panes) {
    for (forms::Control* c : p.PlacedControls()) controls.push_back(c);
  }
  for (forms::Button* b : f.AllTransferButtons()) controls.push_back(b);
  return controls;
}

void MainWindowModel::SetGUI() {
  MainWindowControls& f = s_.controls;
  Settings& set = s_.settings;

  int listHeight = kListHeight, detailTop = kDetailTop, lineTop = kLineTop, lineHeight = kLineHeight;
  if (set.GUIHeight == "1") {
    listHeight = 2985;
    detailTop = 3960;
    lineTop = 4560;
    lineHeight = 3015;
  } else {
    set.GUIHeight = "0";
  }
  if (set.GUIHeight != "0") {
    for (SidePane& p : f.panes) {
      p.list.SetHeight(listHeight);
      p.multiList.SetHeight(listHeight);
      p.recordCount.SetTop(detailTop - 240);
      p.description.SetTop(detailTop);
      p.details.SetTop(lineTop);
      p.details.SetHeight(lineHeight);
    }
  }

  int listWidth, rightColumnLeft, leftButtonsLeft, rightButtonsLeft, archiveLeft;
  if (set.GUI == "1") {
    listWidth = 3615;
    rightColumnLeft = 6240;
    leftButtonsLeft = 3840;
    rightButtonsLeft = 5040;
    archiveLeft = 4440;
  } else if (set.GUI == "2") {
    frame.width = 11355;
    f.progress.SetWidth(10815);
    f.panes[kLeft].userName.SetLeft(120);
    for (forms::Control* c :
         std::initializer_list<forms::Control*>{&f.exitButton, &f.editNotes, &f.kindSelector}) {
      c->SetLeft(5040);
    }
    f.switchView.SetLeft(4800);
    listWidth = 4215;
    rightColumnLeft = 6840;
    leftButtonsLeft = 4440;
    rightButtonsLeft = 5640;
    archiveLeft = 5040;
  } else {
    set.GUI = "0";
    return;
  }

  for (SidePane& p : f.panes) {
    for (forms::Control* c : std::initializer_list<forms::Control*>{&p.list, &p.multiList, &p.details,
                                                                    &p.description, &p.recordCount}) {
      c->SetWidth(listWidth);
    }
  }
  SidePane& right = f.panes[kRight];
  right.userName.SetWidth(listWidth);
  // The right user selector is never shown and keeps its place.
  for (forms::Control* c : right.PlacedControls()) {
    if (c != &right.userSelector) c->SetLeft(rightColumnLeft);
  }
  // Two columns of buttons side by side, a small gap apart.
  const int buttonWidth = std::min(kButtonWidth, rightButtonsLeft - leftButtonsLeft - 45);
  for (Side side : kSides) {
    const std::array<forms::Button*, 5> buttons = f.panes[side].TransferButtons();
    for (size_t row = 0; row < buttons.size(); ++row) {
      buttons[row]->SetWidth(buttonWidth);
      buttons[row]->SetLeft(side == kLeft ? leftButtonsLeft : rightButtonsLeft);
      buttons[row]->SetTop(kButtonRowTops[row]);
    }
  }
  f.archive.SetLeft(archiveLeft);
  f.archive.SetTop(3480);
}

void MainWindowModel::InitResizer(bool keepSize) {
  resizer_.Init(frame, LaidOutControls(), s_.platform.Screen(), keepSize);
}

void MainWindowModel::ApplyLayoutOptions() {
  const WindowFrame shown = frame;
  frame = kDesignFrame;
  DefaultLayout();
  SetGUI();
  resizer_.Init(frame, LaidOutControls(), s_.platform.Screen(), true);
  frame = shown;
  // Init skips one resize, meant for the window's first showing, long past.
  resizer_.Resize(frame);
  resizer_.Resize(frame);
}

void MainWindowModel::Resized(int height, int width) {
  frame.height = height;
  frame.width = width;
  resizer_.Resize(frame);
}

void MainWindowModel::UseEntryLists() {
  MainWindowControls& f = s_.controls;
  const bool multi = s_.settings.EnableMultiSelect;
  for (Side side : kSides) {
    f.panes[side].list.SetVisible(!multi);
    f.panes[side].multiList.SetVisible(multi);
    s_.window.currentList[side] = multi ? &f.panes[side].multiList : &f.panes[side].list;
  }
}

void MainWindowModel::SwitchView() {
  TrapErrors(s_.platform, "cmdSwitch", [this] {
    MainWindowControls& f = s_.controls;
    WindowState& w = s_.window;
    const int kindIndex = f.kindSelector.ListIndex();
    if (!w.categoriesView) {
      // The categories view always uses the single-selection lists.
      if (s_.settings.EnableMultiSelect) {
        for (Side side : kSides) {
          f.panes[side].list.SetVisible(true);
          f.panes[side].multiList.SetVisible(false);
          w.currentList[side] = &f.panes[side].list;
        }
      }
      f.editNotes.SetVisible(false);
      w.categoriesView = true;
      f.switchView.SetCaption("&Show Entries");
      for (Side side : kSides) {
        f.panes[side].list.SetFontName(kCategoriesFont);
        f.panes[side].description.SetMaxLength(kCategoryNameLength);
      }
      for (forms::Button* b : f.AllTransferButtons()) b->SetVisible(false);
      f.archive.SetVisible(false);
      for (SidePane& p : f.panes) {
        p.del.SetVisible(true);
        p.add.SetVisible(true);
        p.add.SetEnabled(true);
      }
    } else {
      UseEntryLists();
      f.editNotes.SetVisible(true);
      for (Side side : kSides) {
        f.panes[side].description.SetMaxLength(0);
        f.panes[side].list.SetFontName(kListFont);
      }
      w.categoriesView = false;
      f.switchView.SetCaption("&Show Categories");
      for (forms::Button* b : f.AllTransferButtons()) b->SetVisible(true);
      f.archive.SetVisible(true);
    }
    for (SidePane& p : f.panes) p.details.SetVisible(!p.details.Visible());
    // Choosing the kind again refills both lists for the new view.
    f.kindSelector.SetListIndex(0);
    f.kindSelector.SetListIndex(kindIndex);
    resizer_.Resize(frame);
  });
}

}  // namespace mirrin
