#include <gtest/gtest.h>

#include <cmath>

#include "playback/playback_error.h"
#include "playback/render.h"
#include "playback/schedule.h"
#include "short_chart.h"

namespace zub::playback {
namespace {

constexpr int count_in = 2 * bar, end = 8 * bar;

Play_options trainer(std::optional<int> first, std::optional<int> last, int passes, double tempo, double step,
                     int count_in_bars, bool each = false) {
    Play_options options;
    options.from_bar = first;
    options.loop_last_bar = last;
    options.passes = passes;
    options.tempo_bpm = tempo;
    options.tempo_step_bpm = step;
    options.count_in_bars = count_in_bars;
    options.count_in_each_pass = each;
    return options;
}

Play_options plain(std::optional<int> from_bar, int count_in_bars, bool looping = false,
                   std::optional<int> last = std::nullopt, bool each = false) {
    Play_options options;
    options.from_bar = from_bar;
    options.count_in_bars = count_in_bars;
    options.looping = looping;
    options.loop_last_bar = last;
    options.count_in_each_pass = each;
    return options;
}

TEST(Schedule, LegsOfEachWayToPlay) {
    struct Row {
        const char* what;
        Play_options options;
        Schedule expected;
    };
    Play_options resumed;
    resumed.from_tick = count_in + 480;
    Play_options resumed_pass = trainer(2, 3, 3, 120, 30, 2);
    resumed_pass.from_tick = 4 * bar;
    resumed_pass.from_pass = 2;
    const Row table[] = {
        {"the whole, two bars' count-in", plain({}, 2), {{{0, count_in, 0, 0, true}, {count_in, end, 0, 0}}, {}}},
        {"one bar: the second, a click a beat", plain({}, 1), {{{bar, count_in, 0, 0, true}, {count_in, end, 0, 0}}, {}}},
        {"no count-in", plain({}, 0), {{{count_in, end, 0, 0}}, {}}},
        {"from bar 4 after a bar's count-in", plain(4, 1), {{{bar, count_in, 0, 0, true}, {7 * bar, end, 0, 0}}, {}}},
        {"a pause resumed: no count-in", resumed, {{{count_in + 480, end, 0, 0}}, {}}},
        {"a loop counts in once", plain(2, 2, true, 3), {{{0, count_in, 0, 0, true}, {3 * bar, 5 * bar, 0, 0}}, 1}},
        {"a loop counting in each pass", plain(2, 1, true, 3, true),
         {{{bar, count_in, 0, 0, true}, {3 * bar, 5 * bar, 0, 0}}, 0}},
        {"the trainer: three passes a step faster, counting in each",
         trainer(2, 3, 3, 120, 30, 1, true),
         {{{bar, count_in, 120, 1, true}, {3 * bar, 5 * bar, 120, 1},
           {bar, count_in, 150, 2, true}, {3 * bar, 5 * bar, 150, 2},
           {bar, count_in, 180, 3, true}, {3 * bar, 5 * bar, 180, 3}}, {}}},
        {"the trainer on the whole chart, tempo kept under 400",
         trainer({}, {}, 2, 100, 500, 2),
         {{{0, count_in, 100, 1, true}, {count_in, end, 100, 1}, {count_in, end, 400, 2}}, {}}},
        {"the trainer resumed in its second pass", resumed_pass,
         {{{4 * bar, 5 * bar, 150, 2}, {3 * bar, 5 * bar, 180, 3}}, {}}},
    };
    for (const Row& row : table) EXPECT_EQ(schedule_of(short_accompaniment(), row.options), row.expected) << row.what;
}

TEST(Schedule, ErrorCases) {
    struct Row {
        Play_options options;
        const char* message;
    };
    Play_options render_loop = plain(2, 2, true, 3);
    const Row table[] = {
        {plain({}, 3), "The count-in is 0, 1 or 2 bars: 3"},
        {trainer(5, 5, 2, 120, 10, 2), "Bar 5 is not played (the chart has 4 bars)"},
        {trainer(3, 2, 2, 120, 10, 2), "Bar 2 is played before bar 3"},
    };
    for (const Row& row : table) {
        try {
            schedule_of(short_accompaniment(), row.options);
            ADD_FAILURE() << "no failure for " << row.message;
        } catch (const Playback_error& e) {
            EXPECT_STREQ(e.what(), row.message);
        }
    }
    try {
        rendered_frames(short_accompaniment(), render_loop);
        ADD_FAILURE() << "an endless loop was given a length";
    } catch (const Playback_error& e) {
        EXPECT_STREQ(e.what(), "A loop without an end cannot be rendered (give the passes)");
    }
}

// Durations worked out by hand, in beats and seconds: what a render lasts.
TEST(Schedule, RenderedLengthsByHand) {
    struct Row {
        const char* what;
        Play_options options;
        double seconds;  // before the two seconds' tail
    };
    const Row table[] = {
        {"the whole at 300: 8 beats' count-in and 24 beats", plain({}, 2), 32 * 60.0 / 300},
        {"bars 2-3, four passes 120 to 180, two bars' count-in at 120",
         trainer(2, 3, 4, 120, 20, 2), 8 * 60.0 / 120 + 8 * 60.0 / 120 + 8 * 60.0 / 140 + 8 * 60.0 / 160 + 8 * 60.0 / 180},
        {"bar 4, three passes 200 to 240, a bar's count-in before each",
         trainer(4, 4, 3, 200, 20, 1, true), 8 * 60.0 / 200 + 8 * 60.0 / 220 + 8 * 60.0 / 240},
        {"the whole chart twice from the chart's 300, no count-in", trainer({}, {}, 2, 0, 60, 0),
         24 * 60.0 / 300 + 24 * 60.0 / 360},
    };
    for (const Row& row : table)
        EXPECT_EQ(rendered_frames(short_accompaniment(), row.options), std::lround((row.seconds + 2.0) * 44100))
            << row.what;
}

}  // namespace
}  // namespace zub::playback
