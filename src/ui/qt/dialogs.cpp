#include "ui/qt/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/qt/qttext.h"

namespace mirrin::qt {

namespace {

QHBoxLayout* OkCancelRow(FormView& view, forms::Button& ok, forms::Button& cancel) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  QPushButton* okButton = view.AddButton(ok);
  okButton->setDefault(true);
  row->addWidget(okButton);
  row->addWidget(view.AddButton(cancel));
  return row;
}

// Check boxes in rows of `columns`.
QGridLayout* CheckGrid(FormView& view, std::initializer_list<forms::CheckBox*> boxes, int columns) {
  auto* grid = new QGridLayout;
  int i = 0;
  for (forms::CheckBox* box : boxes) {
    grid->addWidget(view.AddCheck(*box), i / columns, i % columns);
    ++i;
  }
  return grid;
}

// A field with its trailing words.
QHBoxLayout* Beside(QWidget* field, const char* words) {
  auto* row = new QHBoxLayout;
  row->addWidget(field);
  row->addWidget(new QLabel(QString::fromLatin1(words)));
  return row;
}

}  // namespace

ModalDialog::ModalDialog(ModalWindow& model, const std::string& title, QWidget* parent)
    : QDialog(parent), view_(new FormView(false, this)) {
  setWindowTitle(ToQt(title));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  BindWindowVisible(this, model.window, false);
  model.runModal = [this] { RunModal(*this); };
}

void RunModal(QDialog& dialog) {
  dialog.exec();
  if (const std::optional<int> code = TakeProgramEnd()) throw ProgramEnd{*code};
}

ConfigureDialog::ConfigureDialog(ConfigureDialogModel& m, QWidget* parent)
    : ModalDialog(m, ConfigureDialogModel::kTitle, parent), model_(m) {
  FormView& v = *view_;
  auto* layout = new QVBoxLayout(&v);

  auto* kinds = new QGroupBox(QStringLiteral("Record kinds"));
  auto* kindsLayout = new QVBoxLayout(kinds);
  kindsLayout->addLayout(CheckGrid(v, {&m.chkDates, &m.chkContacts, &m.chkToDo, &m.chkMemo}, 4));
  auto* startRow = new QFormLayout;
  startRow->addRow(QStringLiteral("Start with:"), v.AddCombo(m.cmbStartwith));
  kindsLayout->addLayout(startRow);
  layout->addWidget(kinds);

  auto* options = new QGroupBox(QStringLiteral("Options"));
  QGridLayout* grid =
      CheckGrid(v,
                {&m.chkShowCategories, &m.chkShowDatebookCategories, &m.chkShowMemoCategories,
                 &m.chkShowToDoCategories, &m.chkAddCategories, &m.chkCategories, &m.chkSortbyCategory,
                 &m.chkShowCompany, &m.chkShowCompletedToDo, &m.chkAgendus, &m.chkCopyAlarms, &m.chkArchive,
                 &m.chkDBCS, &m.chkMultiSelect},
                2);
  // The DBCS box carries its note beside it.
  QWidget* dbcs = v.WidgetOf(m.chkDBCS);
  int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
  grid->getItemPosition(grid->indexOf(dbcs), &row, &column, &rowSpan, &columnSpan);
  grid->removeWidget(dbcs);
  grid->addLayout(Beside(dbcs, "Double Byte Character System"), row, column);
  options->setLayout(grid);
  layout->addWidget(options);

  auto* values = new QFormLayout;
  daysToIgnore_ = v.AddText(m.txtDaystoIgnore, TextStyle::SingleLine);
  daysToIgnore_->installEventFilter(this);
  values->addRow(QStringLiteral("Ignore Datebook entries"), Beside(daysToIgnore_, "days before today"));
  values->addRow(QStringLiteral("Mirrin will match Date entries if the first "),
                 Beside(v.AddText(m.txtFirstDuplicate, TextStyle::SingleLine), "characters are identical"));
  values->addRow(QStringLiteral("Hide Entries After:"),
                 Beside(v.AddText(m.txtHideAfter, TextStyle::SingleLine), "Format = dd/mm/yyyy"));
  values->addRow(QStringLiteral("Width Option:"), v.AddCombo(m.txtGUI));
  values->addRow(QStringLiteral("Height Option:"), v.AddCombo(m.txtHeight));
  layout->addLayout(values);
  layout->addWidget(
      new QLabel(QStringLiteral("You will need to restart Mirrin for some changes to become effective")));
  layout->addLayout(OkCancelRow(v, m.cmdOK, m.cmdCancel));
  // A number OK refused takes the focus (the dialog stays open with the edits).
  connect(static_cast<QPushButton*>(v.WidgetOf(m.cmdOK)), &QPushButton::clicked, this, [this] {
    if (model_.refusedField) Form().WidgetOf(*model_.refusedField)->setFocus();
  });
}

bool ConfigureDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == daysToIgnore_ && event->type() == QEvent::FocusOut) {
    bool valid = true;
    RunUserAction([&] { valid = model_.ValidateDaystoIgnore(); });
    // The focus stays in the field until it holds a number.
    if (!valid) QTimer::singleShot(0, daysToIgnore_, [w = daysToIgnore_] { w->setFocus(); });
  }
  return ModalDialog::eventFilter(watched, event);
}

namespace {

// A label with its hint.
QLabel* Hinted(const char* text, const char* hint) {
  auto* label = new QLabel(QString::fromLatin1(text));
  label->setToolTip(QString::fromLatin1(hint));
  return label;
}

// A field the operator cannot type in, wide enough for a usual path and
// showing its text from the start, so a long path keeps its top folders in
// view.
QWidget* ShownText(FormView& view, forms::TextBox& box) {
  QWidget* widget = view.AddText(box, TextStyle::Display);
  if (auto* line = qobject_cast<QLineEdit*>(widget)) {
    line->setMinimumWidth(line->fontMetrics().averageCharWidth() * 36);
    QObject::connect(line, &QLineEdit::textChanged, line, [line] { line->setCursorPosition(0); });
  }
  return widget;
}

}  // namespace

ConfigUserDialog::ConfigUserDialog(UsersDialogModel& m, QWidget* parent)
    : ModalDialog(m, UsersDialogModel::kTitle, parent) {
  FormView& v = *view_;
  auto* layout = new QVBoxLayout(&v);
  auto* sides = new QHBoxLayout;
  for (Side side : kSides) {
    UserFrame& u = m.Frame(side);
    auto* box = new QGroupBox(side == kLeft ? QStringLiteral("First User") : QStringLiteral("Second User"));
    auto* form = new QFormLayout(box);
    auto* dirRow = new QHBoxLayout;
    QWidget* dir = ShownText(v, u.txtDir);
    dir->setToolTip(
        QStringLiteral("This is where the Palm Desktop is installed and must contain the file 'users.dat'"));
    dirRow->addWidget(dir, 1);
    QPushButton* browse = v.AddButton(u.cmdDir);
    browse->setToolTip(QStringLiteral(
        "Set this to the directory where the Palm Desktop is installed (must contain the file 'users.dat')"));
    dirRow->addWidget(browse);
    form->addRow(
        Hinted("Base Directory:",
               "This is where the Palm Desktop is installed (usually C:\\Palm or C:\\Program Files\\Palm "
               "and must contain the file 'users.dat'"),
        dirRow);
    form->addRow(QStringLiteral("User Name:"), v.AddCombo(u.users));
    form->addRow(QString(), ShownText(v, u.txtUser));
    form->addRow(QStringLiteral("User Directory:"), v.AddCombo(u.cmbUserDir));
    form->addRow(QString(), ShownText(v, u.txtUserDir));
    form->addRow(
        CheckGrid(v, {&u.chkPrivateDates, &u.chkPrivateToDos, &u.chkPrivateMemos, &u.chkPrivateContacts}, 2));
    form->addRow(Hinted("Filter for Datebook entries:",
                        "?=single char  *=zero or more chars   #=any single digit  [charlist]=any single "
                        "character in charlist   [!charlist]=any single character not in charlist"),
                 v.AddText(u.txtDateFilter, TextStyle::SingleLine));
    form->addRow(Hinted(side == kLeft ? "Suffix when adding dates to 2nd User:"
                                      : "Suffix when adding dates to 1st User:",
                        "Add this to the entry when entries added to the other user"),
                 v.AddText(u.txtSuffix, TextStyle::SingleLine));
    form->addRow(v.AddLabel(u.lblRecords), v.AddLabel(u.userRecords));
    sides->addWidget(box);
  }
  layout->addLayout(sides);
  layout->addLayout(OkCancelRow(v, m.cmdOK, m.cmdCancel));
}

SplashWindow::SplashWindow(SplashModel& model)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint),
      model_(model),
      view_(new FormView(false, this)) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(view_);
  auto* frame = new QFrame;  // Frame1
  frame->setFrameStyle(QFrame::Box | QFrame::Plain);
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(24, 18, 24, 18);
  QLabel* product = view_->AddLabel(model.lblProductName);
  QFont big = product->font();
  big.setPointSize(20);
  big.setBold(true);
  product->setFont(big);
  layout->addWidget(product);
  layout->addWidget(view_->AddLabel(model.lblVersion));
  layout->addSpacing(12);
  layout->addWidget(view_->AddLabel(model.lblCompany));
  layout->addWidget(view_->AddLabel(model.lblWarning));
  layout->addSpacing(12);
  layout->addWidget(view_->AddLabel(model.lblLoading));
  auto* viewLayout = new QVBoxLayout(view_);
  viewLayout->addWidget(frame);
  BindWindowVisible(this, model.window, true);
}

void SplashWindow::mousePressEvent(QMouseEvent*) { model_.Unload(); }
void SplashWindow::keyPressEvent(QKeyEvent*) { model_.Unload(); }

}  // namespace mirrin::qt
