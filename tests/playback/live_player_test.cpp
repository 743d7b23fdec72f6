#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>

#include "playback/live_player.h"
#include "playback/playback_error.h"
#include "playback/soundfont.h"
#include "short_chart.h"

namespace zub::playback {
namespace {

TEST(LoopTicks, FromTheFirstBarsFirstPlayingToTheEndOfTheLast) {
    struct Row {
        std::optional<int> first, last;
        Loop_ticks expected;
    };
    constexpr std::nullopt_t none = std::nullopt;
    const Row table[] = {
        {none, none, {0, 8 * bar}},                              // the whole: count-in to the end of bar 4
        {1, none, {2 * bar, 8 * bar}},                           // from bar 1 to the end
        {2, 3, {3 * bar, 5 * bar}},                              // the chorus's first pass
        {3, 3, {4 * bar, 5 * bar}}, {2, 4, {3 * bar, 8 * bar}},  // across the repeats to the last bar
        {4, 4, {7 * bar, 8 * bar}},
    };
    for (const Row& row : table)
        EXPECT_EQ(loop_ticks(short_accompaniment(), row.first, row.last), row.expected)
            << "bars " << row.first.value_or(0) << " to " << row.last.value_or(0);
}

TEST(LoopTicks, ErrorCases) {
    struct Row {
        int first, last;
        const char* message;
    };
    const Row table[] = {
        {5, 5, "Bar 5 is not played (the chart has 4 bars)"},
        {1, 9, "Bar 9 is not played (the chart has 4 bars)"},
        {3, 2, "Bar 2 is played before bar 3"},
    };
    for (const Row& row : table) {
        try {
            loop_ticks(short_accompaniment(), row.first, row.last);
            ADD_FAILURE() << "no failure for " << row.first << " to " << row.last;
        } catch (const Playback_error& e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
}

// Through FluidSynth's file driver, which plays in real time into a file.
// One player for the suite: loading the SoundFont takes seconds.
class LivePlayer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            const std::string soundfont = find_soundfont("");
            ::setenv("ZUB_AUDIO_DRIVER", "file", 1);
            ::setenv("ZUB_AUDIO_FILE", heard().c_str(), 1);
            player_ = new Live_player(soundfont);
        } catch (const Playback_error&) {
        }
    }
    static void TearDownTestSuite() {
        delete player_;
        player_ = nullptr;
        std::filesystem::remove(heard());
    }
    void SetUp() override {
        if (!player_) FAIL() << "no SoundFont installed: install musescore-general-soundfont-small";
    }
    static std::string heard() {
        return (std::filesystem::temp_directory_path() /
                ("zub-live-player-test-" + std::to_string(::getpid()) + ".wav"))
            .string();
    }

    // Polls until done says so or about ten seconds have passed.
    template <typename Done>
    static bool within_seconds(Done done) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done())
            if (std::chrono::steady_clock::now() > until)
                return false;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        return true;
    }

    static inline Live_player* player_ = nullptr;
};

TEST_F(LivePlayer, ALoopJumpsBackAndStopsOnlyWhenStopped) {
    Live_player& player = *player_;
    player.stop();
    EXPECT_EQ(player.tick(), -1);
    // Bar 4 alone, at twice the chart's tempo: 0.4 s a pass.
    Play_options options;
    options.from_bar = 4;
    options.looping = true;
    options.loop_last_bar = 4;
    options.tempo_bpm = 600;
    options.count_in_bars = 0;
    player.play(short_accompaniment(), options);
    int highest = 0;
    bool jumped = false;
    ASSERT_TRUE(within_seconds([&] {
        const int tick = player.tick();
        if (tick < 0) return false;
        EXPECT_GE(tick, 7 * bar - 600);  // never before the loop (a block of slack)
        jumped = jumped || tick < highest;
        highest = std::max(highest, tick);
        return jumped;
    }));
    EXPECT_LT(highest, 8 * bar + 600);
    EXPECT_TRUE(player.playing());
    player.stop();
    EXPECT_FALSE(player.playing());
    EXPECT_EQ(player.tick(), -1);
}

TEST_F(LivePlayer, ResumesAtATickAndPlaysOnAtANewTempo) {
    Live_player& player = *player_;
    Play_options options;
    options.from_tick = 2 * bar + ticks_per_beat;  // bar 1, beat 2
    options.tempo_bpm = 60;
    player.play(short_accompaniment(), options);
    ASSERT_TRUE(within_seconds([&] { return player.tick() >= 0; }));
    EXPECT_GE(player.tick(), *options.from_tick);
    EXPECT_LT(player.tick(), *options.from_tick + ticks_per_beat);  // one beat a second
    // 23 beats to the end: 23 s at 60, about a second at 1200.
    player.set_tempo(1200);
    ASSERT_TRUE(within_seconds([&] { return player.tick() >= 8 * bar; }));
    player.stop();
}

}  // namespace
}  // namespace zub::playback
