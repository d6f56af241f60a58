#include "ui/win32/appwindows.h"

#include <filesystem>
#include <fstream>
#include <vector>

namespace mirrin::win32 {

AppWindows::AppWindows(MirrinApp& app, WinPlatform& platform)
    : main(app.session, app.main, platform),
      splash(app.splash),
      configure(app.configure, main.Hwnd()),
      configUser(app.configUser, main.Hwnd()),
      app_(app) {}

void AppWindows::ShowMain() {
  FlushPendingViews();
  main.StartResizing();
  ShowWindow(main.Hwnd(), SW_SHOW);
  SetForegroundWindow(main.Hwnd());
  UpdateWindow(main.Hwnd());
}

bool AppWindows::Dispatch(MSG& msg) {
  if (msg.message == WM_QUIT) return false;
  if (TranslateAcceleratorW(main.Hwnd(), main.Accelerators(), &msg)) return true;
  // Tab moves between the main window's controls as in a dialog.
  if (IsDialogMessageW(main.Hwnd(), &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

int AppWindows::Run() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  if (const std::optional<int> ended = TakeProgramEnd()) return *ended;
  return static_cast<int>(msg.wParam);
}

void AppWindows::Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!Dispatch(msg)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
  }
  FlushPendingViews();
}

bool SaveWindowBitmap(HWND window, const std::wstring& path) {
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  GdiFlush();
  RECT r{};
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;
  // What the screen shows there: the window with its children, menus and frame.
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);

  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up, as BMP files keep their rows
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  const auto stride = static_cast<size_t>((width * 3 + 3) & ~3);
  std::vector<char> pixels(stride * static_cast<size_t>(height));
  const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                             reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (rows != height) return false;

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info), sizeof info);
  out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
  return static_cast<bool>(out.flush());
}

namespace {

// Lets the window paint, then photographs it.
bool Photograph(AppWindows& windows, HWND window, const std::wstring& dir, const wchar_t* name) {
  ShowWindow(window, SW_SHOW);
  for (int i = 0; i < 5; ++i) {
    windows.Pump();
    Sleep(40);
  }
  return SaveWindowBitmap(window, dir + L"\\" + name);
}

}  // namespace

bool AppWindows::SaveScreenshots(const std::wstring& dir) {
  MainWindowControls& f = app_.session.controls;
  bool ok = true;
  RunUserAction([&] {
    if (f.kindSelector.ListIndex() <= 0 && f.kindSelector.ListCount() > 1) f.kindSelector.SetListIndex(1);
    // A row with a partner on the other side shows the differences marked.
    forms::ListBox& left = app_.session.List(kLeft);
    const std::vector<int32_t>& map = app_.session.Map(kLeft);
    int row = 0;
    while (row < left.ListCount() &&
           (static_cast<size_t>(row) >= map.size() || map[static_cast<size_t>(row)] < 0))
      ++row;
    if (left.ListCount() > 0) left.UserClick(row < left.ListCount() ? row : 0);
  });
  ok = Photograph(*this, main.Hwnd(), dir, L"main.bmp") && ok;
  RunUserAction([&] { f.switchView.Press(); });
  ok = Photograph(*this, main.Hwnd(), dir, L"categories.bmp") && ok;
  RunUserAction([&] { f.switchView.Press(); });
  RunUserAction([&] { app_.configure.DrawValues(); });
  ok = Photograph(*this, configure.Hwnd(), dir, L"configure.bmp") && ok;
  ShowWindow(configure.Hwnd(), SW_HIDE);
  RunUserAction([&] { app_.configUser.DrawValues(); });
  ok = Photograph(*this, configUser.Hwnd(), dir, L"configusers.bmp") && ok;
  ShowWindow(configUser.Hwnd(), SW_HIDE);
  ok = Photograph(*this, splash.Hwnd(), dir, L"splash.bmp") && ok;
  ShowWindow(splash.Hwnd(), SW_HIDE);
  RunUserAction([&] { f.aboutItem.Press(); });
  ok = Photograph(*this, main.Hwnd(), dir, L"about.bmp") && ok;
  RunUserAction([&] { f.aboutClose.Press(); });

  // The status line after a transfer and Save (the demo is a scratch copy).
  RunUserAction([&] {
    forms::ListBox& left = app_.session.List(kLeft);
    if (left.ListCount() > 0) left.UserClick(0);
    f.panes[kRight].add.Press();
    f.saveItem.Press();
  });
  ok = Photograph(*this, main.Hwnd(), dir, L"saved.bmp") && ok;
  return ok;
}

}  // namespace mirrin::win32
