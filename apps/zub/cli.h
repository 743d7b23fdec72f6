// The zub command line: "zub COMMAND ARGS...". Kept apart from main so tests
// can run commands and read what they print.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace zub::cli {

// Runs the command named by args[0] (the program name is not included) and
// returns the exit status; usage errors print one line to err and return 2.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zub::cli
