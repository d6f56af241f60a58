#pragma once
// Runs a check as the user nobody, so that file permissions apply although
// the tests run as root.
#include <gtest/gtest.h>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

namespace mirrin::test {

// Opens dir and everything below it to every user, so nobody can use it.
inline void OpenToAll(const std::string& dir) {
  namespace fs = std::filesystem;
  fs::permissions(dir, fs::perms::all);
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    fs::permissions(entry.path(), entry.is_directory() ? fs::perms::all : fs::perms(0666));
  }
}

// Runs body in a child process as nobody; true when no expectation failed
// there (the failures are printed by the child).
inline bool AsNobody(const std::function<void()>& body) {
  const passwd* nobody = getpwnam("nobody");
  if (!nobody) return false;
  const pid_t pid = fork();
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
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace mirrin::test
