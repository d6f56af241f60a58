#include <iostream>
#include <string>
#include <vector>

#include "app/cli/cli.h"

#ifdef _WIN32
#include <windows.h>

#include "palmdata/pathtext.h"

// The arguments as UTF-8, like every path inside the program: argv would
// hold them in the ANSI code page, losing the characters it lacks.
int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(mirrin::Utf8Text(argv[i]));
  LocalFree(argv);
  return mirrin::cli::Run(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return mirrin::cli::Run(args, std::cout, std::cerr);
}
#endif
