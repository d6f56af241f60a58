#include "ui/qt/binding.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSyntaxHighlighter>
#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "ui/qt/listview.h"
#include "ui/qt/qttext.h"

namespace mirrin::qt {

namespace {
double fontScale = 1;
}  // namespace

QRect PixelRect(const forms::Geometry& g) {
  return {g.left / kTwipsPerPixel, g.top / kTwipsPerPixel, g.width / kTwipsPerPixel,
          g.height / kTwipsPerPixel};
}

QFont FontFor(const std::string& name, int pointSize) {
  QFont font = QApplication::font();
  if (name == "Fixedsys") {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    // Platforms without a theme answer with the proportional default:
    // then the first fixed-pitch family installed.
    if (!QFontInfo(font).fixedPitch()) {
      static const QString fixedFamily = [] {
        for (const QString& family : QFontDatabase::families()) {
          if (QFontDatabase::isFixedPitch(family)) return family;
        }
        return QString();
      }();
      if (!fixedFamily.isEmpty()) font = QFont(fixedFamily);
    }
  }
  // The classic forms were drawn in 8 point: other sizes keep their
  // proportion to the desktop's own size, and all grow with the window.
  const double desktop = QApplication::font().pointSizeF();
  if (pointSize > 0) font.setPointSizeF((desktop > 0 ? desktop : 8) * pointSize / 8.0 * fontScale);
  return font;
}

void SetFontScale(double scale) { fontScale = scale; }

namespace {

constexpr uint32_t kWindowBackground = 0x80000005;  // the classic system colour 5
std::optional<int> endedWith;                       // set once ProgramEnd was caught
std::function<void()> afterUserAction;

// The classic system colours (0x80000000 + index) by palette role; others
// are 0xBBGGRR.
QColor ColourFor(uint32_t classic, const QPalette& palette) {
  if ((classic & 0x80000000u) == 0) {
    return QColor(static_cast<int>(classic & 0xFF), static_cast<int>((classic >> 8) & 0xFF),
                  static_cast<int>((classic >> 16) & 0xFF));
  }
  switch (classic & 0xFF) {
    case 0x0B:  // inactive border: the read-only field
    case 0x0F:  // button face
      return palette.color(QPalette::Button);
    case 0x0D:
      return palette.color(QPalette::Highlight);
    case 0x08:
      return palette.color(QPalette::Text);
    default:  // 0x05 window background and the rest
      return palette.color(QPalette::Base);
  }
}

// One model, one widget. The model's listener runs Sync, which copies the
// model's whole state; each widget's own signals are blocked meanwhile.
class Binding : public QObject {
  Q_OBJECT

 public:
  Binding(forms::Control& control, QWidget* widget, bool placed)
      : QObject(widget), control_(control), widget_(widget), placed_(placed) {
    control_.SetViewListener([this] { Sync(); });
    widget->installEventFilter(this);
  }
  ~Binding() override { control_.SetViewListener({}); }

  // A new desktop palette (a dark theme, say) reaches the colours taken from it.
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::ApplicationPaletteChange) Sync();
    return false;
  }

  virtual void Sync() {
    const QSignalBlocker blocker(widget_);
    if (placed_) {
      const QRect r = PixelRect(control_.Layout());
      if (widget_->geometry() != r) widget_->setGeometry(r);
    }
    widget_->setEnabled(control_.Enabled());
    if (widget_->isVisibleTo(widget_->parentWidget()) != control_.Visible())
      widget_->setVisible(control_.Visible());
    // Only a change of the model's font replaces the widget's, so a window
    // may dress a label up (the splash's product name).
    const FontKey key{control_.FontName(), control_.Layout().fontSize, Italic(), fontScale};
    if (key != appliedFont_) {
      QFont font = FontFor(key.name, key.size);
      font.setItalic(key.italic);
      widget_->setFont(font);
      appliedFont_ = key;
    }
    SyncOwn();
  }

 protected:
  virtual void SyncOwn() {}
  virtual bool Italic() const { return false; }

  forms::Control& control_;
  QWidget* widget_;
  bool placed_;

 private:
  struct FontKey {
    std::string name;
    int size = 0;
    bool italic = false;
    double scale = 1;
    bool operator==(const FontKey&) const = default;
  };
  FontKey appliedFont_{"", -1, false, 0};
};

std::vector<class ListBinding*> pendingLists;
bool flushPosted = false;

class ListBinding : public Binding {
 public:
  ListBinding(forms::ListBox& list, ListBoxView* view, bool placed)
      : Binding(list, view, placed), view_(view) {}
  ~ListBinding() override { std::erase(pendingLists, this); }

  void Flush() {
    pending_ = false;
    view_->Update();
  }

 protected:
  void SyncOwn() override {
    if (pending_) return;
    pending_ = true;
    pendingLists.push_back(this);
    if (!flushPosted) {
      flushPosted = true;
      QMetaObject::invokeMethod(
          qApp, [] { FlushPendingViews(); }, Qt::QueuedConnection);
    }
  }

 private:
  ListBoxView* view_;
  bool pending_ = false;
};

class ComboBinding : public Binding {
 public:
  ComboBinding(forms::ComboBox& combo, QComboBox* widget, bool placed)
      : Binding(combo, widget, placed), combo_(combo), qcombo_(widget) {
    // Activated comes only from the operator (mouse or keys).
    QObject::connect(widget, &QComboBox::activated, this, [this](int index) {
      RunUserAction([&] { combo_.UserSelect(index); });
      Sync();
    });
    if (widget->isEditable()) {
      QObject::connect(widget, &QComboBox::editTextChanged, this,
                       [this](const QString& text) { RunUserAction([&] { combo_.SetText(FromQt(text)); }); });
    }
  }

 protected:
  void SyncOwn() override {
    bool same = qcombo_->count() == combo_.ListCount();
    for (int i = 0; same && i < combo_.ListCount(); ++i) same = qcombo_->itemText(i) == ToQt(combo_.List(i));
    if (!same) {
      qcombo_->clear();
      for (int i = 0; i < combo_.ListCount(); ++i) qcombo_->addItem(ToQt(combo_.List(i)));
    }
    qcombo_->setCurrentIndex(combo_.ListIndex());
    const QString text = ToQt(combo_.Text());
    if (qcombo_->isEditable() && qcombo_->currentText() != text) qcombo_->setEditText(text);
  }

 private:
  forms::ComboBox& combo_;
  QComboBox* qcombo_;
};

// Marked text: bold (which needs no colour vision) on a tint of the
// highlight colour, so it reads in light and dark palettes alike.
QTextCharFormat MarkFormat(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Base);
  const QColor high = palette.color(QPalette::Highlight);
  auto mix = [](int b, int h) { return (2 * b + h) / 3; };
  QTextCharFormat format;
  format.setFontWeight(QFont::Bold);
  format.setBackground(
      QColor(mix(base.red(), high.red()), mix(base.green(), high.green()), mix(base.blue(), high.blue())));
  return format;
}

// Paints the marked lines of a multi-line box; the text stays the model's.
class LineMarker : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit LineMarker(QTextDocument* document) : QSyntaxHighlighter(document) {}
  void SetLines(const std::vector<int>& lines, const QPalette& palette) {
    if (lines == lines_) return;
    lines_ = lines;
    format_ = MarkFormat(palette);
    rehighlight();
  }

 protected:
  void highlightBlock(const QString& text) override {
    if (std::find(lines_.begin(), lines_.end(), currentBlock().blockNumber()) != lines_.end()) {
      setFormat(0, static_cast<int>(text.size()), format_);
    }
  }

 private:
  std::vector<int> lines_;
  QTextCharFormat format_;
};

// Text boxes: QLineEdit for one line, QPlainTextEdit for several.
class TextBinding : public Binding {
 public:
  TextBinding(forms::TextBox& box, QWidget* widget, bool placed, TextStyle style)
      : Binding(box, widget, placed), box_(box), style_(style) {
    if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      // textEdited comes only from typing, not from setText.
      QObject::connect(line, &QLineEdit::textEdited, this, [this](const QString& text) {
        RunUserAction([&] { box_.UserType(FromQt(text)); });
        Sync();
      });
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget)) {
      marker_ = new LineMarker(edit->document());
      QObject::connect(edit, &QPlainTextEdit::textChanged, this, [this, edit] {
        RunUserAction([&] { box_.UserType(FromQtLines(edit->toPlainText())); });
        Sync();
      });
    }
  }

 protected:
  bool Italic() const override { return box_.Italic(); }

  void SyncOwn() override {
    const bool readOnly = box_.Locked() || style_ == TextStyle::Display;
    // Only a base colour other than the window background is the model's;
    // everything else follows the desktop (a dark theme, say).
    QPalette palette;
    if (box_.BackColor() != kWindowBackground) {
      palette.setColor(QPalette::Base, ColourFor(box_.BackColor(), QApplication::palette()));
    }
    const bool marked = !box_.MarkedLines().empty();
    if (auto* line = qobject_cast<QLineEdit*>(widget_)) {
      line->setReadOnly(readOnly);
      line->setMaxLength(box_.MaxLength() > 0 ? box_.MaxLength() : 32767);
      const QString text = ToQt(box_.Text());
      if (line->text() != text) line->setText(text);
      QFont font = line->font();
      font.setBold(marked);
      line->setFont(font);
      if (marked) palette.setColor(QPalette::Base, MarkFormat(palette).background().color());
    } else if (auto* edit = qobject_cast<QPlainTextEdit*>(widget_)) {
      edit->setReadOnly(readOnly);
      const QString text = ToQtLines(box_.Text());
      if (edit->toPlainText() != text) edit->setPlainText(text);
      if (marker_) marker_->SetLines(box_.MarkedLines(), palette);
    }
    widget_->setPalette(palette);
  }

 private:
  forms::TextBox& box_;
  TextStyle style_;
  LineMarker* marker_ = nullptr;
};

class LabelBinding : public Binding {
 public:
  LabelBinding(forms::Label& label, QLabel* widget, bool placed)
      : Binding(label, widget, placed), label_(label), q_(widget) {
    widget->setTextFormat(Qt::PlainText);
  }

 protected:
  void SyncOwn() override { q_->setText(ToQtLines(label_.Caption())); }

 private:
  forms::Label& label_;
  QLabel* q_;
};

class CheckBinding : public Binding {
 public:
  CheckBinding(forms::CheckBox& check, QCheckBox* widget, bool placed)
      : Binding(check, widget, placed), check_(check), q_(widget) {
    // The box has already toggled itself; the model decides, and Sync
    // shows what it decided.
    QObject::connect(widget, &QCheckBox::clicked, this, [this] {
      RunUserAction([&] { check_.UserClick(); });
      Sync();
    });
  }

 protected:
  void SyncOwn() override {
    q_->setText(ToQt(check_.Caption()));
    q_->setTristate(check_.Value() == forms::CheckBox::Grayed);
    q_->setCheckState(check_.Value() == forms::CheckBox::Checked  ? Qt::Checked
                      : check_.Value() == forms::CheckBox::Grayed ? Qt::PartiallyChecked
                                                                  : Qt::Unchecked);
  }

 private:
  forms::CheckBox& check_;
  QCheckBox* q_;
};

// The classic progress bar is a row of ':' characters in a text box: here a
// real bar, its value the row's length, shown only once the work has gone
// on for a third of a second (quick work shows nothing).
class ProgressBinding : public Binding {
 public:
  ProgressBinding(forms::TextBox& box, QProgressBar* bar, bool placed, std::function<int()> full)
      : Binding(box, bar, placed), box_(box), bar_(bar), full_(std::move(full)) {
    bar->setTextVisible(false);
  }

  void Sync() override {
    const QSignalBlocker blocker(bar_);
    if (placed_) bar_->setGeometry(PixelRect(control_.Layout()));
    bar_->setRange(0, std::max(1, full_()));
    bar_->setValue(std::min(bar_->maximum(), static_cast<int>(box_.Text().size())));
    if (!box_.Visible()) {
      since_.invalidate();
    } else if (!since_.isValid()) {
      since_.start();
    }
    bar_->setVisible(since_.isValid() && since_.elapsed() >= 333);
  }

 private:
  forms::TextBox& box_;
  QProgressBar* bar_;
  std::function<int()> full_;
  QElapsedTimer since_;
};

class ButtonBinding : public Binding {
 public:
  ButtonBinding(forms::Button& button, QPushButton* widget, bool placed)
      : Binding(button, widget, placed), button_(button), q_(widget) {
    QObject::connect(widget, &QPushButton::clicked, this,
                     [this] { RunUserAction([&] { button_.Press(); }); });
  }

 protected:
  void SyncOwn() override { q_->setText(ToQt(button_.Caption())); }

 private:
  forms::Button& button_;
  QPushButton* q_;
};

// Menus have no geometry and are no QWidget children; their bindings hang
// off the action.
class ActionBinding : public QObject {
  Q_OBJECT

 public:
  ActionBinding(QAction* action, forms::MenuItem& item) : QObject(action), action_(action), item_(item) {
    item_.SetViewListener([this] { Sync(); });
    QObject::connect(action, &QAction::triggered, this, [this] { RunUserAction([&] { item_.Press(); }); });
    Sync();
  }
  ~ActionBinding() override { item_.SetViewListener({}); }

  void Sync() {
    const QSignalBlocker blocker(action_);
    action_->setText(ToQt(item_.Caption()));
    action_->setEnabled(item_.Enabled());
    action_->setVisible(item_.Visible());
    action_->setCheckable(item_.Checked());
    action_->setChecked(item_.Checked());
  }

 private:
  QAction* action_;
  forms::MenuItem& item_;
};

class WindowBinding : public QObject {
  Q_OBJECT

 public:
  WindowBinding(QWidget* window, forms::Control& control, bool showOnVisible)
      : QObject(window), window_(window), control_(control), showOnVisible_(showOnVisible) {
    control_.SetViewListener([this] { Sync(); });
  }
  ~WindowBinding() override { control_.SetViewListener({}); }

  void Sync() {
    if (!control_.Visible())
      window_->hide();
    else if (showOnVisible_)
      window_->show();
  }

 private:
  QWidget* window_;
  forms::Control& control_;
  bool showOnVisible_;
};

}  // namespace

void RunUserAction(const std::function<void()>& action) {
  if (endedWith) return;  // the program is ending; nothing more runs
  try {
    action();
    if (afterUserAction) afterUserAction();
  } catch (const ProgramEnd& end) {
    endedWith = end.exitCode;
    QCoreApplication::exit(end.exitCode);
  } catch (const std::exception& e) {
    QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Mirrin"), ToQt(e.what()));
  }
}

void SetAfterUserAction(std::function<void()> hook) { afterUserAction = std::move(hook); }

std::optional<int> TakeProgramEnd() { return std::exchange(endedWith, std::nullopt); }

void FlushPendingViews() {
  flushPosted = false;
  while (!pendingLists.empty()) {
    std::vector<ListBinding*> lists;
    lists.swap(pendingLists);
    for (ListBinding* list : lists) list->Flush();
  }
}

FormView::FormView(bool placed, QWidget* parent) : QWidget(parent), placed_(placed) {}

template <class B, class W, class C>
W* FormView::Bind(C& control, W* widget) {
  auto* binding = new B(control, widget, placed_);
  widgets_[&control] = widget;
  binding->Sync();
  return widget;
}

QListView* FormView::AddList(forms::ListBox& list) {
  auto* view = new ListBoxView(list, this);
  Bind<ListBinding>(list, view);
  FlushPendingViews();
  return view;
}

QComboBox* FormView::AddCombo(forms::ComboBox& combo) {
  return Bind<ComboBinding>(combo, new QComboBox(this));
}

QWidget* FormView::AddText(forms::TextBox& box, TextStyle style) {
  QWidget* widget = nullptr;
  if (style == TextStyle::MultiLine)
    widget = new QPlainTextEdit(this);
  else
    widget = new QLineEdit(this);
  auto* binding = new TextBinding(box, widget, placed_, style);
  widgets_[&box] = widget;
  binding->Sync();
  return widget;
}

QProgressBar* FormView::AddProgress(forms::TextBox& box, std::function<int()> full) {
  auto* bar = new QProgressBar(this);
  auto* binding = new ProgressBinding(box, bar, placed_, std::move(full));
  widgets_[&box] = bar;
  binding->Sync();
  return bar;
}

QLabel* FormView::AddLabel(forms::Label& label) { return Bind<LabelBinding>(label, new QLabel(this)); }

QCheckBox* FormView::AddCheck(forms::CheckBox& check) {
  return Bind<CheckBinding>(check, new QCheckBox(this));
}

QPushButton* FormView::AddButton(forms::Button& button) {
  return Bind<ButtonBinding>(button, new QPushButton(this));
}

QWidget* FormView::WidgetOf(const forms::Control& control) const {
  const auto it = widgets_.find(&control);
  return it == widgets_.end() ? nullptr : it->second;
}

void BindAction(QAction* action, forms::MenuItem& item) { new ActionBinding(action, item); }

void BindMenu(QMenu* menu, forms::MenuItem& item) {
  menu->setTitle(ToQt(item.Caption()));
  new ActionBinding(menu->menuAction(), item);
}

void BindWindowVisible(QWidget* window, forms::Control& control, bool showOnVisible) {
  (new WindowBinding(window, control, showOnVisible))->Sync();
}

}  // namespace mirrin::qt

#include "binding.moc"
