#include <gtest/gtest.h>

#include <functional>

#include "bridge/key_centers.h"
#include "bridge/bridge_exception.h"
#include "plist_testing.h"
#include "testing.h"

namespace zub {
namespace {

using testing::strings;

// A bar with chords C - - - and the given key slots ("-" stands for an unassigned slot).
Plist bar_with_keys(const std::string& keys) {
    const std::vector<std::string> slots = testing::slot_words(keys);
    std::vector<std::string> chords(slots.size());
    if (!chords.empty()) chords[0] = "C";
    return testing::bar_dictionary(chords, slots);
}

Plist::Array bars(const std::vector<std::string>& keys) {
    Plist::Array result;
    for (const std::string& bar : keys) result.push_back(bar_with_keys(bar));
    return result;
}

std::string listed(const Plist& centers) {
    std::string text;
    for (const Plist& center : centers.as_array())
        text += "(" + center.string_at("Key") + "," + std::to_string(center.integer_at("Beats")) + ")";
    return text;
}

TEST(KeyCenters, RunsOfEqualKeys) {
    const struct {
        std::vector<std::string> keys;
        std::string centers;
    } cases[] = {
        {{"F F F F", "F F G G"}, "(F,6)(G,2)"},
        {{"F F - -", "G G G G"}, "(F,2)(,6)"},
        {{"- F F F"}, "(,4)"},
        {{"Eb Eb Cm Cm", "Eb Eb Eb Eb"}, "(Eb,2)(Cm,2)(Eb,4)"},
        {{"D"}, "(D,1)"},
        {{}, "(!,0)"},
    };
    for (const auto& c : cases) EXPECT_EQ(listed(keyCenters(bars(c.keys))), c.centers) << c.centers;
}

Plist centers(const std::vector<std::pair<std::string, int>>& entries) {
    Plist::Array list;
    for (const auto& [key, beats] : entries)
        list.push_back(Plist::make_dictionary({{"Key", Plist::make_string(key)}, {"Beats", Plist::make_integer(beats)}}));
    return Plist::make_array(std::move(list));
}

TEST(SetKeyCenters, WritesSlotsAcrossBarLines) {
    const struct {
        std::vector<std::string> before;
        std::vector<std::pair<std::string, int>> list;
        std::vector<std::string> after;
    } cases[] = {
        {{"- - - -", "- - - -"}, {{"F", 6}, {"G", 2}}, {"F F F F", "F F G G"}},
        {{"A A A A", "A A A A"}, {{"F", 3}}, {"F F F A", "A A A A"}},
        {{"- - -", "- - -"}, {{"F", 2}, {"G", 100}, {"D", 5}}, {"F F G", "G G G"}},
        {{"- -"}, {{"F", -3}, {"G", 1}}, {"G -"}},
        {{}, {{"F", 4}}, {}},
    };
    for (const auto& c : cases) {
        const Plist::Array result = setKeyCenters(bars(c.before), centers(c.list).as_array());
        EXPECT_EQ(Plist::make_array(result), Plist::make_array(bars(c.after))) << c.after.size();
    }
}

TEST(SetKeyCenters, RoundTripsThroughKeyCenters) {
    const Plist::Array assigned = bars({"F F F F", "F F G G", "Cm Cm Cm Cm"});
    const Plist::Array blank = bars({"- - - -", "- - - -", "- - - -"});
    EXPECT_EQ(Plist::make_array(setKeyCenters(blank, keyCenters(assigned).as_array())), Plist::make_array(assigned));
}

TEST(KeyCenters, ErrorCases) {
    const Plist no_keys = Plist::make_dictionary({{"Chords", strings({"C"})}});
    const Plist numbers = Plist::make_dictionary({{"Keys", Plist::make_array({Plist::make_integer(1)})}});
    const struct {
        std::function<void()> action;
        std::string message;
    } cases[] = {
        {[&] { keyCenters({no_keys}); }, "Missing key: Keys"},
        {[&] { keyCenters({numbers}); }, "Expected string, found integer"},
        {[&] { setKeyCenters({no_keys}, {}); }, "Missing key: Keys"},
        {[&] { setKeyCenters(bars({"- -"}), {Plist::make_string("F")}); }, "Expected dictionary, found string"},
    };
    for (const auto& c : cases) EXPECT_EQ(testing::message_of<Bridge_exception>(c.action), c.message);
}

}  // namespace
}  // namespace zub
