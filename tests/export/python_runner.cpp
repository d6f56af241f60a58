#include <cstdio>
#include <fstream>

#include "export_fixture.h"

namespace mirrin::test {

std::string RunSystemPython(const std::string& script, const std::string& inputPath, int& status) {
  const std::string scriptPath = inputPath + ".py";
  std::ofstream(scriptPath) << script;
  const std::string command = "/usr/bin/python3 '" + scriptPath + "' '" + inputPath + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  if (pipe == nullptr) {
    status = -1;
    return out;
  }
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
  status = pclose(pipe);
  return out;
}

}  // namespace mirrin::test
