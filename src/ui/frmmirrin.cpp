#include "ui/frmmirrin.h"

#include <algorithm>
#include <array>

#include "mainwindow/detail.h"
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

// The buttons' rows in the two-column layouts, with the two buttons of each
// row: pointing left, pointing right.
struct ButtonRow {
  forms::Button MainForm::*pointingLeft;
  forms::Button MainForm::*pointingRight;
  int top;
};
constexpr std::array<ButtonRow, 5> kButtonRows{{
    {&MainForm::pLeft, &MainForm::pright, 1080},
    {&MainForm::cleft, &MainForm::cright, 1560},
    {&MainForm::aleft, &MainForm::aright, 2040},
    {&MainForm::dleft, &MainForm::dright, 2520},
    {&MainForm::mleft, &MainForm::mright, 3000},
}};

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

FrmMirrin::FrmMirrin(Session& session)
    : caption(ProductTitleWithVersion()), status(session, caption), s_(session) {
  DefaultLayout();
  MainForm& f = s_.form;
  for (Side side : kSides) {
    // The user selectors are filled and searched by start-up; the window
    // names the loaded user in UserLeft/UserRight instead.
    f.UserSelector(side).SetVisible(false);
    f.MultiList(side).SetVisible(false);
  }
  f.txtStatus.SetFontName(kCategoriesFont);
  for (forms::Control* c : std::initializer_list<forms::Control*>{&f.txtStatus, &f.closeup, &f.txtAbout, &f.Command1}) {
    c->SetVisible(false);
  }
  Wire();
}

void FrmMirrin::DefaultLayout() {
  MainForm& f = s_.form;
  for (Side side : kSides) {
    const int left = side == kLeft ? kMargin : kRightPaneLeft;
    Place(f.UserField(side), kMargin, left, kFieldHeight, kPaneWidth);
    Place(f.UserSelector(side), kMargin, left, kFieldHeight, kPaneWidth);
    Place(f.SingleList(side), kListTop, left, kListHeight, kPaneWidth);
    Place(f.MultiList(side), kListTop, left, kListHeight, kPaneWidth);
    Place(f.NumRec(side), kDetailTop - 240, left, 240, kPaneWidth);
    Place(f.Desc(side), kDetailTop, left, 285, kPaneWidth);
    Place(f.Line(side), kLineTop, left, kLineHeight, kPaneWidth);
    // Below the pane, clear of it in both height options.
    Place(f.ShowThisCategory(side), kPaneBottom + 45, left, 255, 2400);
  }
  Place(f.Combo1, kMargin, kMiddleLeft, kFieldHeight, kButtonWidth);
  int top = kListTop;
  for (const ButtonRow& row : kButtonRows) {
    for (forms::Button MainForm::*b : {row.pointingLeft, row.pointingRight}) {
      Place(f.*b, top, kMiddleLeft, kButtonHeight, kButtonWidth);
      top += kButtonPitch;
    }
  }
  Place(f.chkArchive, top, kMiddleLeft, 255, kButtonWidth);
  Place(f.cmdSwitch, kDetailTop, kMiddleLeft - 240, kButtonHeight, kButtonWidth + 480);
  Place(f.cmdNotes, kDetailTop + 480, kMiddleLeft, kButtonHeight, kButtonWidth);
  Place(f.cmdExit, kPaneBottom - kButtonHeight, kMiddleLeft, kButtonHeight, kButtonWidth);
  Place(f.txtStatus, kPaneBottom + 360, kMargin, 285, kRightPaneLeft + kPaneWidth - kMargin);
  Place(f.closeup, 2400, 2640, 1095, 4995);
  Place(f.txtAbout, kListTop, 1200, kListHeight, 7875);
  Place(f.Command1, kDetailTop - 240, kMiddleLeft, kButtonHeight, kButtonWidth);
}

void FrmMirrin::Wire() {
  MainForm& f = s_.form;
  f.Combo1.onClick = [this] { SelectKind(s_); };
  for (Side side : kSides) {
    f.UserField(side).onChange = [this, side] {
      // The hidden categories of the user going away are kept; those of
      // the user coming in are applied.
      KeepCategoryFilters(CategoryFilterUsers(s_)[side], s_.settings.Custom1, s_.filters);
      LoadUser(s_, side, loadHooks);
      ApplyCategoryFilters(CategoryFilterUsers(s_)[side], s_.settings.Custom1, s_.filters);
    };
    for (forms::ListBox* list : {&f.SingleList(side), &f.MultiList(side)}) {
      list->onClick = [this, side] {
        ListSelectionChanged(s_, side);
        MarkDifferences(s_);
      };
      list->onKeyDown = [this, side](int keyCode) { ListKeyDown(s_, side, keyCode); };
      list->onKeyUp = [this, side](int) { ListKeyUp(s_, side); };
    }
    f.Line(side).onChange = [this, side] { LineChanged(s_, side); };
    f.Desc(side).onChange = [this, side] {
      DescChanged(s_, side);
      if (!s_.window.busy) MarkDifferences(s_);  // a pane being filled is marked once it is full
    };
    f.ShowThisCategory(side).onClick = [this, side] { CategoryShownClicked(side); };
  }
  f.cmdSwitch.onClick = [this] { SwitchView(); };
  f.cmdNotes.onClick = [this] {
    ToggleNotesMode(s_);
    MarkDifferences(s_);
  };
  WireTransferButtons(s_);
  WireSaveMenus(s_);
  for (Side side : kSides) {
    const TransferButtons t = f.Towards(side);
    for (const auto& [button, verb] : {std::pair{&t.add, TransferVerb::Add}, {&t.change, TransferVerb::Change},
                                       {&t.del, TransferVerb::Delete}, {&t.move, TransferVerb::Move},
                                       {&t.priv, TransferVerb::Private}}) {
      button->onClick = [this, side, verb, operation = button->onClick] { Transfer(side, verb, operation); };
    }
  }
  // Save as wired above, and told in the status bar.
  f.mnuSave.onClick = [this] { status.Event(SaveResultText(Save(s_))); };
}

void FrmMirrin::Transfer(Side side, TransferVerb verb, const std::function<void()>& operation) {
  // Add, change and move bring the other side's selected records here;
  // delete and private act on this side's.
  const Side source = verb == TransferVerb::Delete || verb == TransferVerb::Private ? side : Other(side);
  Kind kind;
  const bool entries = !s_.window.categoriesView && s_.ShownKind(kind);
  const int n = s_.List(source).SelCount();
  auto state = [&] {
    return std::array<size_t, 5>{static_cast<size_t>(s_.List(kLeft).ListCount()),
                                 static_cast<size_t>(s_.List(kRight).ListCount()),
                                 entries ? s_.Store(kLeft).Count(kind) : 0, entries ? s_.Store(kRight).Count(kind) : 0,
                                 static_cast<size_t>(ChangedWord(s_.stores))};
  };
  const auto before = state();
  operation();
  // A refused or cancelled operation changes nothing and is not told.
  if (entries && n > 0 && state() != before) status.Event(TransferText(s_, verb, side, n));
  MarkDifferences(s_);
}

void FrmMirrin::CategoryShownClicked(Side side) {
  if (s_.window.busy) return;  // the pane is being filled, not clicked
  const int32_t category = s_.window.currentIndex[side];
  const bool show = s_.form.ShowThisCategory(side).Value() == forms::CheckBox::Checked;
  SetCategoryShown(CategoryFilterUsers(s_)[side], s_.form.Combo1.Text(), category, show, s_.filters);
  Kind kind;
  forms::ListBox& list = s_.List(side);
  const std::vector<CategoryEntry>* table =
      s_.ShownKind(kind) ? &s_.Store(side).Header(kind).Categories : nullptr;
  if (s_.window.categoriesView && table && list.ListIndex() >= 0 && category >= 0 &&
      category < static_cast<int32_t>(table->size())) {
    list.SetList(list.ListIndex(), CategoryRowText((*table)[static_cast<size_t>(category)], s_.settings.DBCS));
  }
  s_.form.mnuSave.SetEnabled(true);
}

std::vector<forms::Control*> FrmMirrin::LaidOutControls() {
  MainForm& f = s_.form;
  std::vector<forms::Control*> controls{&f.Combo1,    &f.chkArchive, &f.cmdSwitch, &f.cmdNotes,
                                        &f.cmdExit,   &f.txtStatus,  &f.closeup,   &f.txtAbout,
                                        &f.Command1};
  for (Side side : kSides) {
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &f.SingleList(side), &f.MultiList(side), &f.UserSelector(side), &f.UserField(side),
             &f.Desc(side), &f.Line(side), &f.NumRec(side), &f.ShowThisCategory(side)}) {
      controls.push_back(c);
    }
  }
  for (forms::Button* b : f.AllTransferButtons()) controls.push_back(b);
  return controls;
}

void FrmMirrin::SetGUI() {
  MainForm& f = s_.form;
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
    for (Side side : kSides) {
      f.SingleList(side).SetHeight(listHeight);
      f.MultiList(side).SetHeight(listHeight);
      f.NumRec(side).SetTop(detailTop - 240);
      f.Desc(side).SetTop(detailTop);
      f.Line(side).SetTop(lineTop);
      f.Line(side).SetHeight(lineHeight);
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
    f.txtStatus.SetWidth(10815);
    f.UserLeft.SetLeft(120);
    for (forms::Control* c : std::initializer_list<forms::Control*>{&f.cmdExit, &f.cmdNotes, &f.Combo1}) {
      c->SetLeft(5040);
    }
    f.cmdSwitch.SetLeft(4800);
    listWidth = 4215;
    rightColumnLeft = 6840;
    leftButtonsLeft = 4440;
    rightButtonsLeft = 5640;
    archiveLeft = 5040;
  } else {
    set.GUI = "0";
    return;
  }

  for (Side side : kSides) {
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &f.SingleList(side), &f.MultiList(side), &f.Line(side), &f.Desc(side), &f.NumRec(side)}) {
      c->SetWidth(listWidth);
    }
  }
  f.UserRight.SetWidth(listWidth);
  for (forms::Control* c : std::initializer_list<forms::Control*>{
           &f.List2, &f.List2m, &f.line2, &f.txt2Desc, &f.UserRight, &f.numrec2, &f.chk2ShowThisCategory}) {
    c->SetLeft(rightColumnLeft);
  }
  // Two columns of buttons side by side, a small gap apart.
  const int buttonWidth = std::min(kButtonWidth, rightButtonsLeft - leftButtonsLeft - 45);
  for (const ButtonRow& row : kButtonRows) {
    (f.*row.pointingLeft).SetWidth(buttonWidth);
    (f.*row.pointingRight).SetWidth(buttonWidth);
    (f.*row.pointingLeft).SetLeft(leftButtonsLeft);
    (f.*row.pointingLeft).SetTop(row.top);
    (f.*row.pointingRight).SetLeft(rightButtonsLeft);
    (f.*row.pointingRight).SetTop(row.top);
  }
  f.chkArchive.SetLeft(archiveLeft);
  f.chkArchive.SetTop(3480);
}

void FrmMirrin::InitResizer(bool keepSize) {
  elastic_.Init(frame, LaidOutControls(), s_.platform.Screen(), keepSize);
}

void FrmMirrin::ApplyLayoutOptions() {
  const WindowFrame shown = frame;
  frame = kDesignFrame;
  DefaultLayout();
  SetGUI();
  elastic_.Init(frame, LaidOutControls(), s_.platform.Screen(), true);
  frame = shown;
  // Init skips one resize, meant for the window's first showing, long past.
  elastic_.FormResize(frame);
  elastic_.FormResize(frame);
}

void FrmMirrin::Resized(int height, int width) {
  frame.height = height;
  frame.width = width;
  elastic_.FormResize(frame);
}

void FrmMirrin::UseEntryLists() {
  MainForm& f = s_.form;
  const bool multi = s_.settings.EnableMultiSelect;
  for (Side side : kSides) {
    f.SingleList(side).SetVisible(!multi);
    f.MultiList(side).SetVisible(multi);
    s_.window.currentList[side] = multi ? &f.MultiList(side) : &f.SingleList(side);
  }
}

void FrmMirrin::SwitchView() {
  TrapErrors(s_.platform, "cmdSwitch", [this] {
    MainForm& f = s_.form;
    WindowState& w = s_.window;
    const int kindIndex = f.Combo1.ListIndex();
    if (!w.categoriesView) {
      // The categories view always uses the single-selection lists.
      if (s_.settings.EnableMultiSelect) {
        for (Side side : kSides) {
          f.SingleList(side).SetVisible(true);
          f.MultiList(side).SetVisible(false);
          w.currentList[side] = &f.SingleList(side);
        }
      }
      f.cmdNotes.SetVisible(false);
      w.categoriesView = true;
      f.cmdSwitch.SetCaption("&Show Entries");
      for (Side side : kSides) {
        f.SingleList(side).SetFontName(kCategoriesFont);
        f.Desc(side).SetMaxLength(kCategoryNameLength);
      }
      for (forms::Button* b : f.AllTransferButtons()) b->SetVisible(false);
      f.chkArchive.SetVisible(false);
      for (forms::Button* b : {&f.dleft, &f.dright, &f.aleft, &f.aright}) b->SetVisible(true);
      f.aleft.SetEnabled(true);
      f.aright.SetEnabled(true);
    } else {
      UseEntryLists();
      f.cmdNotes.SetVisible(true);
      for (Side side : kSides) {
        f.Desc(side).SetMaxLength(0);
        f.SingleList(side).SetFontName(kListFont);
      }
      w.categoriesView = false;
      f.cmdSwitch.SetCaption("&Show Categories");
      for (forms::Button* b : f.AllTransferButtons()) b->SetVisible(true);
      f.chkArchive.SetVisible(true);
    }
    for (Side side : kSides) f.Line(side).SetVisible(!f.Line(side).Visible());
    // Choosing the kind again refills both lists for the new view.
    f.Combo1.SetListIndex(0);
    f.Combo1.SetListIndex(kindIndex);
    elastic_.FormResize(frame);
  });
}

}  // namespace mirrin
