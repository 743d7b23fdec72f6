#include "bridge/core_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "bridge/bridge_exception.h"
#include "bridge/entry_points.h"
#include "bridge/my_constants.h"

namespace zub {
namespace {

TEST(CoreNames, AnalysisKeysInTheAnalysisOrder) {
    const std::vector<std::string> keys = analysisKeyNames();
    ASSERT_EQ(keys.size(), 24u);
    EXPECT_EQ(keys.front(), "Gb");
    EXPECT_EQ(keys[6], "C");
    EXPECT_EQ(keys[11], "B");
    EXPECT_EQ(keys[12], "Ebm");
    EXPECT_EQ(keys.back(), "G#m");
    EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), 24u);
}

TEST(CoreNames, ChordTypeNamesHoldTheMajorTriad) {
    const std::vector<std::string> names = chordTypeNames();
    EXPECT_EQ(names.size(), 68u);
    EXPECT_NE(std::find(names.begin(), names.end(), ""), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "m7b5"), names.end());
}

// The core's message comes through unchanged, under the bridge's own name.
TEST(CoreNames, ChordPrintNameAndItsFailures) {
    const struct {
        const char* symbol;
        const char* printed;  // or the reason of the failure
        bool fails;
    } cases[] = {
        {"C7#5", "C7+", false},
        {"Bb7", "Bb7", false},
        {"Cdim", "Cdim7", false},
        {"Cmaj7", "Unknown chord type: maj7", true},
        {"H7", "Invalid chord: H7", true},
    };
    for (const auto& c : cases) {
        try {
            EXPECT_EQ(chordPrintName(c.symbol), c.printed) << c.symbol;
            EXPECT_FALSE(c.fails) << c.symbol;
        } catch (const Bridge_exception& e) {
            EXPECT_TRUE(c.fails) << c.symbol;
            EXPECT_EQ(e.name(), "chordPrintName");
            EXPECT_EQ(e.reason(), c.printed);
        }
    }
}

// A blank chart with its first slot set to chord.
Plist chart_starting_with(const std::string& chord) {
    const Plist& blank = MyConstants::shared().newDocumentChartTemplate();
    Plist::Array bars = blank.array_at("Chords");
    Plist::Array slots = bars.front().array_at("Chords");
    slots.front() = Plist::make_string(chord);
    bars.front() = bars.front().with("Chords", Plist::make_array(std::move(slots)));
    return blank.with("Chords", Plist::make_array(std::move(bars)));
}

TEST(CoreNames, TextChartWriterFailuresKeepTheCoreMessage) {
    EXPECT_NE(Entry_points::kelwriter_write_chart(chart_starting_with("C7")).find("| C7 |"), std::string::npos);
    try {
        Entry_points::kelwriter_write_chart(chart_starting_with("C 7"));
        ADD_FAILURE() << "no failure";
    } catch (const Bridge_exception& e) {
        EXPECT_EQ(e.name(), "kelwriter_write_chart");
        EXPECT_EQ(e.reason(), "Cannot write chord \"C 7\" in a text chart");
    }
}

}  // namespace
}  // namespace zub
