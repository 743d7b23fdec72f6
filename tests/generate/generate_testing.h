// Helpers shared by the generator tests.
#pragma once

#include <gmpxx.h>

#include <string>

#include "core/failure.h"

namespace zub::testing {

// The message of the exception of type E that action throws, or "(no failure)".
template <typename E>
std::string message_of(auto&& action) {
    try {
        action();
    } catch (const E& failure) {
        return failure.what();
    }
    return "(no failure)";
}

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

}  // namespace zub::testing
