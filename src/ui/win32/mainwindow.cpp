#include "ui/win32/mainwindow.h"

#include <algorithm>
#include <set>

#include "save/save.h"
#include "ui/popupmenu.h"
#include "ui/win32/wintext.h"

namespace mirrin::win32 {

const wchar_t* WindowClass(const wchar_t* name, WNDPROC proc) {
  static std::set<std::wstring> registered;
  if (registered.insert(name).second) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
  }
  return name;
}

namespace {
constexpr DWORD kMainStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
}

MainWindow::MainWindow(Session& session, MainWindowModel& form, WinPlatform& platform)
    : s_(session), model_(form), platform_(platform) {
  hwnd_ = CreateWindowExW(0, WindowClass(L"MirrinMain", &MainWindow::Proc), L"", kMainStyle, CW_USEDEFAULT,
                          CW_USEDEFAULT, 640, 480, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  view_ = std::make_unique<FormView>(hwnd_, true);
  statusView_ = std::make_unique<FormView>(hwnd_, false);
  menus_ = std::make_unique<MenuBar>(hwnd_);
  AddControls();
  AddMenus();
  statusLine_ = statusView_->AddLabel(model_.status.line, SS_SUNKEN | SS_LEFTNOWORDWRAP);
  auto title = [this] { SetWindowTextW(hwnd_, ToWide(model_.status.title.Caption()).c_str()); };
  model_.status.title.SetViewListener(title);
  title();
  SetAfterUserAction([this] { model_.status.Refresh(); });
  ACCEL save{FVIRTKEY | FCONTROL, 'S', static_cast<WORD>(menus_->CommandOf(s_.controls.saveItem))};
  accelerators_ = CreateAcceleratorTableW(&save, 1);
  platform_.SetParentWindow(hwnd_);
  ApplyFrame();
}

MainWindow::~MainWindow() {
  SetAfterUserAction({});
  model_.status.title.SetViewListener({});
  menus_.reset();
  statusView_.reset();
  view_.reset();
  if (accelerators_ != nullptr) DestroyAcceleratorTable(accelerators_);
  platform_.SetParentWindow(nullptr);
  DestroyWindow(hwnd_);
}

void MainWindow::AddControls() {
  MainWindowControls& f = s_.controls;
  FormView& v = *view_;
  // Created in the order Tab moves through them: left pane, the middle
  // column, right pane.
  auto pane = [&](Side side) {
    SidePane& p = f.panes[side];
    v.AddCombo(p.userSelector);
    v.AddText(p.userName, TextStyle::Display);
    for (forms::ListBox* list : {&p.list, &p.multiList}) {
      v.AddList(*list);
      v.OnRightButton(*list, [this, side](int row) { ListRightClickRow(s_, side, row); });
    }
    v.AddLabel(p.recordCount);
    v.AddText(p.description, TextStyle::SingleLine);
    v.AddText(p.details, TextStyle::MultiLine);
    v.AddCheck(p.showThisCategory);
  };
  pane(kLeft);
  v.AddCombo(f.kindSelector);
  for (forms::Button* b : f.AllTransferButtons()) v.AddButton(*b);
  v.AddCheck(f.archive);
  v.AddButton(f.switchView);
  v.AddButton(f.editNotes);
  v.AddButton(f.exitButton);
  pane(kRight);
  // As many characters as the kind selection writes when it is done.
  v.AddProgress(f.progress, [this] { return model_.ProgressFullLength(); });
  // Laid over the lists, so on top of them.
  for (HWND over : {v.AddText(f.aboutText, TextStyle::MultiLine), v.AddButton(f.aboutClose),
                    v.AddLabel(f.busyNotice, SS_CENTER | SS_CENTERIMAGE | WS_BORDER)}) {
    SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MainWindow::AddMenus() {
  MainWindowControls& f = s_.controls;
  menus_->AddMenu(f.fileMenu,
                  {&f.saveItem, &f.configureItem, &f.configureUsersItem, &f.aboutItem, &f.exitItem});
  std::vector<forms::MenuItem*> restore;
  for (Side side : kSides) {
    if (side == kRight) restore.push_back(nullptr);
    for (forms::MenuItem& item : f.panes[side].restore) restore.push_back(&item);
  }
  menus_->AddMenu(f.restoreMenu, restore);
  // The panes' category menus are never shown: the pop-up is built when needed.
  menus_->Attach();
}

int MainWindow::StatusHeight() const {
  HDC dc = GetDC(hwnd_);
  HGDIOBJ old = SelectObject(dc, FontFor("", 8, false, false, false));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  return metrics.tmHeight + 6;
}

void MainWindow::ApplyFrame() {
  // Whole pixels, rounded up so the window is never smaller than the frame.
  RECT r{0, 0, (model_.frame.width - kNonClientWidth + kTwipsPerPixel - 1) / kTwipsPerPixel,
         (model_.frame.height - kNonClientHeight + kTwipsPerPixel - 1) / kTwipsPerPixel + StatusHeight()};
  AdjustWindowRectEx(&r, kMainStyle, TRUE, 0);
  SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

void MainWindow::StartResizing() {
  model_.status.Refresh();
  ApplyFrame();
  firstFrame_ = model_.frame;
  resizing_ = true;
}

void MainWindow::ClientResized(int width, int height) {
  const int statusHeight = StatusHeight();
  if (statusLine_ != nullptr)
    SetWindowPos(statusLine_, nullptr, 0, height - statusHeight, width, statusHeight, SWP_NOZORDER);
  if (!resizing_ || width == 0 || height == 0) return;  // minimised
  const int frameHeight = (height - statusHeight) * kTwipsPerPixel + kNonClientHeight;
  const int frameWidth = width * kTwipsPerPixel + kNonClientWidth;
  // Text grows with the window (never below the desktop's size); set
  // before the model lays the controls out, which syncs their fonts.
  const double scale = std::max(1.0, std::min(static_cast<double>(frameHeight) / firstFrame_.height,
                                              static_cast<double>(frameWidth) / firstFrame_.width));
  const bool newScale = scale != FontScale();
  SetFontScale(scale);
  RunUserAction([&] { model_.Resized(frameHeight, frameWidth); });
  if (newScale) view_->SyncAll();
  // The model keeps the window at least half its first size.
  if (model_.frame.height != frameHeight || model_.frame.width != frameWidth) ApplyFrame();
}

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr || self->hwnd_ == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (view_ && view_->HandleMessage(message, wParam, lParam, result)) return result;
  if (statusView_ && statusView_->HandleMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 && menus_ && menus_->HandleCommand(LOWORD(wParam))) return 0;
      break;
    case WM_SIZE:
      ClientResized(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_SETCURSOR:
      if (platform_.Busy()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      // The window stays unless the exit routine ends the program.
      RunUserAction([this] { ExitRoutine(s_); });
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace mirrin::win32
