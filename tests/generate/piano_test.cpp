#include <gtest/gtest.h>

#include <algorithm>
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
        bool tensions;
        const char* shape_a;
        const char* shape_b;
    };
    const Case cases[] = {
        {"C7", true, "E3 A3 Bb3 D4", "Bb3 D4 E4 A4"},      // 9th and 13th added, no root
        {"Dm7", true, "F3 G3 C4 E4", "C4 E4 F4 G4"},       // the 11th on a minor chord
        {"Eb", true, "G3 Bb3 C4 F4", "C4 F4 G4 Bb4"},      // a major triad as a 6/9
        {"Bm7b5", true, "D3 E3 A3", "A3 D4 E4"},           // the 11th, no ninth
        {"Cdim7", true, "Eb3 Gb3 A3", "A3 Eb4 Gb4"},       // nothing added
        {"C7b9", true, "E3 A3 Bb3 Db4", "Bb3 Db4 E4 A4"},  // its own ninth
        {"C7#11", true, "E3 F#3 Bb3 D4", "Bb3 D4 E4 F#4"}, // its own 11th before an added 13th
        {"C7", false, "E3 G3 Bb3", "Bb3 E4 G4"},
        {"C", false, "E3 G3 C4", "C4 E4 G4"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spelled(Piano::chord_var1(Chord::of_string(c.chord), c.tensions)), c.shape_a) << c.chord;
        EXPECT_EQ(spelled(Piano::chord_var2(Chord::of_string(c.chord), c.tensions)), c.shape_b) << c.chord;
    }
}

TEST(Piano, VoicingsStayFromD3UpAndKeepTheRootOnlyOverAnotherBass) {
    for (const char* symbol : {"C7", "Db7", "D7", "Eb7", "E7", "F7", "Gb7", "G7", "Ab7", "A7", "Bb7", "B7", "C#m7",
                               "F#m7b5", "BbMaj7", "G7/B", "Fm6", "E7alt"}) {
        const Chord chord = Chord::of_string(symbol);
        for (const auto& voicing : {Piano::chord_var1(chord), Piano::chord_var2(chord)}) {
            EXPECT_GE(voicing.front().to_notenum(), 50) << symbol;
            EXPECT_LE(voicing.front().to_notenum(), 61) << symbol;
            const bool has_root = std::any_of(voicing.begin(), voicing.end(),
                                              [&](const Midinote& m) { return m.note().semi() == chord.root().semi(); });
            EXPECT_EQ(has_root, chord.bass() != chord.root()) << symbol;
        }
    }
}

TEST(Piano, SingleChordHeldForTheBar) {
    Random::init(4);
    const auto events = Piano::gen(chords({{0, 4, "C7"}}), {}).events();
    ASSERT_EQ(events.size(), 4u);
    std::vector<int> velocities;
    for (const auto& e : events) {
        EXPECT_EQ(e.time, 0);
        EXPECT_EQ(e.duration, 4);
        velocities.push_back(e.payload.second);
    }
    // 70 for a long note, times 0.92 on the downbeat; the top note 8 louder.
    std::sort(velocities.begin(), velocities.end());
    EXPECT_EQ(velocities, (std::vector<int>{64, 64, 64, 72}));
}

TEST(Piano, ShapeFollowsThePreviousTop) {
    const Piano::Voicing previous = Piano::chord_var1(Chord::of_string("C7"));  // top D4
    const auto chosen = Piano::choose_chord(Chord::of_string("F7"), previous);
    // F7: shape A tops at G4, shape B at D4: B, the nearer.
    EXPECT_EQ(spelled(chosen), spelled(Piano::chord_var2(Chord::of_string("F7"))));
    // Bb7 after it: A tops at C4 (2 from D4), B at G4 (5): A.
    EXPECT_EQ(spelled(Piano::choose_chord(Chord::of_string("Bb7"), chosen)),
              spelled(Piano::chord_var1(Chord::of_string("Bb7"))));
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
