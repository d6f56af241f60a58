// Stands in for the program whose data Mirrin must not touch while it runs:
// one top-level window titled "Palm Desktop", until closed or killed.
#include <windows.h>

int main() {
  const HWND window = CreateWindowExW(0, L"STATIC", L"Palm Desktop", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 200, 100, nullptr, nullptr, nullptr, nullptr);
  if (!window) return 1;
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
