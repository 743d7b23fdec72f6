// The fixed tables of the key-center partition, as plain data.
#pragma once

#include <array>
#include <string_view>
#include <vector>

namespace zub {

// The candidate keys in the order that decides ties: major keys by tonic,
// then minor keys by tonic (the key name adds "m").
extern const std::array<std::string_view, 12> major_key_names;
extern const std::array<std::string_view, 12> minor_key_tonics;

// One classification rule: an element whose roman chord is one of the chords
// (or, when kind is set, has that kind) gets the class.
struct Class_ruledef {
    std::vector<std::string_view> chords;
    std::string_view kind;
    int cls;
};

// Tried in order, first match wins.
extern const std::vector<Class_ruledef> major_class_ruledefs;
extern const std::vector<Class_ruledef> minor_class_ruledefs;

// How a zone of a secondary key constrains segments in the main key.
enum class Zone_relation {
    nol,  // no segment may leave or enter a zone
    ne,   // a segment may hold whole zones, but not start or end inside one
};

// How much of the secondary key a zone needs.
enum class Zone_test {
    z,    // at least 8 beats
    z4l,  // a long zone dominated by the secondary tonic
    z4s,  // a short zone with enough of the secondary tonic
};

// A secondary key relative to the main key, with how its zones are found and used.
struct Secondary_ruledef {
    std::string_view romankey;
    Zone_relation relation;
    std::vector<int> zone_classes;
    Zone_test test;
};

extern const std::vector<Secondary_ruledef> major_secondary_ruledefs;
extern const std::vector<Secondary_ruledef> minor_secondary_ruledefs;

}  // namespace zub
