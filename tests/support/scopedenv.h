#pragma once
#include <cstdlib>
#include <optional>
#include <string>

namespace mirrin::test {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(name, value);
  }
  ~ScopedEnv() { Set(name_, old_ ? old_->c_str() : nullptr); }

 private:
  static void Set(const char* name, const char* value) {
#ifdef _WIN32
    _putenv_s(name, value ? value : "");  // an empty value removes it there
#else
    value ? setenv(name, value, 1) : unsetenv(name);
#endif
  }

  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace mirrin::test
