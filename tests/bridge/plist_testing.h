// Helpers shared by the bridge's tests.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "bridge/bridge_exception.h"
#include "bridge/plist.h"

namespace zub::testing {

// strings({"C7", ""}) -> an array node of those strings, as a bar's "Chords".
inline Plist strings(const std::vector<std::string>& texts) {
    Plist::Array array;
    for (const std::string& text : texts) array.push_back(Plist::make_string(text));
    return Plist::make_array(std::move(array));
}

// slot_words("C7 - F7 -") -> {"C7", "", "F7", ""}: a bar's slots written in a line, "-" an empty slot.
inline std::vector<std::string> slot_words(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string word; in >> word;) result.push_back(word == "-" ? "" : word);
    return result;
}

// bar_dictionary({"C", "", "", ""}) -> a bar with those chord slots, empty key
// slots and no section mark; keys and mark when given (keys as many as chords).
inline Plist bar_dictionary(const std::vector<std::string>& chords, std::vector<std::string> keys = {},
                            std::int64_t section_mark = 32) {
    if (keys.empty()) keys.resize(chords.size());
    return Plist::make_dictionary({{"Chords", strings(chords)},
                                   {"Keys", strings(keys)},
                                   {"SectionMark", Plist::make_integer(section_mark)}});
}

// "name / reason" of the bridge failure that action throws, or "(no failure)".
inline std::string named_reason_of(auto&& action) {
    try {
        action();
    } catch (const Bridge_exception& e) {
        return e.name() + " / " + e.reason();
    }
    return "(no failure)";
}

}  // namespace zub::testing
