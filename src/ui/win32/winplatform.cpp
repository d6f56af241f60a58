#include "ui/win32/winplatform.h"

#include <shlobj.h>

#include "startup/config.h"
#include "ui/win32/binding.h"
#include "ui/win32/wintext.h"

namespace mirrin::win32 {

namespace {
// What of a classic style MessageBoxW takes as it is: the button set, the
// icon and the default button have the same numbers there.
constexpr int kStyleBits = mb::ButtonMask | mb::IconMask | 0x300;
}  // namespace

int WinPlatform::MsgBox(const std::string& text, int style, const std::string& title) {
  FlushPendingViews();
  const bool wasBusy = busy_;
  if (wasBusy) SetBusy(false);  // the operator must be able to answer
  const auto flags = static_cast<UINT>(style & kStyleBits) | MB_SETFOREGROUND;
  const int answer = MessageBoxW(parent_, ToWideLines(text).c_str(), ToWide(title).c_str(), flags);
  if (wasBusy) SetBusy(true);
  return answer == 0 ? mb::Cancel : answer;
}

std::optional<std::string> WinPlatform::BrowseForFolder(const std::string& prompt) {
  const std::wstring title = ToWide(prompt);
  BROWSEINFOW info{};
  info.hwndOwner = parent_;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
  std::optional<std::string> path;
  if (item != nullptr) {
    // Longer than MAX_PATH, as a folder below a deep user profile may be;
    // the path is the text up to the first NUL.
    wchar_t buffer[512] = {};
    if (SHGetPathFromIDListEx(item, buffer, 512, GPFIDL_DEFAULT)) path = FromWide(buffer);
    CoTaskMemFree(item);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  if (path && path->empty()) path.reset();
  return path;
}

std::optional<int> WinPlatform::PopupMenu(const std::vector<std::string>& captions) {
  FlushPendingViews();
  POINT at{};
  GetCursorPos(&at);
  HMENU menu = CreatePopupMenu();
  for (size_t k = 0; k < captions.size(); ++k) {
    const UINT id = static_cast<UINT>(k + 1);
    if (TrimBlanks(captions[k]) == "-")
      AppendMenuW(menu, MF_SEPARATOR, id, nullptr);
    else
      AppendMenuW(menu, MF_STRING, id, ToWide(captions[k]).c_str());
  }
  HWND owner = GetForegroundWindow();
  if (owner == nullptr) owner = parent_;
  const int chosen =
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, owner, nullptr);
  DestroyMenu(menu);
  if (chosen <= 0) return std::nullopt;
  return chosen - 1;
}

void WinPlatform::DoEvents() {
  FlushPendingViews();
  // Paints what changed; the operator's input waits until the routine that
  // asked is done, so no handler starts in the middle of another.
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE | PM_QS_POSTMESSAGE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void WinPlatform::SetBusy(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

ScreenSize WinPlatform::Screen() {
  return {GetSystemMetrics(SM_CXSCREEN) * kTwipsPerPixel, GetSystemMetrics(SM_CYSCREEN) * kTwipsPerPixel};
}

}  // namespace mirrin::win32
