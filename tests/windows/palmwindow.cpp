// A stand-in for the program whose data Mirrin must not touch while it runs:
// shows one top-level window with the title given (default "Palm Desktop")
// until it is closed or killed.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  const std::wstring title = argc > 1 ? argv[1] : L"Palm Desktop";
  const HWND window =
      CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200,
                      100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
