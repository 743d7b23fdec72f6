// The bridge failures the editor's tests expect (they reach the core only through the bridge).
#pragma once

#include <string>

#include "bridge/bridge_exception.h"

namespace zub::testing {

// The reason of the Bridge_exception that action throws, or "(no failure)".
inline std::string reasonOf(auto&& action) {
    try {
        action();
    } catch (const Bridge_exception& failure) {
        return failure.reason();
    }
    return "(no failure)";
}

}  // namespace zub::testing
