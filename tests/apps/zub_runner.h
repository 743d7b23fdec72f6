// Runs the zub tool in-process and captures what it prints.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "apps/zub/cli.h"

namespace zub::cli {

struct Result {
    int status;
    std::string out, err;
};

inline Result zub(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = run(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace zub::cli
