#pragma once
// Runs a check as the user nobody, so that file permissions apply although
// the tests run as root. Not on Windows, which has no such user.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace mirrin::test {

// dir and everything below it, open to every user.
inline void OpenToAll(const std::string& dir) {
  namespace fs = std::filesystem;
  fs::permissions(dir, fs::perms::all);
  for (const auto& entry : fs::recursive_directory_iterator(dir))
    fs::permissions(entry.path(), fs::perms::all);
}

// True when body, run in a child process as nobody, failed no expectation
// (the child prints its failures).
inline bool AsNobody(const std::function<void()>& body) {
  const passwd* nobody = getpwnam("nobody");
  const pid_t pid = nobody ? fork() : -1;
  if (pid == 0) {
    if (setgroups(0, nullptr) != 0 || setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) _exit(2);
    try {
      body();
    } catch (...) {
      ADD_FAILURE() << "exception as nobody";
    }
    _exit(::testing::Test::HasFailure() ? 1 : 0);
  }
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace mirrin::test

#endif  // _WIN32
