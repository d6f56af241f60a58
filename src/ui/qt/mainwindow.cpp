#include "ui/qt/mainwindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QResizeEvent>
#include <QStatusBar>
#include <algorithm>

#include "mainwindow/differences.h"
#include "save/save.h"
#include "ui/popupmenu.h"
#include "ui/qt/listview.h"
#include "ui/qt/qttext.h"

namespace mirrin::qt {

MainWindow::MainWindow(Session& session, MainWindowModel& form)
    : s_(session), model_(form), view_(new FormView(true, this)), statusView_(new FormView(false, this)) {
  setCentralWidget(view_);
  AddControls();
  AddMenus();
  SetTabOrder();
  auto* statusLayout = new QHBoxLayout(statusView_);
  statusLayout->setContentsMargins(0, 0, 0, 0);
  statusLayout->addWidget(statusView_->AddLabel(model_.status.line));
  statusBar()->addWidget(statusView_, 1);
  model_.status.title.SetViewListener([this] { setWindowTitle(ToQt(model_.status.title.Caption())); });
  setWindowTitle(ToQt(model_.status.title.Caption()));
  SetAfterUserAction([this] { model_.status.Refresh(); });
  ApplyFrame();
}

MainWindow::~MainWindow() {
  SetAfterUserAction({});
  model_.status.title.SetViewListener({});
}

void MainWindow::AddControls() {
  MainWindowControls& f = s_.controls;
  FormView& v = *view_;
  for (Side side : kSides) {
    v.AddCombo(f.panes[side].userSelector);
    v.AddText(f.panes[side].userName, TextStyle::Display);
    for (forms::ListBox* list : {&f.panes[side].list, &f.panes[side].multiList}) {
      auto* view = static_cast<ListBoxView*>(v.AddList(*list));
      // Which fields differ from the partner row's record.
      view->SetToolTip([this, side](int row) {
        std::string tip;
        RunUserAction([&] { tip = RowDifferences(s_, side, row); });
        return tip.empty() ? tip : "Differs in: " + tip;
      });
      view->onRightButton = [this, side](int row) { ListRightClickRow(s_, side, row); };
    }
    v.AddLabel(f.panes[side].recordCount);
    v.AddText(f.panes[side].description, TextStyle::SingleLine);
    v.AddText(f.panes[side].details, TextStyle::MultiLine);
    v.AddCheck(f.panes[side].showThisCategory);
  }
  v.AddCombo(f.kindSelector);
  for (forms::Button* b : f.AllTransferButtons()) v.AddButton(*b);
  v.AddCheck(f.archive);
  v.AddButton(f.switchView);
  v.AddButton(f.editNotes);
  v.AddButton(f.exitButton);
  // As many characters as the kind selection writes when it is done.
  v.AddProgress(f.progress, [this] { return model_.ProgressFullLength(); });
  // Laid over the lists, so added last.
  v.AddText(f.aboutText, TextStyle::MultiLine)->raise();
  v.AddButton(f.aboutClose)->raise();
  QLabel* busy = v.AddLabel(f.busyNotice);
  busy->setAlignment(Qt::AlignCenter);
  busy->setFrameStyle(QFrame::Panel | QFrame::Raised);
  busy->setAutoFillBackground(true);
  busy->raise();
}

void MainWindow::AddMenus() {
  MainWindowControls& f = s_.controls;
  fileMenu_ = menuBar()->addMenu(QString());
  BindMenu(fileMenu_, f.fileMenu);
  for (forms::MenuItem* item :
       {&f.saveItem, &f.configureItem, &f.configureUsersItem, &f.aboutItem, &f.exitItem}) {
    QAction* action = fileMenu_->addAction(QString());
    BindAction(action, *item);
    if (item == &f.saveItem) action->setShortcut(QKeySequence::Save);
  }
  restoreMenu_ = menuBar()->addMenu(QString());
  BindMenu(restoreMenu_, f.restoreMenu);
  for (Side side : kSides) {
    if (side == kRight) restoreMenu_->addSeparator();
    for (forms::MenuItem& item : f.panes[side].restore) BindAction(restoreMenu_->addAction(QString()), item);
  }
  // Never shown: the category pop-up is built when it is needed.
  for (SidePane& pane : f.panes) BindMenu(menuBar()->addMenu(QString()), pane.categoryMenu);
}

void MainWindow::SetTabOrder() {
  MainWindowControls& f = s_.controls;
  std::vector<forms::Control*> order;
  auto pane = [&](Side side) {
    for (forms::Control* c : std::initializer_list<forms::Control*>{
             &f.panes[side].list, &f.panes[side].multiList, &f.panes[side].description,
             &f.panes[side].details, &f.panes[side].showThisCategory}) {
      order.push_back(c);
    }
  };
  pane(kLeft);
  order.push_back(&f.kindSelector);
  for (forms::Button* b : f.AllTransferButtons()) order.push_back(b);
  for (forms::Control* c :
       std::initializer_list<forms::Control*>{&f.archive, &f.switchView, &f.editNotes, &f.exitButton}) {
    order.push_back(c);
  }
  pane(kRight);
  for (size_t i = 1; i < order.size(); ++i)
    setTabOrder(view_->WidgetOf(*order[i - 1]), view_->WidgetOf(*order[i]));
}

void MainWindow::ApplyFrame() {
  // Whole pixels, rounded up so the window is never smaller than the frame.
  const int clientWidth = (model_.frame.width - kNonClientWidth + kTwipsPerPixel - 1) / kTwipsPerPixel;
  const int clientHeight = (model_.frame.height - kNonClientHeight + kTwipsPerPixel - 1) / kTwipsPerPixel;
  resize(clientWidth, clientHeight + menuBar()->sizeHint().height());
}

void MainWindow::StartResizing() {
  model_.status.Refresh();
  ApplyFrame();
  firstFrame_ = model_.frame;
  resizing_ = true;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (!resizing_) return;
  const int height =
      (event->size().height() - menuBar()->sizeHint().height()) * kTwipsPerPixel + kNonClientHeight;
  const int width = event->size().width() * kTwipsPerPixel + kNonClientWidth;
  // Text grows with the window (never below the desktop's size); set
  // before the model lays the controls out, which syncs their fonts.
  SetFontScale(std::max(1.0, std::min(static_cast<double>(height) / firstFrame_.height,
                                      static_cast<double>(width) / firstFrame_.width)));
  RunUserAction([&] { model_.Resized(height, width); });
  // The model keeps the window at least half its first size.
  if (model_.frame.height != height || model_.frame.width != width) ApplyFrame();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The window stays unless the exit routine ends the program.
  event->ignore();
  RunUserAction([this] { ExitRoutine(s_); });
}

}  // namespace mirrin::qt
