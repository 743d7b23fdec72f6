// Helpers shared by the bridge's tests.
#pragma once

#include <string>
#include <vector>

#include "bridge/plist.h"

namespace zub::testing {

// strings({"C7", ""}) -> an array node of those strings, as a bar's "Chords".
inline Plist strings(const std::vector<std::string>& texts) {
    Plist::Array array;
    for (const std::string& text : texts) array.push_back(Plist::make_string(text));
    return Plist::make_array(std::move(array));
}

}  // namespace zub::testing
