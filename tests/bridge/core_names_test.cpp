#include "bridge/core_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "bridge/bridge_exception.h"
#include "bridge/entry_points.h"
#include "bridge/my_constants.h"
#include "plist_testing.h"

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
    const std::pair<const char*, const char*> printed[] = {{"C7#5", "C7+"}, {"Bb7", "Bb7"}, {"Cdim", "Cdim7"}};
    for (const auto& [symbol, name] : printed) EXPECT_EQ(chordPrintName(symbol), name) << symbol;
    EXPECT_EQ(testing::named_reason_of([] { chordPrintName("Cmaj7"); }), "chordPrintName / Unknown chord type: maj7");
    EXPECT_EQ(testing::named_reason_of([] { chordPrintName("H7"); }), "chordPrintName / Invalid chord: H7");
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
    EXPECT_EQ(testing::named_reason_of([] { Entry_points::kelwriter_write_chart(chart_starting_with("C 7")); }),
              "kelwriter_write_chart / Cannot write chord \"C 7\" in a text chart");
}

}  // namespace
}  // namespace zub
