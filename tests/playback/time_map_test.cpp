#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "playback/playback_error.h"
#include "playback/time_map.h"

namespace zub::playback {
namespace {

struct Expected {
    double beat;
    Played_position at;
};

// Bars 1-2, the chorus 3-4 twice, then bar 5: played 1 2 3 4 3 4 5 after the count-in.
TEST(TimeMap, FollowsTheUnrolledChorus) {
    const Time_map map(5, 3, 4, 2, 4);
    EXPECT_EQ(map.played_bars(), 7);
    EXPECT_EQ(map.total_beats(), 36);
    const std::vector<Expected> table = {
        {-3.0, {true, 1, 0, 0, 2, -1}},  {0.0, {true, 1, 0, 0, 2, -1}},   {6.5, {true, 2, 2, 0, 2, -1}},
        {8.0, {false, 1, 0, 0, 2, 0}},   {13.99, {false, 2, 1, 0, 2, 1}}, {16.0, {false, 3, 0, 1, 2, 2}},
        {23.0, {false, 4, 3, 1, 2, 3}},  {24.0, {false, 3, 0, 2, 2, 4}},  {29.5, {false, 4, 1, 2, 2, 5}},
        {32.0, {false, 5, 0, 0, 2, 6}},  {35.9, {false, 5, 3, 0, 2, 6}},  {500.0, {false, 5, 3, 0, 2, 6}},
    };
    for (const auto& [beat, at] : table) EXPECT_EQ(map.at_beat(beat), at) << "beat " << beat;
    EXPECT_EQ(map.at_tick(24 * ticks_per_beat + 479), (Played_position{false, 3, 0, 2, 2, 4}));
}

TEST(TimeMap, FirstBeatOfABar) {
    const Time_map map(5, 3, 4, 2, 4);
    const std::vector<std::pair<int, std::optional<int>>> table = {
        {1, 8}, {2, 12}, {3, 16}, {4, 20}, {5, 32}, {0, std::nullopt}, {6, std::nullopt}};
    for (const auto& [bar, beat] : table) EXPECT_EQ(map.first_beat_of(bar), beat) << "bar " << bar;
    // A chorus played no time leaves its bars out, as the generator does.
    const Time_map dropped(5, 3, 4, 0, 4);
    EXPECT_EQ(dropped.played_bars(), 3);
    EXPECT_EQ(dropped.first_beat_of(3), std::nullopt);
    EXPECT_EQ(dropped.first_beat_of(5), 16);
    EXPECT_EQ(dropped.at_beat(16), (Played_position{false, 5, 0, 0, 0, 2}));
}

Plist chart_of(int bars, std::int64_t begin, std::int64_t end, std::int64_t repeats, std::int64_t meter = 4) {
    const Plist bar = Plist::make_dictionary({{"Chords", Plist::make_array({Plist::make_string("C")})}});
    return Plist::make_dictionary(
        {{"Chords", Plist::make_array(Plist::Array(bars, bar))},
         {"Style", Plist::make_dictionary({{"Meter", Plist::make_integer(meter)}})},
         {"Chorus", Plist::make_dictionary({{"Begin", Plist::make_integer(begin)},
                                            {"End", Plist::make_integer(end)},
                                            {"Repeats", Plist::make_integer(repeats)}})}});
}

TEST(TimeMap, OfChart) {
    // An end of 2147483647 runs the chorus to the last bar.
    EXPECT_EQ(Time_map::of_chart(chart_of(12, 1, 2147483647, 3)).played_bars(), 36);
    EXPECT_EQ(Time_map::of_chart(chart_of(6, 2, 3, 3)).played_bars(), 10);
    // A jazz waltz counts in and plays bars of three beats.
    const Time_map waltz = Time_map::of_chart(chart_of(4, 1, 4, 2, 3));
    EXPECT_EQ(waltz.total_beats(), 30);
    EXPECT_EQ(waltz.at_beat(5.0), (Played_position{true, 2, 2, 0, 2, -1}));
    EXPECT_EQ(waltz.at_beat(19.5), (Played_position{false, 1, 1, 2, 2, 4}));
    EXPECT_EQ(waltz.first_beat_of(3), 12);
}

TEST(TimeMap, ErrorCases) {
    const std::vector<std::tuple<int, std::int64_t, std::int64_t, std::string>> table = {
        {5, 3, 9, "Invalid chorus: bars 3 to 9 of 5"},
        {5, 0, 2, "Invalid chorus: bars 0 to 2 of 5"},
        {5, 4, 3, "Invalid chorus: bars 4 to 3 of 5"},
        {0, 1, 2147483647, "Invalid chorus: bars 1 to 0 of 0"},
        {5, 1, 1LL << 40, "Invalid chorus: bars 1 to 1073741824 of 5"},
        {5, 1, 5, "Invalid meter: 0"},
    };
    for (const auto& [bars, begin, end, message] : table) {
        try {
            Time_map::of_chart(chart_of(bars, begin, end, 1, message.ends_with("meter: 0") ? 0 : 4));
            ADD_FAILURE() << message;
        } catch (const Playback_error& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

// The obvious way: write out the played bars, then read the position off the list.
std::vector<std::pair<int, int>> unrolled(int bars, int begin, int end, int repeats) {
    std::vector<std::pair<int, int>> played;  // (chart bar, pass)
    for (int bar = 1; bar < begin; ++bar) played.push_back({bar, 0});
    for (int pass = 1; pass <= repeats; ++pass)
        for (int bar = begin; bar <= end; ++bar) played.push_back({bar, pass});
    for (int bar = end + 1; bar <= bars; ++bar) played.push_back({bar, 0});
    return played;
}

TEST(TimeMap, AgreesWithTheWrittenOutBars) {
    std::mt19937 random(2026);
    for (int trial = 0; trial < 300; ++trial) {
        const int bars = 1 + static_cast<int>(random() % 20);
        const int begin = 1 + static_cast<int>(random() % bars);
        const int end = begin + static_cast<int>(random() % (bars - begin + 1));
        const int repeats = static_cast<int>(random() % 4);
        const int beats_per_bar = 3 + static_cast<int>(random() % 2);
        const Time_map map(bars, begin, end, repeats, beats_per_bar);
        const auto played = unrolled(bars, begin, end, repeats);
        ASSERT_EQ(map.played_bars(), static_cast<int>(played.size()));
        for (int index = 0; index < static_cast<int>(played.size()); ++index) {
            const Played_position at = map.at_beat((count_in_bars + index) * beats_per_bar + 2.5);
            EXPECT_EQ(at, (Played_position{false, played[index].first, 2, played[index].second, repeats, index}))
                << bars << " bars, chorus " << begin << "-" << end << " x" << repeats << ", played bar " << index;
            if (at.pass <= 1) {
                EXPECT_EQ(map.first_beat_of(at.bar), (count_in_bars + index) * beats_per_bar);
            }
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
