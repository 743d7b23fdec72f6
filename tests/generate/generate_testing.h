// Helpers shared by the generator tests.
#pragma once

#include <gmpxx.h>

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

}  // namespace zub::testing
