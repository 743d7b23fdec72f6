#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/generate/perform.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::message_of;
using testing::not_found;
using testing::q;

Midinote midi(const char* text) { return Midinote::of_string(text); }

Midi_seq notes(const std::vector<std::tuple<const char*, const char*, const char*, int>>& listed) {
    Midi_seq seq = Midi_seq::create();
    for (const auto& [time, duration, note, velocity] : listed)
        seq = seq.add(q(time), q(duration), {midi(note), velocity});
    return seq;
}

// "note@time+duration:velocity" for every event, in time order.
std::string listed(const Midi_seq& seq) {
    std::string text;
    for (const auto& e : seq.events())
        text += (text.empty() ? "" : " ") + e.payload.first.to_string() + "@" + e.time.get_str() + "+" +
                e.duration.get_str() + ":" + std::to_string(e.payload.second);
    return text;
}

TEST(Perform, GrooveScalesByPositionInTheBar) {
    const Perform::Groove_table groove = {{q("0"), 1.0}, {q("1/2"), 0.7}, {q("2"), 0.9}};
    const Midi_seq seq = notes({{"0", "1", "C4", 127}, {"1/4", "1", "C4", 100}, {"1/2", "1", "C4", 100},
                                {"9/2", "1", "C4", 64}, {"6", "1", "C4", 50}});
    EXPECT_EQ(listed(Perform::groove_velocity_scaling(groove, 4, seq)),
              "C4@0+1:127 C4@1/4+1:100 C4@1/2+1:70 C4@9/2+1:44 C4@6+1:45");
    // Shaped by where a note was written, before the swing moves it.
    EXPECT_EQ(listed(Perform::groove_and_swing(groove, 4, 2.3, seq)),
              listed(Perform::swing(2.3, Perform::groove_velocity_scaling(groove, 4, seq))));
    EXPECT_EQ(listed(Perform::groove_and_swing(groove, 4, std::nullopt, seq)),
              listed(Perform::groove_velocity_scaling(groove, 4, seq)));
}

TEST(Perform, GrooveLookupAgreesWithTheExactLookup) {
    // Off-grid and out-of-period positions, a repeated position (the first
    // wins) and periods too long, fractional or zero to be tabled.
    const Perform::Groove_table groove = {{q("0"), 1.0},   {q("1/2"), 0.7}, {q("1/2"), 0.1},  {q("1/7"), 0.5},
                                          {q("1/960"), 0.3}, {q("-1"), 0.2}, {q("4"), 0.4},    {q("7/2"), 0.8}};
    const char* times[] = {"0",     "1/2", "9/2", "-1/2", "1/7",  "29/7", "1/960", "3",
                           "-29/2", "7/2", "4",   "1/3",  "1025/2", "1099511627776", "1/1099511627776"};
    for (const char* period : {"4", "3", "1", "3/2", "100", "0"})
        for (const char* time : times) {
            const Perform::Groove_lookup lookup(groove, q(period));
            if (q(period) == 0) {
                EXPECT_EQ(message_of<Invalid_argument>([&] { lookup.factor(q(time)); }), "Division_by_zero");
                continue;
            }
            EXPECT_EQ(lookup.factor(q(time)), Perform::groove_factor(groove, q(period), q(time)))
                << time << " in " << period;
        }
}

TEST(Perform, VelocityByDurationTakesTheFirstThresholdReached) {
    const Perform::Duration_velocity_table table = {{q("1/4"), 60}, {q("1"), 80}, {q("100"), 100}};
    const Midi_seq seq = notes({{"0", "1/8", "C4", 1}, {"1", "1/4", "C4", 1}, {"2", "1/2", "C4", 1},
                                {"3", "1", "C4", 1}, {"4", "4", "C4", 1}});
    EXPECT_EQ(listed(Perform::duration_velocity_map(table, seq)),
              "C4@0+1/8:60 C4@1+1/4:60 C4@2+1/2:80 C4@3+1:80 C4@4+4:100");
}

TEST(Perform, FloatApproximationTruncatesTowardsZero) {
    struct Case {
        double f;
        long n;
        const char* exact;
    };
    for (const Case& c : {Case{0.5, 480, "1/2"}, Case{2.3 / 3.3, 480, "167/240"}, Case{-0.7, 10, "-7/10"},
                          Case{-0.75, 2, "-1/2"}, Case{0.999, 480, "479/480"}, Case{3.0, 1, "3"}})
        EXPECT_EQ(Perform::num_of_float_approx(c.f, c.n), q(c.exact)) << c.f;
}

TEST(Perform, SwingDelaysOffBeatsByWholeTicks) {
    const Midi_seq seq = notes({{"5/2", "1/2", "C4", 90}, {"3", "1/2", "D4", 90}, {"1/4", "1/2", "E4", 90},
                                {"4/3", "2/3", "F4", 90}});
    EXPECT_EQ(listed(Perform::swing(2.3, seq)),
              "E4@107/240+73/240:90 F4@367/240+113/240:90 C4@647/240+73/240:90 D4@3+1/2:90");
    // 1294/480 = 647/240, 146/480 = 73/240; ratio 1 leaves everything in place.
    EXPECT_EQ(listed(Perform::swing(1.0, seq)), "E4@1/4+1/2:90 F4@4/3+2/3:90 C4@5/2+1/2:90 D4@3+1/2:90");
}

TEST(Perform, ErrorCases) {
    const Midi_seq seq = notes({{"0", "5", "C4", 1}});
    EXPECT_TRUE(not_found([&] { Perform::duration_velocity_map({{q("1"), 80}}, seq); }));
    EXPECT_TRUE(not_found([&] { Perform::duration_velocity_map({}, seq); }));
    EXPECT_EQ(message_of<Invalid_argument>([&] { Perform::groove_velocity_scaling({}, 0, seq); }), "Division_by_zero");
    EXPECT_EQ(message_of<Invalid_argument>([] { Perform::num_of_float_approx(0.5, 0); }), "Division_by_zero");
    EXPECT_EQ(message_of<Invalid_argument>([] { Perform::num_of_float_approx(1e308, 480); }),
              "Not a finite number: inf");
    EXPECT_EQ(message_of<Invalid_argument>([] { Perform::swing(2.3, notes({{"1/2", "1/8", "C4", 1}})); }),
              "Negative swung duration: 1/2");
}

}  // namespace
}  // namespace zub
