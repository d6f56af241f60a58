#include "ui/win32/binding.h"

#include <algorithm>
#include <exception>
#include <tuple>
#include <utility>

#include "mainwindow/rowtext.h"
#include "platform/platform.h"
#include "ui/listkeys.h"
#include "ui/win32/wintext.h"

namespace mirrin::win32 {

RECT PixelRect(const forms::Geometry& g) {
  const int left = g.left / kTwipsPerPixel, top = g.top / kTwipsPerPixel;
  return {left, top, left + g.width / kTwipsPerPixel, top + g.height / kTwipsPerPixel};
}

namespace {

double fontScale = 1;
std::optional<int> endedWith;  // set once ProgramEnd was caught
std::function<void()> afterUserAction;

// The message font's height in pixels (negative: the character height),
// the size the classic 8 point stands for.
LOGFONTW DesktopFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return metrics.lfMessageFont;
  LOGFONTW font{};
  font.lfHeight = -11;
  wcscpy(font.lfFaceName, L"MS Shell Dlg");
  return font;
}

}  // namespace

HFONT FontFor(const std::string& name, int pointSize, bool italic, bool bold, bool scaled) {
  using Key = std::tuple<std::string, int, bool, bool, double>;
  static std::map<Key, HFONT> cache;
  const double scale = scaled ? fontScale : 1.0;
  const Key key{name, pointSize, italic, bold, scale};
  if (const auto it = cache.find(key); it != cache.end()) return it->second;
  LOGFONTW font = DesktopFont();
  const double size = pointSize > 0 ? pointSize / 8.0 : 1.0;
  font.lfHeight = static_cast<LONG>(font.lfHeight * size * scale);
  font.lfWidth = 0;
  font.lfItalic = italic ? TRUE : FALSE;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  if (name == "Fixedsys") {
    // Category rows line up in columns: any fixed-pitch face will do.
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    wcscpy(font.lfFaceName, L"Courier New");
  }
  HFONT made = CreateFontIndirectW(&font);
  cache[key] = made;
  return made;
}

void SetFontScale(double scale) { fontScale = scale; }
double FontScale() { return fontScale; }

void RunUserAction(const std::function<void()>& action) {
  if (endedWith) return;  // the program is ending; nothing more runs
  try {
    action();
    if (afterUserAction) afterUserAction();
  } catch (const ProgramEnd& end) {
    endedWith = end.exitCode;
    PostQuitMessage(end.exitCode);
  } catch (const std::exception& e) {
    MessageBoxW(GetActiveWindow(), Utf8ToWide(e.what()).c_str(), L"Mirrin", MB_OK | MB_ICONERROR);
  }
  FlushPendingViews();
}

void SetAfterUserAction(std::function<void()> hook) { afterUserAction = std::move(hook); }
std::optional<int> TakeProgramEnd() { return std::exchange(endedWith, std::nullopt); }
bool ProgramEnding() { return endedWith.has_value(); }

forms::KeyCode ClassicKeyCode(WPARAM vk) {
  // The classic key codes are the virtual-key codes of the same keys.
  const bool letterOrDigit = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
  const bool function = vk >= VK_F1 && vk <= VK_F12;
  const bool named = vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_SHIFT || vk == VK_CONTROL ||
                     vk == VK_MENU || vk == VK_ESCAPE || (vk >= VK_SPACE && vk <= VK_DOWN) ||
                     vk == VK_INSERT || vk == VK_DELETE;
  return letterOrDigit || function || named ? forms::KeyCode{static_cast<int32_t>(vk)} : forms::KeyCode::None;
}

namespace {

constexpr uint32_t kWindowBackground = 0x80000005;  // the classic system colour 5
constexpr int kMarkMargin = 9;                      // pixels left of a multi-line text for its marks
constexpr const wchar_t* kBindingProperty = L"MirrinBinding";

// The classic colour values: 0x80000000 + a system colour index, else 0xBBGGRR.
COLORREF ColourFor(uint32_t classic) {
  if ((classic & 0x80000000u) != 0) return GetSysColor(static_cast<int>(classic & 0xFF));
  return classic & 0xFFFFFF;
}

// The tint of marked text: a third of the way from the field's colour to
// the highlight, readable in light and dark schemes alike.
COLORREF MarkColour(COLORREF base) {
  const COLORREF high = GetSysColor(COLOR_HIGHLIGHT);
  auto mix = [](BYTE b, BYTE h) { return static_cast<BYTE>((2 * b + h) / 3); };
  return RGB(mix(GetRValue(base), GetRValue(high)), mix(GetGValue(base), GetGValue(high)),
             mix(GetBValue(base), GetBValue(high)));
}

HBRUSH BrushFor(COLORREF colour) {
  static std::map<COLORREF, HBRUSH> brushes;
  auto& brush = brushes[colour];
  if (brush == nullptr) brush = CreateSolidBrush(colour);
  return brush;
}

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetTextIfChanged(HWND hwnd, const std::wstring& text) {
  if (WindowText(hwnd) != text) SetWindowTextW(hwnd, text.c_str());
}

}  // namespace

// One model, one control. The model's listener runs Sync, which copies the
// model's whole state; notifications the control sends meanwhile are the
// program's own and are ignored.
class Binding {
 public:
  Binding(forms::Control& control, HWND hwnd, bool placed) : control_(control), hwnd_(hwnd), placed_(placed) {
    control_.SetViewListener([this] { Sync(); });
  }
  virtual ~Binding() {
    control_.SetViewListener({});
    // The control may outlive its binding until its window is destroyed.
    if (original_ != nullptr) {
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
      RemovePropW(hwnd_, kBindingProperty);
    }
  }
  Binding(const Binding&) = delete;
  Binding& operator=(const Binding&) = delete;

  HWND Hwnd() const { return hwnd_; }

  virtual void Sync() {
    syncing_ = true;
    if (placed_) {
      const RECT r = PlacedRect();
      RECT now{};
      GetWindowRect(hwnd_, &now);
      MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&now), 2);
      if (!EqualRect(&r, &now))
        SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
    const bool shown = (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != control_.Visible()) ShowWindow(hwnd_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
    HFONT font = FontFor(control_.FontName(), control_.Layout().fontSize, Italic(), Bold(), placed_);
    if (font != appliedFont_) {
      SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      appliedFont_ = font;
    }
    SyncOwn();
    syncing_ = false;
  }

  // WM_COMMAND from the control (its notification code).
  virtual void Command(WORD) {}
  // WM_CTLCOLOR*: a brush when the binding colours the control.
  virtual HBRUSH Colour(HDC) { return nullptr; }
  virtual void Draw(const DRAWITEMSTRUCT&) {}

  std::function<void()> onLeave;

 protected:
  virtual RECT PlacedRect() const { return PixelRect(control_.Layout()); }
  virtual void SyncOwn() {}
  virtual bool Italic() const { return false; }
  virtual bool Bold() const { return false; }

  // Routes the control's own messages to Subclassed first.
  void Subclass() {
    SetPropW(hwnd_, kBindingProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Binding::SubclassProc)));
  }
  // True when it handled the message, with its result.
  virtual bool Subclassed(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
  LRESULT Original(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(original_, hwnd_, message, wParam, lParam);
  }

  forms::Control& control_;
  HWND hwnd_;
  bool placed_;
  bool syncing_ = false;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Binding*>(GetPropW(hwnd, kBindingProperty));
    LRESULT result = 0;
    if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (self->Subclassed(message, wParam, lParam, result)) return result;
    return self->Original(message, wParam, lParam);
  }

  WNDPROC original_ = nullptr;
  HFONT appliedFont_ = nullptr;
};

namespace {

std::vector<class ListBinding*> pendingLists;

// A LISTBOX without sorting of its own: the model sorts, selects and
// scrolls; the control shows it. Clicks and keys go to the model, never to
// the control's own selection.
class ListBinding : public Binding {
 public:
  ListBinding(forms::ListBox& list, HWND hwnd, bool placed) : Binding(list, hwnd, placed), list_(list) {
    Subclass();
  }
  ~ListBinding() override { std::erase(pendingLists, this); }

  std::function<void(int row)> onRightButton;

  void Flush() {
    pending_ = false;
    syncing_ = true;
    const bool reset = CopyRows();
    CopySelection(reset);
    syncing_ = false;
  }

 protected:
  void SyncOwn() override {
    if (pending_) return;
    pending_ = true;
    pendingLists.push_back(this);
  }

  bool Subclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    switch (message) {
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:  // the second press of a double click is a click like the first
      case WM_RBUTTONDOWN: {
        FlushPendingViews();
        SetFocus(hwnd_);
        const int row = RowAt(lParam);
        if (message == WM_RBUTTONDOWN) {
          if (onRightButton) RunUserAction([&] { onRightButton(row); });
        } else if (row >= 0) {
          const bool control = (wParam & MK_CONTROL) != 0;
          RunUserAction([&] { list_.UserClick(row, control); });
        }
        return Handled(result);
      }
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MOUSEMOVE:  // dragging selects nothing: the selection is the model's
      case WM_CHAR:       // nor does typing a row's first letter
        return Handled(result);
      case WM_KEYDOWN: {
        FlushPendingViews();
        const forms::KeyCode code = ClassicKeyCode(wParam);
        if (code != forms::KeyCode::None) {
          RunUserAction([&] { list_.UserKeyDown(code); });
          RunUserAction([&] { ListNavigate(list_, code, PageRows()); });
        }
        return Handled(result);
      }
      case WM_KEYUP: {
        const forms::KeyCode code = ClassicKeyCode(wParam);
        if (code != forms::KeyCode::None) RunUserAction([&] { list_.UserKeyUp(code); });
        return Handled(result);
      }
      case WM_VSCROLL:
      case WM_MOUSEWHEEL:
        // The operator's scrolling moves the model's TopIndex (it locates
        // right-clicked rows).
        result = Original(message, wParam, lParam);
        if (!syncing_) {
          const int top = static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
          if (top != list_.TopIndex()) {
            seenTop_ = top;
            list_.SetTopIndex(top);
          }
        }
        return true;
      default:
        return false;
    }
  }

 private:
  static bool Handled(LRESULT& result) {
    result = 0;
    return true;
  }

  int RowAt(LPARAM lParam) const {
    const auto hit = static_cast<DWORD>(SendMessageW(hwnd_, LB_ITEMFROMPOINT, 0, lParam));
    const int row = static_cast<int>(hit & 0xFFFF);
    return (hit >> 16) != 0 || row >= list_.ListCount() ? -1 : row;
  }

  int PageRows() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    const auto height = std::max<LRESULT>(1, SendMessageW(hwnd_, LB_GETITEMHEIGHT, 0, 0));
    // A page is the rows in view, less one kept from the last page.
    return static_cast<int>((r.bottom - r.top) / height) - 1;
  }

  // The rows as the model has them now; true when the control was refilled.
  bool CopyRows() {
    const int count = list_.ListCount();
    const auto n = static_cast<size_t>(count);
    size_t differing = 0;
    if (shown_.size() == n) {
      for (size_t i = 0; i < n; ++i)
        if (shown_[i] != list_.List(static_cast<int>(i))) ++differing;
      if (differing == 0) return false;
    }
    SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    const bool reset = shown_.size() != n || differing > 16;
    if (reset) {
      SendMessageW(hwnd_, LB_RESETCONTENT, 0, 0);
      SendMessageW(hwnd_, LB_INITSTORAGE, n, static_cast<LPARAM>(n * 40 * sizeof(wchar_t)));
      shown_.assign(n, {});
    }
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    for (size_t i = 0; i < n; ++i) {
      const std::string& row = list_.List(static_cast<int>(i));
      if (!reset && shown_[i] == row) continue;
      const std::wstring text = ToWide(ShownRowText(row));
      if (!reset) SendMessageW(hwnd_, LB_DELETESTRING, i, 0);
      SendMessageW(hwnd_, LB_INSERTSTRING, reset ? static_cast<WPARAM>(-1) : i,
                   reinterpret_cast<LPARAM>(text.c_str()));
      shown_[i] = row;
      // Rows are never cut short: a wide row scrolls.
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      widest_ = std::max<LONG>(widest_, size.cx + 8);
    }
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    SendMessageW(hwnd_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd_, nullptr, TRUE);
    return reset;
  }

  void CopySelection(bool reset) {
    const int count = list_.ListCount();
    const int focus = list_.ListIndex();
    if (list_.MultiSelect()) {
      for (int i = 0; i < count; ++i) {
        const bool on = list_.Selected(i);
        if ((SendMessageW(hwnd_, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) != on)
          SendMessageW(hwnd_, LB_SETSEL, on ? TRUE : FALSE, i);
      }
    } else if (SendMessageW(hwnd_, LB_GETCURSEL, 0, 0) != focus) {
      SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(focus), 0);
    }
    // The program moved the top row or the selected row: as the classic
    // list does, show the top row asked for, then scroll only as far as
    // needed to show the selected row.
    if ((reset || list_.TopIndex() != seenTop_) && count > 0)
      SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(std::min(list_.TopIndex(), count - 1)), 0);
    if (focus >= 0 && (focus != shownFocus_ || reset)) {
      if (list_.MultiSelect()) SendMessageW(hwnd_, LB_SETCARETINDEX, static_cast<WPARAM>(focus), FALSE);
      EnsureVisible(focus);
    }
    shownFocus_ = focus;
    // Near the end the top row asked for may not reach the top; the model
    // learns the row really shown there.
    const int top = static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
    seenTop_ = top;
    if (count > 0 && top != list_.TopIndex()) list_.SetTopIndex(top);
  }

  void EnsureVisible(int row) {
    const int top = static_cast<int>(SendMessageW(hwnd_, LB_GETTOPINDEX, 0, 0));
    const int rows = std::max(1, PageRows() + 1);
    if (row < top)
      SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    else if (row >= top + rows)
      SendMessageW(hwnd_, LB_SETTOPINDEX, static_cast<WPARAM>(row - rows + 1), 0);
  }

  forms::ListBox& list_;
  std::vector<std::string> shown_;  // the model's rows as last copied
  LONG widest_ = 0;
  int seenTop_ = 0;
  int shownFocus_ = -1;
  bool pending_ = false;
};

class ComboBinding : public Binding {
 public:
  ComboBinding(forms::ComboBox& combo, HWND hwnd, bool placed)
      : Binding(combo, hwnd, placed), combo_(combo) {}

  void Command(WORD code) override {
    // A pick of the operator's, by mouse or keys.
    if (code != CBN_SELCHANGE || syncing_) return;
    const int index = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
    RunUserAction([&] { combo_.UserSelect(index); });
    Sync();
  }

 protected:
  // The drop-down's window is the field and its open list together.
  RECT PlacedRect() const override {
    RECT r = PixelRect(control_.Layout());
    r.bottom = r.top + 240;
    return r;
  }

  void SyncOwn() override {
    const int count = combo_.ListCount();
    bool same = SendMessageW(hwnd_, CB_GETCOUNT, 0, 0) == count;
    for (int i = 0; same && i < count; ++i) same = ItemText(i) == ToWide(combo_.List(i));
    if (!same) {
      SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
      for (int i = 0; i < count; ++i) {
        const std::wstring text = ToWide(combo_.List(i));
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
    }
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(combo_.ListIndex()), 0);
  }

 private:
  std::wstring ItemText(int i) const {
    const auto length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
  }

  forms::ComboBox& combo_;
};

// EDIT controls. Lines that differ from the other side's record are marked
// by a bar in the left margin (multi-line) or a bold tinted field (one line).
class TextBinding : public Binding {
 public:
  TextBinding(forms::TextBox& box, HWND hwnd, bool placed, TextStyle style)
      : Binding(box, hwnd, placed), box_(box), style_(style) {
    if (style_ == TextStyle::MultiLine) {
      SendMessageW(hwnd_, EM_SETMARGINS, EC_LEFTMARGIN, kMarkMargin);
      Subclass();
    }
  }

  void Command(WORD code) override {
    if (code == EN_KILLFOCUS && onLeave) {
      onLeave();
      return;
    }
    if (code != EN_CHANGE || syncing_) return;
    const std::wstring typed = WindowText(hwnd_);
    RunUserAction([&] { box_.UserType(FromWide(typed)); });
    Sync();
  }

  HBRUSH Colour(HDC dc) override {
    COLORREF base = 0;
    if (box_.BackColor() != kWindowBackground) {
      base = ColourFor(box_.BackColor());
    } else if (Marked()) {
      base = GetSysColor(COLOR_WINDOW);
    } else {
      return nullptr;
    }
    if (Marked()) base = MarkColour(base);
    SetBkColor(dc, base);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return BrushFor(base);
  }

 protected:
  bool Italic() const override { return box_.Italic(); }
  bool Bold() const override { return Marked(); }

  void SyncOwn() override {
    const bool readOnly = box_.Locked() || style_ == TextStyle::Display;
    if (((GetWindowLongW(hwnd_, GWL_STYLE) & ES_READONLY) != 0) != readOnly)
      SendMessageW(hwnd_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
    SendMessageW(hwnd_, EM_SETLIMITTEXT, box_.MaxLength() > 0 ? static_cast<WPARAM>(box_.MaxLength()) : 0, 0);
    SetTextIfChanged(hwnd_, style_ == TextStyle::MultiLine ? ToWideLines(box_.Text()) : ToWide(box_.Text()));
    if (box_.MarkedLines() != drawnMarks_) {
      drawnMarks_ = box_.MarkedLines();
      InvalidateRect(hwnd_, nullptr, TRUE);
    }
  }

  bool Subclassed(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message != WM_PAINT) return false;
    result = Original(message, wParam, lParam);
    DrawMarks();
    return true;
  }

 private:
  bool Marked() const { return style_ != TextStyle::MultiLine && !box_.MarkedLines().empty(); }

  void DrawMarks() {
    if (box_.MarkedLines().empty()) return;
    HDC dc = GetDC(hwnd_);
    TEXTMETRICW metrics{};
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    RECT client{};
    GetClientRect(hwnd_, &client);
    for (int line : box_.MarkedLines()) {
      const auto start = SendMessageW(hwnd_, EM_LINEINDEX, static_cast<WPARAM>(line), 0);
      if (start < 0) continue;
      const auto pos = static_cast<DWORD>(SendMessageW(hwnd_, EM_POSFROMCHAR, static_cast<WPARAM>(start), 0));
      if (pos == 0xFFFFFFFF) continue;
      const int y = static_cast<short>(pos >> 16);
      if (y < client.top || y >= client.bottom) continue;
      RECT bar{client.left + 1, y, client.left + kMarkMargin - 3, y + metrics.tmHeight};
      FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    ReleaseDC(hwnd_, dc);
  }

  forms::TextBox& box_;
  TextStyle style_;
  std::vector<int> drawnMarks_;
};

class LabelBinding : public Binding {
 public:
  LabelBinding(forms::Label& label, HWND hwnd, bool placed) : Binding(label, hwnd, placed), label_(label) {}

 protected:
  void SyncOwn() override { SetTextIfChanged(hwnd_, ToWideLines(label_.Caption())); }

 private:
  forms::Label& label_;
};

class CheckBinding : public Binding {
 public:
  CheckBinding(forms::CheckBox& check, HWND hwnd, bool placed)
      : Binding(check, hwnd, placed), check_(check) {}

  void Command(WORD code) override {
    if (code != BN_CLICKED || syncing_) return;
    // The model decides; Sync shows what it decided.
    RunUserAction([&] { check_.UserClick(); });
    Sync();
  }

 protected:
  void SyncOwn() override {
    SetTextIfChanged(hwnd_, ToWide(check_.Caption()));
    const WPARAM state = check_.Value() == forms::CheckBox::Checked  ? BST_CHECKED
                         : check_.Value() == forms::CheckBox::Grayed ? BST_INDETERMINATE
                                                                     : BST_UNCHECKED;
    SendMessageW(hwnd_, BM_SETCHECK, state, 0);
  }

 private:
  forms::CheckBox& check_;
};

class ButtonBinding : public Binding {
 public:
  ButtonBinding(forms::Button& button, HWND hwnd, bool placed)
      : Binding(button, hwnd, placed), button_(button) {}

  void Command(WORD code) override {
    if (code == BN_CLICKED && !syncing_) RunUserAction([&] { button_.Press(); });
  }

 protected:
  void SyncOwn() override { SetTextIfChanged(hwnd_, ToWide(button_.Caption())); }

 private:
  forms::Button& button_;
};

// The classic progress bar is a row of ':' characters in a text box: here
// a drawn bar, its length the row's, shown only once the work has gone on
// for a third of a second (quick work shows nothing).
class ProgressBinding : public Binding {
 public:
  ProgressBinding(forms::TextBox& box, HWND hwnd, bool placed, std::function<int()> full)
      : Binding(box, hwnd, placed), box_(box), full_(std::move(full)) {}

  void Sync() override {
    if (placed_) {
      const RECT r = PixelRect(control_.Layout());
      SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (!box_.Visible())
      since_ = 0;
    else if (since_ == 0)
      since_ = GetTickCount64();
    const bool show = since_ != 0 && GetTickCount64() - since_ >= 333;
    ShowWindow(hwnd_, show ? SW_SHOWNA : SW_HIDE);
    InvalidateRect(hwnd_, nullptr, FALSE);
    if (show) UpdateWindow(hwnd_);
  }

  void Draw(const DRAWITEMSTRUCT& item) override {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    const int full = std::max(1, full_());
    const int done = std::min(full, static_cast<int>(box_.Text().size()));
    r.right = r.left + static_cast<LONG>((r.right - r.left) * static_cast<long long>(done) / full);
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  }

 private:
  forms::TextBox& box_;
  std::function<int()> full_;
  ULONGLONG since_ = 0;
};

}  // namespace

void FlushPendingViews() {
  while (!pendingLists.empty()) {
    std::vector<ListBinding*> lists;
    lists.swap(pendingLists);
    for (ListBinding* list : lists) list->Flush();
  }
}

FormView::FormView(HWND parent, bool placed) : parent_(parent), placed_(placed) {}

FormView::~FormView() {
  // The controls go with their window; the models stop talking to them now.
  bindings_.clear();
}

HWND FormView::Create(const wchar_t* className, DWORD style, DWORD exStyle) {
  const auto id = static_cast<UINT_PTR>(nextId_++);
  return CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 10, 10, parent_,
                         reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
}

template <class B, class C, class... Args>
HWND FormView::Bind(C& control, HWND hwnd, Args&&... args) {
  auto binding = std::make_unique<B>(control, hwnd, placed_, std::forward<Args>(args)...);
  B* raw = binding.get();
  byHwnd_[hwnd] = raw;
  byControl_[&control] = raw;
  bindings_.push_back(std::move(binding));
  raw->Sync();
  return hwnd;
}

HWND FormView::AddList(forms::ListBox& list) {
  DWORD style = WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_USETABSTOPS;
  if (list.MultiSelect()) style |= LBS_EXTENDEDSEL;
  HWND hwnd = Bind<ListBinding>(list, Create(L"LISTBOX", style, WS_EX_CLIENTEDGE));
  FlushPendingViews();
  return hwnd;
}

HWND FormView::AddCombo(forms::ComboBox& combo) {
  return Bind<ComboBinding>(combo, Create(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST));
}

HWND FormView::AddText(forms::TextBox& box, TextStyle style) {
  DWORD s = WS_TABSTOP | ES_AUTOHSCROLL;
  if (style == TextStyle::MultiLine)
    s = WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
  return Bind<TextBinding>(box, Create(L"EDIT", s, WS_EX_CLIENTEDGE), style);
}

HWND FormView::AddLabel(forms::Label& label, DWORD extraStyle) {
  return Bind<LabelBinding>(label, Create(L"STATIC", SS_NOPREFIX | extraStyle));
}

HWND FormView::AddProgress(forms::TextBox& box, std::function<int()> full) {
  return Bind<ProgressBinding>(box, Create(L"STATIC", SS_OWNERDRAW), std::move(full));
}

HWND FormView::AddCheck(forms::CheckBox& check) {
  return Bind<CheckBinding>(check, Create(L"BUTTON", WS_TABSTOP | BS_3STATE));
}

HWND FormView::AddButton(forms::Button& button) {
  return Bind<ButtonBinding>(button, Create(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON));
}

HWND FormView::HwndOf(const forms::Control& control) const {
  const auto it = byControl_.find(&control);
  return it == byControl_.end() ? nullptr : it->second->Hwnd();
}

void FormView::OnRightButton(const forms::ListBox& list, std::function<void(int row)> handler) {
  if (auto* binding = dynamic_cast<ListBinding*>(byControl_.at(&list)))
    binding->onRightButton = std::move(handler);
}

void FormView::OnLeave(const forms::TextBox& box, std::function<void()> handler) {
  byControl_.at(&box)->onLeave = std::move(handler);
}

void FormView::SyncAll() {
  for (auto& binding : bindings_) binding->Sync();
  FlushPendingViews();
}

bool FormView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      const auto it = byHwnd_.find(reinterpret_cast<HWND>(lParam));
      if (lParam == 0 || it == byHwnd_.end()) return false;
      it->second->Command(HIWORD(wParam));
      result = 0;
      return true;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      const auto it = byHwnd_.find(reinterpret_cast<HWND>(lParam));
      if (it == byHwnd_.end()) return false;
      HBRUSH brush = it->second->Colour(reinterpret_cast<HDC>(wParam));
      if (brush == nullptr) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      const auto it = byHwnd_.find(item->hwndItem);
      if (it == byHwnd_.end()) return false;
      it->second->Draw(*item);
      result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

namespace {
constexpr UINT kFirstCommand = 1000;
}

MenuBar::~MenuBar() {
  for (forms::MenuItem* item : commands_) item->SetViewListener({});
  for (Menu& menu : menus_) menu.title->SetViewListener({});
}

void MenuBar::AddMenu(forms::MenuItem& title, std::vector<forms::MenuItem*> items) {
  for (forms::MenuItem* item : items) {
    if (item != nullptr) commands_.push_back(item);
  }
  menus_.push_back({&title, std::move(items)});
}

void MenuBar::Attach() {
  for (forms::MenuItem* item : commands_) item->SetViewListener([this] { Rebuild(); });
  for (Menu& menu : menus_) menu.title->SetViewListener([this] { Rebuild(); });
  Rebuild();
}

UINT MenuBar::CommandOf(const forms::MenuItem& item) const {
  for (size_t i = 0; i < commands_.size(); ++i) {
    if (commands_[i] == &item) return kFirstCommand + static_cast<UINT>(i);
  }
  return 0;
}

bool MenuBar::HandleCommand(UINT command) {
  if (command < kFirstCommand || command >= kFirstCommand + commands_.size()) return false;
  forms::MenuItem* item = commands_[command - kFirstCommand];
  RunUserAction([item] { item->Press(); });
  return true;
}

void MenuBar::Rebuild() {
  HMENU bar = CreateMenu();
  for (const Menu& menu : menus_) {
    if (!menu.title->Visible()) continue;
    HMENU drop = CreatePopupMenu();
    bool separatorDue = false;
    for (forms::MenuItem* item : menu.items) {
      if (item == nullptr) {
        separatorDue = true;
        continue;
      }
      if (!item->Visible()) continue;
      if (separatorDue) AppendMenuW(drop, MF_SEPARATOR, 0, nullptr);
      separatorDue = false;
      UINT flags = MF_STRING;
      if (!item->Enabled()) flags |= MF_GRAYED;
      if (item->Checked()) flags |= MF_CHECKED;
      AppendMenuW(drop, flags, CommandOf(*item), ToWide(item->Caption()).c_str());
    }
    UINT flags = MF_POPUP | MF_STRING;
    if (!menu.title->Enabled()) flags |= MF_GRAYED;
    AppendMenuW(bar, flags, reinterpret_cast<UINT_PTR>(drop), ToWide(menu.title->Caption()).c_str());
  }
  SetMenu(window_, bar);
  if (bar_ != nullptr) DestroyMenu(bar_);
  bar_ = bar;
  DrawMenuBar(window_);
}

WindowVisibility::WindowVisibility(HWND window, forms::Control& control, bool showOnVisible)
    : window_(window), control_(control), showOnVisible_(showOnVisible) {
  control_.SetViewListener([this] { Sync(); });
  Sync();
}

WindowVisibility::~WindowVisibility() { control_.SetViewListener({}); }

void WindowVisibility::Sync() {
  if (!control_.Visible())
    ShowWindow(window_, SW_HIDE);
  else if (showOnVisible_) {
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
  }
}

}  // namespace mirrin::win32
