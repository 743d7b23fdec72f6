#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "editor/transport/playhead.h"

namespace zub {
namespace {

constexpr long beat = 480;  // the MIDI file's ticks

// The map of a chart of C bars as written in a text chart's header lines.
playback::Time_map map_of(const char* header, int bars) {
    std::string text = std::string("Name: Map\nKey: C\nTempo: 120\n") + header;
    for (int bar = 0; bar < bars; ++bar) text += "| C ";
    return playback::Time_map::of_chart(
        chartFromDocumentBytes(text + "|\n", MyConstants::shared().newDocumentChartTemplate().at("Font")));
}

// Bars 1-2, the chorus 3-4 three times, then bar 5; bar 4 has two slots, bar 5 none any more.
TEST(Playhead, FollowsTheUnrolledChorusBackToTheChart) {
    const playback::Time_map map = map_of("Meter: 4/4\nChorus: bars 3 to 4 (repeat 3 times)\n", 5);
    const std::vector<std::size_t> slot_counts = {4, 4, 4, 2, 0};
    const SlotCount count = [&](std::size_t bar) {
        return bar < slot_counts.size() ? slot_counts[bar] : std::size_t{0};
    };
    struct Row {
        long tick;
        Playhead expected;
    };
    const std::vector<Row> table = {
        {-1, {}},
        {0, {std::nullopt, "Count-in 1:1", ""}},
        {7 * beat + 479, {std::nullopt, "Count-in 2:4", ""}},
        {8 * beat, {SlotRef{0, 0}, "1:1", ""}},
        {13 * beat + 10, {SlotRef{1, 1}, "2:2", ""}},
        {16 * beat, {SlotRef{2, 0}, "3:1", "1/3"}},
        // bar 3 on the chorus's second pass lights bar 3
        {26 * beat, {SlotRef{2, 2}, "3:3", "2/3"}},
        // two slots in four beats: beats 1-2 the first, 3-4 the second
        {29 * beat, {SlotRef{3, 0}, "4:2", "2/3"}},
        {30 * beat, {SlotRef{3, 1}, "4:3", "2/3"}},
        {39 * beat, {SlotRef{3, 1}, "4:4", "3/3"}},
        // a bar the chart has lost while playing: its text, no light
        {40 * beat, {std::nullopt, "5:1", ""}},
        {10000 * beat, {std::nullopt, "5:4", ""}},
    };
    for (const Row& row : table) EXPECT_EQ(playheadAt(map, row.tick, count), row.expected) << "tick " << row.tick;
}

TEST(Playhead, AWaltzCountsThreeBeatsAndAChorusOnceShowsNoPass) {
    const playback::Time_map map = map_of("Meter: 3/4\nChorus: bars 1 to 2 (repeat 1 times)\n", 2);
    const SlotCount three = [](std::size_t) { return std::size_t{3}; };
    EXPECT_EQ(playheadAt(map, 5 * beat, three), (Playhead{std::nullopt, "Count-in 2:3", ""}));
    EXPECT_EQ(playheadAt(map, 6 * beat, three), (Playhead{SlotRef{0, 0}, "1:1", ""}));
    EXPECT_EQ(playheadAt(map, 11 * beat, three), (Playhead{SlotRef{1, 2}, "2:3", ""}));
}

TEST(Playhead, AreaOfASlotOutsideTheLayoutIsEmpty) {
    ChartLayout layout;
    layout.bars.push_back({{10, 20, 100, 40}, true, true, 0, 0, {}});
    EXPECT_EQ(playheadArea(layout, {0, 3}), (LayoutRect{10, 20, 100, 40}));
    EXPECT_EQ(playheadArea(layout, {1, 0}), LayoutRect{});
}

}  // namespace
}  // namespace zub
