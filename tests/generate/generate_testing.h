// Helpers shared by the generator tests.
#pragma once

#include <gmpxx.h>

#include <fstream>
#include <iterator>
#include <string>

#include "core/failure.h"
#include "testing.h"

namespace zub::testing {

// Whether action throws Not_found.
inline bool not_found(auto&& action) {
    try {
        action();
    } catch (const Not_found&) {
        return true;
    }
    return false;
}

inline mpq_class q(const char* text) { return mpq_class(text); }

// The whole file's bytes; empty when it cannot be read.
inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zub::testing
