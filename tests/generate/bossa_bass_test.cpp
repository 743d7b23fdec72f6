#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "core/generate/bossa_bass.h"
#include "core/generate/random.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::chords;
using testing::q;

TEST(BossaBass, FifthOfEachChord) {
    for (const auto& [symbol, fifth] : std::vector<std::pair<const char*, const char*>>{{"C7", "G"},
                                                                                        {"Cm7b5", "Gb"},
                                                                                        {"C7#5", "G#"},
                                                                                        {"F#m7", "C#"},
                                                                                        {"C/E", "G"},
                                                                                        {"Bb7sus", "F"},
                                                                                        {"B#", "F##"}})
        EXPECT_EQ(Bossa_bass::fifth_of(Chord::of_string(symbol)).to_string(), fifth) << symbol;
}

TEST(BossaBass, RootAndFifthWithPickups) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        Random::init(seed);
        const auto events = Bossa_bass::gen(chords({{0, 4, "C"}, {4, 4, "F"}})).events();
        ASSERT_EQ(events.size(), 5u);
        const char* times[] = {"0", "3/2", "2", "7/2", "4"};
        const char* lengths[] = {"3/2", "1/2", "3/2", "1/2", "4"};
        for (std::size_t k = 0; k < 5; ++k) {
            EXPECT_EQ(events[k].time, q(times[k]));
            EXPECT_EQ(events[k].duration, q(lengths[k]));
            EXPECT_GE(events[k].payload.first.to_notenum(), 28);
            EXPECT_LE(events[k].payload.first.to_notenum(), 53);
        }
        EXPECT_EQ(events[0].payload.first.note().to_string(), "C");
        // The pickup into beat 3 anticipates the fifth.
        EXPECT_EQ(events[1].payload.first, events[2].payload.first);
        EXPECT_EQ(events[2].payload.first.note().to_string(), "G");
        EXPECT_EQ(events[4].payload.first.note().to_string(), "F");
        EXPECT_EQ(events[0].payload.second, 100);
        EXPECT_EQ(events[1].payload.second, 80);
    }
}

TEST(BossaBass, ChangeOnBeatThreeIsApproached) {
    for (unsigned seed = 1; seed <= 30; ++seed) {
        Random::init(seed);
        const auto events = Bossa_bass::gen(chords({{0, 2, "C/E"}, {2, 2, "F"}, {4, 4, "C"}})).events();
        ASSERT_EQ(events.size(), 5u);
        EXPECT_EQ(events[0].payload.first.note().to_string(), "E");
        EXPECT_EQ(events[2].payload.first.note().to_string(), "F");
        // A semitone or a scale step from the F, never the F itself unless nothing else is in range.
        const int step = std::abs(events[1].payload.first.to_notenum() - events[2].payload.first.to_notenum());
        EXPECT_TRUE(step == 1 || step == 2) << step;
    }
}

TEST(BossaBass, OneBeatChordsAndGapsHaveNoPickup) {
    Random::init(4);
    const auto events = Bossa_bass::gen(chords({{0, 1, "C"}, {1, 1, "D7"}, {2, 1, "G7"}, {4, 4, "C"}})).events();
    ASSERT_EQ(events.size(), 4u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(events[k].time, static_cast<long>(k));
        EXPECT_EQ(events[k].duration, 1);
    }
    EXPECT_EQ(events[3].time, 4);
}

}  // namespace
}  // namespace zub
