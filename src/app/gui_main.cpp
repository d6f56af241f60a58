// mirrin: the two users' records side by side in a window.
//   mirrin [-D] [--screenshot DIR]
// --screenshot draws the windows into DIR as PNG files and ends.
#include <QApplication>
#include <string>
#include <vector>

#include "ui/app.h"
#include "ui/qt/appwindows.h"
#include "ui/qt/binding.h"
#include "ui/qt/qtplatform.h"
#include "sysplatform/heap.h"

int main(int argc, char** argv) {
  mirrin::KeepLargeBlocksInHeap();
  QApplication qapp(argc, argv);
  // Closing the main window asks the exit routine; only ProgramEnd ends.
  QApplication::setQuitOnLastWindowClosed(false);

  std::vector<std::string> args;
  QString screenshotDir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--screenshot" && i + 1 < argc)
      screenshotDir = QString::fromLocal8Bit(argv[++i]);
    else
      args.push_back(arg);
  }

  mirrin::qt::QtPlatform platform;
  mirrin::MirrinApp app(platform);
  mirrin::qt::AppWindows windows(app, platform);
  try {
    app.Start(args);
    windows.ShowMain();
    if (!screenshotDir.isEmpty()) return windows.SaveScreenshots(screenshotDir) ? 0 : 1;
    const int code = QApplication::exec();
    const std::optional<int> ended = mirrin::qt::TakeProgramEnd();
    return ended ? *ended : code;
  } catch (const mirrin::ProgramEnd& end) {
    return end.exitCode;
  }
}
