#include <iostream>
#include <string>
#include <vector>

#include "app/cli/cli.h"
#include "sysplatform/heap.h"

#ifdef _WIN32
#include <windows.h>

#include "palmdata/pathtext.h"

// The arguments in the ANSI code page, as argv would hold them, but without
// Windows's "best fit": a character the page lacks becomes "?" rather than a
// look-alike that could name another file.
int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(mirrin::NarrowPath(argv[i]));
  LocalFree(argv);
  mirrin::cli::LeaveSessionAtExit();
  return mirrin::cli::Run(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  mirrin::KeepLargeBlocksInHeap();
  mirrin::cli::LeaveSessionAtExit();
  std::vector<std::string> args(argv + 1, argv + argc);
  return mirrin::cli::Run(args, std::cout, std::cerr);
}
#endif
