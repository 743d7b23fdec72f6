#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/generate/piano.h"
#include "core/generate/random.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::chords;
using testing::message_of;

std::string spelled(const Piano::Voicing& voicing) {
    std::string text;
    for (const auto& m : voicing) text += (text.empty() ? "" : " ") + m.to_string();
    return text;
}

TEST(Piano, VoicingShapes) {
    struct Case {
        const char* chord;
        const char* shape1;
        const char* shape2;
    };
    const Case cases[] = {
        {"C7", "C3 Bb3 E4 G4", "C3 E3 Bb3 G4"},
        {"Dm7", "D3 C4 F4 A4", "D3 F3 C4 A4"},
        {"Eb", "Eb3 G4 Bb4", "Eb3 G3 Bb3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spelled(Piano::chord_var1(Chord::of_string(c.chord))), c.shape1) << c.chord;
        EXPECT_EQ(spelled(Piano::chord_var2(Chord::of_string(c.chord))), c.shape2) << c.chord;
    }
}

TEST(Piano, NoteAboveIsStrictlyAbove) {
    EXPECT_EQ(Piano::midinote_above(Midinote::of_string("B2"), Note::of_string("C")).to_string(), "C3");
    EXPECT_EQ(Piano::midinote_above(Midinote::of_string("C3"), Note::of_string("C")).to_string(), "C4");
    EXPECT_EQ(Piano::midinote_above(Midinote::of_string("A3"), Note::of_string("Gb")).to_string(), "Gb4");
}

TEST(Piano, SingleChordHeldForTheBar) {
    Random::init(4);
    const auto events = Piano::gen(chords({{0, 4, "C7"}}), {}).events();
    ASSERT_EQ(events.size(), 4u);
    for (const auto& e : events) {
        EXPECT_EQ(e.time, 0);
        EXPECT_EQ(e.duration, 4);
        EXPECT_EQ(e.payload.second, 70);
    }
}

TEST(Piano, ShapeFollowsThePreviousTop) {
    const Piano::Voicing previous = Piano::chord_var1(Chord::of_string("C7"));  // top G4
    const auto chosen = Piano::choose_chord(Chord::of_string("F7"), previous);
    // F7: shape 1 tops at C5, shape 2 at C5 as well; the tie keeps shape 2.
    EXPECT_EQ(spelled(chosen), spelled(Piano::chord_var2(Chord::of_string("F7"))));
}

TEST(Piano, PickupsOnlyWhereAllowed) {
    int pickups = 0;
    for (unsigned seed = 1; seed <= 200; ++seed) {
        Random::init(seed);
        const auto events = Piano::gen(chords({{0, 4, "G7"}, {4, 4, "C"}, {8, 4, "F"}}), {{3, 'B'}}).events();
        for (const auto& e : events) {
            EXPECT_GE(e.time, 0);  // the first chord never anticipates
            if (e.time < 4 && e.time > mpq_class(7, 2)) ++pickups;  // into the C bar, swung
            // The marked F bar never starts early.
            EXPECT_FALSE(e.time > mpq_class(15, 2) && e.time < 8) << e.time.get_str();
        }
    }
    EXPECT_GT(pickups, 0);
}

TEST(Piano, SectionStartAndRoom) {
    EXPECT_TRUE(Piano::at_section_start(mpq_class(4), {{2, 'A'}}));
    EXPECT_FALSE(Piano::at_section_start(mpq_class(6), {{2, 'A'}}));
    EXPECT_FALSE(Piano::at_section_start(mpq_class(8), {{2, 'A'}}));
    const Event<std::string> previous{mpq_class(0), mpq_class(4), "G7"};
    EXPECT_FALSE(Piano::prev_pat_allows_pickup(&previous, Pattern::of_string("|x-.x----|")));
    EXPECT_TRUE(Piano::prev_pat_allows_pickup(&previous, Pattern::of_string("|x-.x....|")));
    EXPECT_FALSE(Piano::prev_pat_allows_pickup(&previous, std::nullopt));
}

TEST(Piano, ErrorCases) {
    EXPECT_EQ(message_of<Failure>([] { Piano::prev_pat_allows_pickup(nullptr, Pattern::of_string("|x...|")); }),
              "Internal error: previous must exist");
    EXPECT_TRUE(testing::not_found([] { Piano::last({}); }));
}

TEST(Piano, OddDurationsHoldTheChord) {
    Random::init(2);
    const auto events = Piano::gen(chords({{0, 3, "C"}, {3, 1, "G7"}, {4, 4, "C"}}), {}).events();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().duration, 3);
    for (const auto& e : events) EXPECT_EQ(mpq_class(e.time * 480).get_den(), 1u);
}

}  // namespace
}  // namespace zub
