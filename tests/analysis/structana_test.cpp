#include <gtest/gtest.h>

#include "testing.h"

#include "core/analysis/structana.h"
#include "core/failure.h"

namespace zub {
namespace {

using namespace Structana;

using testing::failure_of;

Ae chord_at(const char* symbol, int t, int d) {
    return Ae::chord(Chordelem(t, d, Simplchord::of_chord_name(symbol)));
}

struct Grouping_case {
    const char* what;
    std::vector<Chord_entry> chords;
    const char* grouped;
};

TEST(Structana, GroupsChordSequences) {
    const std::vector<Grouping_case> cases = {
        {"empty chart", {}, ""},
        {"equal neighbours merge", {{"C7", 2}, {"C7", 2}}, "C7@0:4"},
        {"the bass does not part equal chords", {{"C7/E", 1}, {"C7", 3}}, "C7@0:4"},
        {"equal kinds alone do not merge", {{"C7", 2}, {"C9", 2}}, "C7@0:2 C7@2:2"},
        {"start times add up", {{"C", 3}, {"F", 1}, {"Bb", 4}}, "C@0:3 F@3:1 Bb@4:4"},
        {"I VI II V turnaround",
         {{"C", 1}, {"Am7", 1}, {"Dm7", 1}, {"G7", 1}},
         "Turnaround(C@0:1 Am7@1:1 Dm7@2:1 G7@3:1 ; C)"},
        {"turnaround lengths must be equal",
         {{"C", 4}, {"Am7", 4}, {"Dm7", 2}, {"G7", 2}},
         "C@0:4 Am7@4:4 Twofive(Dm7@8:2 G7@10:2)"},
        {"turnaround names major and minor",
         {{"Em7", 2}, {"Ebm7", 2}, {"Dm7", 2}, {"Db7", 2}},
         "Turnaround(Em7@0:2 Ebm7@2:2 Dm7@4:2 Db7@6:2 ; C Cm)"},
        {"turnaround of flat-side triads",
         {{"C", 1}, {"Eb", 1}, {"Ab", 1}, {"Db", 1}},
         "Turnaround(C@0:1 Eb@1:1 Ab@2:1 Db@3:1 ; C)"},
        {"turnaround spelled over Eb",
         {{"Gm7", 1}, {"Gbm7", 1}, {"Fm7", 1}, {"Fb7", 1}},
         "Turnaround(Gm7@0:1 Gbm7@1:1 Fm7@2:1 Fb7@3:1 ; Eb Ebm)"},
        {"the same turnaround spelled with a sharp unison",
         {{"Gm7", 1}, {"Gbm7", 1}, {"Fm7", 1}, {"E7", 1}},
         "Turnaround(Gm7@0:1 Gbm7@1:1 Fm7@2:1 E7@3:1 ; Eb Ebm)"},
        {"diminished passing turnaround",
         {{"C", 1}, {"C#dim", 1}, {"Dm7", 1}, {"D#dim", 1}},
         "Turnaround(C@0:1 C#dim@1:1 Dm7@2:1 D#dim@3:1 ; C)"},
        {"two turnarounds in a row",
         {{"F", 1}, {"Dm7", 1}, {"Gm7", 1}, {"C7", 1}, {"F", 1}, {"Dm7", 1}, {"Gm7", 1}, {"C7", 1}},
         "Turnaround(F@0:1 Dm7@1:1 Gm7@2:1 C7@3:1 ; F) Turnaround(F@4:1 Dm7@5:1 Gm7@6:1 C7@7:1 ; F)"},
        {"ii-V on a strong beat", {{"Dm7", 2}, {"G7", 2}}, "Twofive(Dm7@0:2 G7@2:2)"},
        {"ii-V against the metre", {{"C", 2}, {"Dm7", 2}, {"G7", 2}}, "C@0:2 Dm7@2:2 G7@4:2"},
        {"half-diminished ii", {{"Bm7b5", 2}, {"E7", 2}}, "Twofive(Bm7b5@0:2 E7@2:2)"},
        {"ii with tritone substitute", {{"Dm7", 2}, {"Db7", 2}}, "Twofive(Dm7@0:2 Db7@2:2)"},
        {"ii-V through a passing dominant",
         {{"Dm7", 2}, {"Ab7", 1}, {"G7", 1}},
         "Twofive(Dm7@0:2 Passthru(Ab7@2:1 G7@3:1))"},
        {"chain of four dominants",
         {{"E7", 4}, {"A7", 4}, {"D7", 4}, {"G7", 4}},
         "Extdom(E7@0:4 A7@4:4 D7@8:4 G7@12:4)"},
        {"chain of half steps", {{"D7", 2}, {"Db7", 2}, {"C7", 4}}, "Extdom(D7@0:2 Db7@2:2 C7@4:4)"},
        {"chain into the V of a ii-V",
         {{"A7", 4}, {"Am7", 2}, {"D7", 2}},
         "Extdom(A7@0:4 Twofive(Am7@4:2 D7@6:2))"},
        {"chain ends at a non-dominant",
         {{"E7", 4}, {"A7", 4}, {"Dm", 4}, {"G7", 4}},
         "Extdom(E7@0:4 A7@4:4) Dm@8:4 G7@12:4"},
        {"passing dominant before the resolution",
         {{"C", 2}, {"G7", 1}, {"Db7", 1}, {"C", 4}},
         "C@0:2 G7@2:1 Passthru(Db7@3:1 C@4:4)"},
        {"no passing chord against the metre",
         {{"G7", 3}, {"Db7", 1}, {"C", 4}},
         "G7@0:3 Db7@3:1 C@4:4"},
    };
    for (const Grouping_case& c : cases) EXPECT_EQ(to_string(structana(c.chords)), c.grouped) << c.what;
}

TEST(Structana, ErrorCases) {
    const Ae pair = Ae::twofive(chord_at("Dm7", 0, 2), chord_at("G7", 2, 2));
    EXPECT_EQ(failure_of([&] { ae_t(pair); }), "Can't get timestamp for complex ae");
    EXPECT_EQ(failure_of([&] { ae_d(pair); }), "Can't get duration for complex ae");
    EXPECT_EQ(failure_of([&] { ae_c(pair); }), "Can't get chord for complex ae");
    EXPECT_EQ(failure_of([] { list_last(std::vector<Ae>{}); }), "No last element on empty list");
    EXPECT_EQ(failure_of([] { structana({{"C", 1}, {"Hm7", 1}}); }), "Invalid chord: Hm7");
    EXPECT_EQ(failure_of([] { structana({{"Cmaj7", 1}}); }), "Unknown chord type: maj7");
    EXPECT_EQ(failure_of([] { romankey_to_key(Note::of_string("C"), "iv"); }), "Invalid romankey: iv");
    EXPECT_EQ(failure_of([] { romankey_to_key(Note::of_string("C"), "IVmm"); }), "Invalid romankey: IVmm");
    EXPECT_EQ(failure_of([] { parse_romankey("m"); }), "Invalid romankey: m");
    EXPECT_EQ(failure_of([] { metric_weight(mpq_class(3, 2)); }), "Invalid time: 3/2");
    EXPECT_EQ(failure_of([] { metric_weight(-1); }), "Invalid time: -1");
    EXPECT_EQ(failure_of([] { romanize(Note::of_string("C"), chord_at("Fsus", 0, 1)); }), "Invalid kind: ??");
    // Read by pitch, so every spelling has a degree.
    EXPECT_EQ(romanize(Note::of_string("Cbb"), chord_at("C##7", 0, 1)).to_string(), "III7");
    EXPECT_THROW(Ae::extdom({chord_at("G7", 0, 1)}), Invalid_argument);
    EXPECT_THROW(Ae::twofive(pair, chord_at("C", 4, 4)), Invalid_argument);
    EXPECT_THROW(Ae::passthru(chord_at("Ab7", 0, 1), pair), Invalid_argument);
    EXPECT_THROW(Ae::turnaround({pair}, {"C"}), Invalid_argument);
    EXPECT_THROW(Ae::turnaround({}, {"C"}), Invalid_argument);
}

TEST(Structana, MetricWeightsFavourStrongPositions) {
    struct Case {
        mpq_class t;
        int weight;
    };
    for (const Case& c : {Case{0, 15}, {8, 14}, {4, 13}, {12, 12}, {2, 11}, {10, 10}, {6, 9}, {14, 8}, {1, 7},
                          {9, 6}, {5, 5}, {13, 4}, {3, 3}, {11, 2}, {7, 1}, {15, 0}, {16, 15}, {18, 11},
                          {mpq_class(mpz_class(1) << 70), 15}, {mpq_class(6, 2), 3}})
        EXPECT_EQ(metric_weight(c.t), c.weight) << c.t;
}

TEST(Structana, FirstAndLastChordsOfGroups) {
    const Ae passing = Ae::passthru(chord_at("Ab7", 2, 1), chord_at("G7", 3, 1));
    const Ae two_five = Ae::twofive(chord_at("Dm7", 0, 2), passing);
    const Ae chain = Ae::extdom({chord_at("E7", 0, 4), chord_at("A7", 4, 4), two_five});
    struct Case {
        const Ae& element;
        const char *first, *last;
    };
    for (const Case& c : {Case{passing, "G7@3:1", "G7@3:1"}, {two_five, "Dm7@0:2", "G7@3:1"},
                          {chain, "E7@0:4", "G7@3:1"}}) {
        EXPECT_EQ(to_string(firstchord(c.element)), c.first) << to_string(c.element);
        EXPECT_EQ(to_string(lastchord(c.element)), c.last) << to_string(c.element);
    }
}

TEST(Structana, NeighbourTests) {
    const Ae turnaround = Ae::turnaround({chord_at("C", 0, 1)}, {"C"});
    EXPECT_TRUE(arepassthru(chord_at("Ab7", 0, 1), chord_at("G", 1, 1)));
    EXPECT_FALSE(arepassthru(chord_at("Abm7", 0, 1), chord_at("G", 1, 1)));
    EXPECT_FALSE(arepassthru(chord_at("A7", 0, 1), chord_at("G", 1, 1)));
    EXPECT_TRUE(aretwofive(chord_at("Dm7", 8, 2), chord_at("G7", 10, 2)));
    EXPECT_FALSE(aretwofive(chord_at("Dm7", 10, 2), chord_at("G7", 12, 2)));
    EXPECT_FALSE(aretwofive(chord_at("Dm", 8, 2), chord_at("G7", 10, 2)));
    EXPECT_TRUE(aredompair(chord_at("Gb7", 0, 1), chord_at("Cb7", 1, 1)));
    // Spellings too far apart for an interval name still have a root motion:
    // the grouping does not fail on them.
    EXPECT_TRUE(aretwofive(chord_at("E##m7", 0, 2), chord_at("Cb7", 2, 2)));
    EXPECT_EQ(failure_of([] { intvlbetw(chord_at("E##m7", 0, 2), chord_at("Cb7", 2, 2)); }),
              "E## - Cb results in invalid interval");
    EXPECT_FALSE(aredompair(turnaround, chord_at("F7", 1, 1)));
    EXPECT_FALSE(domresolves(chord_at("G7", 0, 1), turnaround));
    EXPECT_TRUE(domresolves(chord_at("G7", 3, 1), chord_at("C", 4, 1)));
    EXPECT_FALSE(domresolves(chord_at("G7", 4, 1), chord_at("C", 5, 1)));
    EXPECT_FALSE(domresolves(chord_at("Gm7", 3, 1), chord_at("C", 4, 1)));
    EXPECT_EQ(intvlbetw(chord_at("G7", 0, 1), chord_at("Dm7", 0, 1)).to_string(), "4");
}

TEST(Structana, RomanKeysAndRomanization) {
    const Note eb = Note::of_string("Eb");
    EXPECT_EQ(romankey_to_key(eb, "VIm"), "Cm");
    EXPECT_EQ(romankey_to_key(eb, "I"), "Eb");
    EXPECT_EQ(romankey_to_key(Note::of_string("C"), "bIII"), "Eb");
    EXPECT_EQ(romankey_to_key(Note::of_string("C"), "#IVm"), "F#m");
    EXPECT_EQ(romanize(Note::of_string("C"), chord_at("Dm9", 0, 1)).to_string(), "IIm7");
    EXPECT_EQ(romanize(Note::of_string("C"), chord_at("Db13", 0, 1)).to_string(), "bII7");
}

TEST(Structana, PassesApplyInOrder) {
    const std::vector<Chord_entry> chords = {{"Dm7", 2}, {"Dm7", 2}, {"G7", 4}, {"C", 8}};
    const std::vector<Ae> merged = mergesame(makeseq(chords));
    EXPECT_EQ(to_string(merged), "Dm7@0:4 G7@4:4 C@8:8");
    EXPECT_EQ(to_string(grouptwofive(groupturnaround(merged))), "Twofive(Dm7@0:4 G7@4:4) C@8:8");
    EXPECT_EQ(to_string(groupextdom({})), "");
    EXPECT_EQ(to_string(grouppassthru({})), "");
}

}  // namespace
}  // namespace zub
