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

ConfigureDialog::ConfigureDialog(FrmConfigure& m, QWidget* parent)
    : ModalDialog(m, FrmConfigure::kTitle, parent), model_(m) {
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
  options->setLayout(CheckGrid(v,
                               {&m.chkShowCategories, &m.chkShowDatebookCategories, &m.chkShowMemoCategories,
                                &m.chkShowToDoCategories, &m.chkAddCategories, &m.chkCategories,
                                &m.chkSortbyCategory, &m.chkShowCompany, &m.chkShowCompletedToDo, &m.chkAgendus,
                                &m.chkCopyAlarms, &m.chkArchive, &m.chkDBCS, &m.chkMultiSelect},
                               2));
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
  layout->addLayout(OkCancelRow(v, m.cmdOK, m.cmdCancel));
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

ConfigUserDialog::ConfigUserDialog(FrmConfigUser& m, QWidget* parent)
    : ModalDialog(m, FrmConfigUser::kTitle, parent) {
  FormView& v = *view_;
  auto* layout = new QVBoxLayout(&v);
  auto* sides = new QHBoxLayout;
  for (Side side : kSides) {
    UserFrame& u = m.Frame(side);
    auto* box = new QGroupBox(side == kLeft ? QStringLiteral("First User") : QStringLiteral("Second User"));
    auto* form = new QFormLayout(box);
    auto* dirRow = new QHBoxLayout;
    dirRow->addWidget(v.AddText(u.txtDir, TextStyle::SingleLine));
    dirRow->addWidget(v.AddButton(u.cmdDir));
    form->addRow(QStringLiteral("Palm directory:"), dirRow);
    form->addRow(QStringLiteral("User:"), v.AddCombo(u.users));
    form->addRow(QString(), v.AddText(u.txtUser, TextStyle::SingleLine));
    form->addRow(QStringLiteral("User folder:"), v.AddCombo(u.cmbUserDir));
    form->addRow(QString(), v.AddText(u.txtUserDir, TextStyle::SingleLine));
    form->addRow(CheckGrid(v, {&u.chkPrivateDates, &u.chkPrivateToDos, &u.chkPrivateMemos, &u.chkPrivateContacts},
                           2));
    form->addRow(QStringLiteral("Date filter:"), v.AddText(u.txtDateFilter, TextStyle::SingleLine));
    form->addRow(QStringLiteral("Suffix:"), v.AddText(u.txtSuffix, TextStyle::SingleLine));
    form->addRow(v.AddLabel(u.lblRecords), v.AddLabel(u.userRecords));
    sides->addWidget(box);
  }
  layout->addLayout(sides);
  layout->addLayout(OkCancelRow(v, m.cmdOK, m.cmdCancel));
}

SplashWindow::SplashWindow(FrmSplash& model)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), model_(model), view_(new FormView(false, this)) {
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
