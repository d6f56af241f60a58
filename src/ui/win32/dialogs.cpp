#include "ui/win32/dialogs.h"

#include <algorithm>

#include "ui/win32/mainwindow.h"
#include "ui/win32/wintext.h"

namespace mirrin::win32 {

namespace {

// Pixels of the dialogs' grid at the classic 8 point font.
constexpr int kGap = 8;
constexpr int kRow = 26;
constexpr int kField = 22;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 25;
constexpr UINT kRefocus = WM_APP + 1;  // wParam: the control that keeps the focus

}  // namespace

FormWindow::FormWindow(const std::string& title, DWORD style, DWORD exStyle, HWND owner)
    : style_(style), exStyle_(exStyle) {
  hwnd_ = CreateWindowExW(exStyle, WindowClass(L"MirrinForm", &FormWindow::Proc), ToWide(title).c_str(),
                          style, CW_USEDEFAULT, CW_USEDEFAULT, 400, 300, owner, nullptr,
                          GetModuleHandleW(nullptr), this);
  view_ = std::make_unique<FormView>(hwnd_, false);
}

FormWindow::~FormWindow() {
  view_.reset();
  DestroyWindow(hwnd_);
}

void FormWindow::SetClientSize(int width, int height) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, style_, FALSE, exStyle_);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Center();
  // Frames beneath the controls they hold, which were made after them.
  for (HWND box : groups_)
    SetWindowPos(box, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::Center() {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  RECT around{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (HWND owner = GetWindow(hwnd_, GW_OWNER); owner != nullptr && IsWindowVisible(owner))
    GetWindowRect(owner, &around);
  const int x = static_cast<int>(std::max<LONG>(0, (around.left + around.right - w) / 2));
  const int y = static_cast<int>(std::max<LONG>(0, (around.top + around.bottom - h) / 2));
  SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND FormWindow::FixedLabel(const wchar_t* text, int x, int y, int width, int height, DWORD style) {
  HWND label = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | style, x, y, width,
                               height, hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor("", 8, false, false, false)), FALSE);
  return label;
}

HWND FormWindow::GroupBox(const wchar_t* text, int x, int y, int width, int height) {
  HWND box = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, x, y, width, height,
                             hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor("", 8, false, false, false)), FALSE);
  groups_.push_back(box);
  return box;
}

void FormWindow::Put(HWND control, int x, int y, int width, int height) {
  // A drop-down's window is its field and its open list together.
  wchar_t cls[16] = {};
  GetClassNameW(control, cls, 16);
  if (lstrcmpiW(cls, L"COMBOBOX") == 0) height += 200;
  SetWindowPos(control, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK FormWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || !self->view_) return DefWindowProcW(hwnd, message, wParam, lParam);
  LRESULT result = 0;
  if (self->view_->HandleMessage(message, wParam, lParam, result)) return result;
  return self->Handle(message, wParam, lParam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

ModalDialog::ModalDialog(ModalWindow& model, const std::string& title, HWND owner, forms::Button& ok,
                         forms::Button& cancel)
    : FormWindow(title, WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, owner),
      model_(model),
      ok_(ok),
      cancel_(cancel) {
  visibility_ = std::make_unique<WindowVisibility>(hwnd_, model.window, false);
  model.runModal = [this] { RunModal(); };
}

HWND ModalDialog::OkCancelRow(int right, int y) {
  HWND ok = view_->AddButton(ok_);
  SetWindowLongW(ok, GWL_STYLE, GetWindowLongW(ok, GWL_STYLE) | BS_DEFPUSHBUTTON);
  Put(ok, right - 2 * kButtonWidth - kGap, y, kButtonWidth, kButtonHeight);
  Put(view_->AddButton(cancel_), right - kButtonWidth, y, kButtonWidth, kButtonHeight);
  return ok;
}

void ModalDialog::RunModal() {
  FlushPendingViews();
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  if (owner != nullptr) EnableWindow(owner, FALSE);
  Center();
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE); first != nullptr) SetFocus(first);
  MSG msg;
  while (model_.window.Visible() && IsWindowVisible(hwnd_) && !ProgramEnding()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageW(hwnd_, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (owner != nullptr) EnableWindow(owner, TRUE);
  ShowWindow(hwnd_, SW_HIDE);
  if (owner != nullptr) SetActiveWindow(owner);
  // A ProgramEnd caught inside the loop goes on to the model code that
  // opened the dialog.
  if (const std::optional<int> code = TakeProgramEnd()) throw ProgramEnd{*code};
}

LRESULT ModalDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Enter and Escape, from the dialog manager.
      if (lParam == 0 && LOWORD(wParam) == IDOK) {
        RunUserAction([this] { ok_.Press(); });
        return 0;
      }
      if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
        RunUserAction([this] { cancel_.Press(); });
        return 0;
      }
      break;
    case WM_CLOSE:
      ShowWindow(hwnd_, SW_HIDE);
      return 0;
    case kRefocus:
      SetFocus(reinterpret_cast<HWND>(wParam));
      return 0;
    default:
      break;
  }
  return FormWindow::Handle(message, wParam, lParam);
}

ConfigureDialog::ConfigureDialog(ConfigureDialogModel& m, HWND owner)
    : ModalDialog(m, ConfigureDialogModel::kTitle, owner, m.cmdOK, m.cmdCancel), m_(m) {
  FormView& v = *view_;
  constexpr int kWidth = 600;
  int y = kGap;
  // The kinds and the first one shown.
  GroupBox(L"Record kinds", kGap, y, kWidth - 2 * kGap, 2 * kRow + 28);
  int x = 2 * kGap + 4;
  for (forms::CheckBox* box : {&m.chkDates, &m.chkContacts, &m.chkToDo, &m.chkMemo}) {
    Put(v.AddCheck(*box), x, y + 20, 135, 20);
    x += 140;
  }
  FixedLabel(L"Start with:", 2 * kGap + 4, y + 20 + kRow + 3, 100, 18);
  Put(v.AddCombo(m.cmbStartwith), 130, y + 20 + kRow, 160, kField);
  y += 2 * kRow + 28 + kGap;

  // The options, in two columns.
  constexpr int kOptionRow = 22;
  GroupBox(L"Options", kGap, y, kWidth - 2 * kGap, 7 * kOptionRow + 28);
  int i = 0;
  for (forms::CheckBox* box :
       {&m.chkShowCategories, &m.chkShowDatebookCategories, &m.chkShowMemoCategories,
        &m.chkShowToDoCategories, &m.chkAddCategories, &m.chkCategories, &m.chkSortbyCategory,
        &m.chkShowCompany, &m.chkShowCompletedToDo, &m.chkAgendus, &m.chkCopyAlarms, &m.chkArchive,
        &m.chkDBCS, &m.chkMultiSelect}) {
    const int left = i % 2 == 0 ? 2 * kGap + 4 : kWidth / 2 + 4;
    const int top = y + 20 + (i / 2) * kOptionRow;
    // The DBCS box carries its note beside it.
    const int width = box == &m.chkDBCS ? 70 : kWidth / 2 - 3 * kGap;
    Put(v.AddCheck(*box), left, top, width, 20);
    if (box == &m.chkDBCS) FixedLabel(L"Double Byte Character System", left + width + 4, top + 3, 200, 18);
    ++i;
  }
  y += 7 * kOptionRow + 28 + kGap;

  // Numbers, the date and the layout options: a caption, the field, its unit.
  constexpr int kFieldLeft = 300;
  auto valueRow = [&](const wchar_t* caption, HWND field, int width, const wchar_t* unit) {
    FixedLabel(caption, kGap + 4, y + 3, kFieldLeft - kGap - 8, 18, SS_RIGHT);
    Put(field, kFieldLeft, y, width, kField);
    if (unit != nullptr)
      FixedLabel(unit, kFieldLeft + width + 6, y + 3, kWidth - kFieldLeft - width - 14, 18);
    y += kRow;
  };
  HWND days = v.AddText(m.txtDaystoIgnore, TextStyle::SingleLine);
  valueRow(L"Ignore Datebook entries", days, 50, L"days before today");
  valueRow(L"Mirrin will match Date entries if the first ",
           v.AddText(m.txtFirstDuplicate, TextStyle::SingleLine), 50, L"characters are identical");
  valueRow(L"Hide Entries After:", v.AddText(m.txtHideAfter, TextStyle::SingleLine), 90,
           L"Format = dd/mm/yyyy");
  valueRow(L"Width Option:", v.AddCombo(m.txtGUI), 220, nullptr);
  valueRow(L"Height Option:", v.AddCombo(m.txtHeight), 220, nullptr);
  y += 4;
  FixedLabel(L"You will need to restart Mirrin for some changes to become effective", kGap + 4, y,
             kWidth - 2 * kGap, 18);
  y += kRow;
  OkCancelRow(kWidth - kGap, y);
  y += kButtonHeight + kGap;
  SetClientSize(kWidth, y);

  // The focus stays in the days field until it holds a number.
  v.OnLeave(m.txtDaystoIgnore, [this, days] {
    bool valid = true;
    RunUserAction([&] { valid = m_.ValidateDaystoIgnore(); });
    if (!valid) PostMessageW(hwnd_, kRefocus, reinterpret_cast<WPARAM>(days), 0);
  });
}

LRESULT ConfigureDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = ModalDialog::Handle(message, wParam, lParam);
  // A number OK refused takes the focus (the dialog stays open with the edits).
  if (message == WM_COMMAND && m_.refusedField != nullptr && m_.window.Visible()) {
    if (HWND field = view_->HwndOf(*m_.refusedField); field != nullptr) SetFocus(field);
  }
  return result;
}

ConfigUserDialog::ConfigUserDialog(UsersDialogModel& m, HWND owner)
    : ModalDialog(m, UsersDialogModel::kTitle, owner, m.cmdOK, m.cmdCancel) {
  FormView& v = *view_;
  constexpr int kFrameWidth = 400;
  constexpr int kCaptionWidth = 196;
  constexpr int kFrameHeight = 10 * kRow + 30;
  for (Side side : kSides) {
    UserFrame& u = m.Frame(side);
    const int x0 = kGap + (side == kLeft ? 0 : kFrameWidth + kGap);
    GroupBox(side == kLeft ? L"First User" : L"Second User", x0, kGap, kFrameWidth, kFrameHeight);
    const int fieldLeft = x0 + kCaptionWidth + 4;
    const int fieldWidth = kFrameWidth - kCaptionWidth - 16;
    int y = kGap + 22;
    auto row = [&](const wchar_t* caption, HWND field, int width) {
      if (caption != nullptr) FixedLabel(caption, x0 + 10, y + 3, kCaptionWidth - 10, 18);
      Put(field, fieldLeft, y, width, kField);
      y += kRow;
    };
    row(L"Base Directory:", v.AddText(u.txtDir, TextStyle::Display), fieldWidth - 34);
    Put(v.AddButton(u.cmdDir), fieldLeft + fieldWidth - 30, y - kRow, 30, kField);
    row(L"User Name:", v.AddCombo(u.users), fieldWidth);
    row(nullptr, v.AddText(u.txtUser, TextStyle::Display), fieldWidth);
    row(L"User Directory:", v.AddCombo(u.cmbUserDir), fieldWidth);
    row(nullptr, v.AddText(u.txtUserDir, TextStyle::Display), fieldWidth);
    int i = 0;
    for (forms::CheckBox* box :
         {&u.chkPrivateDates, &u.chkPrivateToDos, &u.chkPrivateMemos, &u.chkPrivateContacts}) {
      Put(v.AddCheck(*box), x0 + 10 + (i % 2) * (kFrameWidth / 2), y + (i / 2) * kRow, kFrameWidth / 2 - 16,
          20);
      ++i;
    }
    y += 2 * kRow;
    row(L"Filter for Datebook entries:", v.AddText(u.txtDateFilter, TextStyle::SingleLine), fieldWidth);
    row(side == kLeft ? L"Suffix when adding dates to 2nd User:" : L"Suffix when adding dates to 1st User:",
        v.AddText(u.txtSuffix, TextStyle::SingleLine), fieldWidth);
    Put(v.AddLabel(u.lblRecords), x0 + 10, y + 3, kCaptionWidth - 10, 18);
    Put(v.AddLabel(u.userRecords), fieldLeft, y + 3, fieldWidth, 18);
  }
  const int width = 2 * kFrameWidth + 3 * kGap;
  const int y = kGap + kFrameHeight + kGap;
  OkCancelRow(width - kGap, y);
  SetClientSize(width, y + kButtonHeight + kGap);
}

SplashWindow::SplashWindow(SplashModel& model)
    : FormWindow("", WS_POPUP | WS_BORDER, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, nullptr), model_(model) {
  FormView& v = *view_;
  constexpr int kWidth = 420;
  HWND product = v.AddLabel(model.lblProductName);
  Put(product, 24, 18, kWidth - 48, 40);
  // The product name in large bold letters; the model's font stays for the rest.
  SendMessageW(product, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor("", 20, false, true, false)), TRUE);
  Put(v.AddLabel(model.lblVersion), 24, 62, kWidth - 48, 18);
  Put(v.AddLabel(model.lblCompany), 24, 96, kWidth - 48, 18);
  Put(v.AddLabel(model.lblWarning), 24, 116, kWidth - 48, 18);
  Put(v.AddLabel(model.lblLoading), 24, 150, kWidth - 48, 18);
  SetClientSize(kWidth, 184);
  visibility_ = std::make_unique<WindowVisibility>(hwnd_, model.window, true);
}

LRESULT SplashWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_KEYDOWN) {
    model_.Unload();
    return 0;
  }
  return FormWindow::Handle(message, wParam, lParam);
}

}  // namespace mirrin::win32
