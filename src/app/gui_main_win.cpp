// mirrin.exe: the two users' records side by side in a native window.
//   mirrin [-D] [--screenshot DIR]
// --screenshot draws the windows into DIR as BMP files and ends.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "ui/app.h"
#include "ui/win32/appwindows.h"
#include "ui/win32/winplatform.h"
#include "ui/win32/wintext.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> args;
  std::wstring screenshotDir;
  for (int i = 1; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--screenshot" && i + 1 < argc)
      screenshotDir = argv[++i];
    else
      args.push_back(mirrin::win32::FromWide(arg));
  }
  LocalFree(argv);

  mirrin::win32::WinPlatform platform;
  mirrin::MirrinApp app(platform);
  mirrin::win32::AppWindows windows(app, platform);
  try {
    app.Start(args);
    windows.ShowMain();
    if (!screenshotDir.empty()) return windows.SaveScreenshots(screenshotDir) ? 0 : 1;
    return windows.Run();
  } catch (const mirrin::ProgramEnd& end) {
    return end.exitCode;
  }
}
