// Helpers shared by every test program.
#pragma once

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

// The message of the core failure that action throws, or "(no failure)".
std::string failure_of(auto&& action) { return message_of<Failure>(action); }

}  // namespace zub::testing
