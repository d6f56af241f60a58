#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace mirrin::cli {

// Exit codes: 0 success, 1 a negative answer (files differ), 2 an error.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Verbs; args are the verb's own arguments (without the verb).
// users DIR: one line per user of DIR's users.dat, name TAB folder.
int RunUsers(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace mirrin::cli
