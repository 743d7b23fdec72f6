#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "playback/time_map.h"

namespace zub::playback {
namespace {

struct Expected {
    double beat;
    Played_position at;
};

// A chart of `bars` bars of C in the meter, its chorus as given (any integers, as a document may hold them).
Plist chart_of(int bars, std::int64_t begin, std::int64_t end, std::int64_t repeats, const char* meter = "4/4") {
    std::string text = "Name: Map\nMeter: " + std::string(meter) + "\nKey: C\nTempo: 120\n";
    for (int bar = 0; bar < bars; ++bar) text += "| C ";
    const Plist chart = chartFromDocumentBytes(text + "|\n", MyConstants::shared().newDocumentChartTemplate().at("Font"));
    return chart.with("Chorus", Plist::make_dictionary({{"Begin", Plist::make_integer(begin)},
                                                        {"End", Plist::make_integer(end)},
                                                        {"Repeats", Plist::make_integer(repeats)}}));
}

// Bars 1-2, the chorus 3-4 twice, then bar 5: played 1 2 3 4 3 4 5 after the count-in.
TEST(TimeMap, FollowsTheUnrolledChorus) {
    const Time_map map = Time_map::of_chart(chart_of(5, 3, 4, 2));
    EXPECT_EQ(map.played_bars(), 7);
    EXPECT_EQ(map.total_beats(), 36);
    EXPECT_EQ(map.ticks_per_beat(), 480);
    EXPECT_EQ(map.count_in_ticks(), 8 * 480);
    const std::vector<Expected> table = {
        {-3.0, {true, 1, 0, 0, 2, -1}},  {0.0, {true, 1, 0, 0, 2, -1}},   {6.5, {true, 2, 2, 0, 2, -1}},
        {8.0, {false, 1, 0, 0, 2, 0}},   {13.99, {false, 2, 1, 0, 2, 1}}, {16.0, {false, 3, 0, 1, 2, 2}},
        {23.0, {false, 4, 3, 1, 2, 3}},  {24.0, {false, 3, 0, 2, 2, 4}},  {29.5, {false, 4, 1, 2, 2, 5}},
        {32.0, {false, 5, 0, 0, 2, 6}},  {35.9, {false, 5, 3, 0, 2, 6}},  {500.0, {false, 5, 3, 0, 2, 6}},
    };
    for (const auto& [beat, at] : table) EXPECT_EQ(map.at_beat(beat), at) << "beat " << beat;
    EXPECT_EQ(map.at_tick(24 * 480 + 479), (Played_position{false, 3, 0, 2, 2, 4}));
    const std::vector<std::pair<int, std::optional<int>>> first_beats = {
        {1, 8}, {2, 12}, {3, 16}, {4, 20}, {5, 32}, {0, std::nullopt}, {6, std::nullopt}};
    for (const auto& [bar, beat] : first_beats) EXPECT_EQ(map.first_beat_of(bar), beat) << "bar " << bar;
}

TEST(TimeMap, OfChart) {
    // An end of 2147483647 runs the chorus to the last bar.
    EXPECT_EQ(Time_map::of_chart(chart_of(12, 1, 2147483647, 3)).played_bars(), 36);
    EXPECT_EQ(Time_map::of_chart(chart_of(6, 2, 3, 3)).played_bars(), 10);
    // A jazz waltz counts in and plays bars of three beats.
    const Time_map waltz = Time_map::of_chart(chart_of(4, 1, 4, 2, "3/4"));
    EXPECT_EQ(waltz.total_beats(), 30);
    EXPECT_EQ(waltz.count_in_ticks(), 6 * 480);
    EXPECT_EQ(waltz.at_beat(5.0), (Played_position{true, 2, 2, 0, 2, -1}));
    EXPECT_EQ(waltz.at_beat(19.5), (Played_position{false, 1, 1, 2, 2, 4}));
    EXPECT_EQ(waltz.first_beat_of(3), 12);
}

// A chart the generator refuses has no map: its reasons, unchanged.
TEST(TimeMap, ErrorCases) {
    const std::vector<std::tuple<int, std::int64_t, std::int64_t, std::int64_t, std::string>> table = {
        {5, 3, 9, 1, "Chorus bars 3-9 outside the chart's 5 bars"},
        {5, 0, 2, 1, "Chorus bars 0-2 outside the chart's 5 bars"},
        {5, 4, 3, 1, "Chorus bars 4-3 outside the chart's 5 bars"},
        {5, 3, 4, 0, "Chorus repeat count must be at least 1: 0"},
    };
    for (const auto& [bars, begin, end, repeats, message] : table) {
        try {
            Time_map::of_chart(chart_of(bars, begin, end, repeats));
            ADD_FAILURE() << message;
        } catch (const Bridge_exception& e) {
            EXPECT_EQ(e.reason(), message);
        }
    }
}

}  // namespace
}  // namespace zub::playback

namespace zub::playback {
namespace {

// Bars 1 2 3 with a segno on 2 and a D.S. after 3, played twice: the playhead
// lights the written bar of every played bar, with its chorus pass.
TEST(TimeMap, FollowsTheWrittenForm) {
    Plist chart = chart_of(3, 1, 2147483647, 2);
    Plist::Array bars = chart.array_at("Chords");
    bars[1] = bars[1].with("Segno", Plist::make_boolean(true));
    bars[2] = bars[2].with("Direction", Plist::make_string("D.S."));
    const Time_map map = Time_map::of_chart(chart.with("Chords", Plist::make_array(std::move(bars))));
    EXPECT_EQ(map.played_bars(), 10);  // 1 2 3 2 3, twice
    std::vector<int> lit;
    for (int played = 0; played < map.played_bars(); ++played) lit.push_back(map.chart_bar_of(played));
    EXPECT_EQ(lit, (std::vector<int>{1, 2, 3, 2, 3, 1, 2, 3, 2, 3}));
    EXPECT_EQ(map.at_beat(8 + 4 * 6), (Played_position{false, 2, 0, 2, 2, 6}));
    EXPECT_EQ(map.first_beat_of(3), 16);
}

}  // namespace
}  // namespace zub::playback
