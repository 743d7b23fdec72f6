#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/generate/mng.h"
#include "core/generate/random.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::message_of;

Midinote midi(const char* text) { return Midinote::of_string(text); }
Note note(const char* text) { return Note::of_string(text); }

// The note numbers whose weight counts as non-zero.
std::vector<int> weighted(const Mng& m) {
    std::vector<int> numbers;
    for (int k = 0; k < 128; ++k)
        if (std::fabs(m.weights()[static_cast<std::size_t>(k)]) >= 0x1p-51) numbers.push_back(k);
    return numbers;
}

std::vector<int> every_octave(int first) {
    std::vector<int> numbers;
    for (int k = first; k < 128; k += 12) numbers.push_back(k);
    return numbers;
}

TEST(Mng, NotesWeighEveryOctaveOfTheirPitchClass) {
    EXPECT_EQ(weighted(mng_of_note(note("C"))), every_octave(0));
    EXPECT_EQ(weighted(mng_of_note(note("B"))), every_octave(11));
    EXPECT_EQ(weighted(mng_of_note(note("B#"))), every_octave(0));
    EXPECT_EQ(weighted(mng_of_note(note("G"))).back(), 127);
    EXPECT_EQ(noteset_to_string(mng_of_note(note("B#")).spellings()), "{B#}");
}

TEST(Mng, ConstructorsSetWeightsAndSpellings) {
    struct Case {
        Mng m;
        std::vector<int> numbers;
        const char* spellings;
    };
    for (const Case& c : {
             Case{mng_of_midinote(midi("Eb4")), {63}, "{Eb}"},
             Case{mng_of_range(midi("C3"), midi("C3")), {48}, "{}"},
             Case{mng_of_range(midi("C3"), midi("E3")), {48, 49, 50, 51, 52}, "{}"},
             Case{mng_of_range(midi("D3"), midi("C3")), {}, "{}"},
             Case{mng_of_chord(Chord::of_string("C7")) & mng_of_range(midi("E1"), midi("F3")),
                  {28, 31, 34, 36, 40, 43, 46, 48, 52},
                  "{C, E, G, Bb}"},
             Case{mng_of_scale(Scale::of_string("C major")) & mng_of_range(midi("C4"), midi("C5")),
                  {60, 62, 64, 65, 67, 69, 71, 72},
                  "{C, D, E, F, G, A, B}"},
             Case{mng_normal(midi("A4"), 0, 2.0), {69}, "{A}"},
             Case{mng_normal(midi("A4"), 3, 2.0), {66, 67, 68, 69, 70, 71, 72}, "{}"},
         }) {
        EXPECT_EQ(weighted(c.m), c.numbers) << c.spellings;
        EXPECT_EQ(noteset_to_string(c.m.spellings()), c.spellings);
    }
}

TEST(Mng, NormalCurveFollowsTheDensity) {
    const Mng m = mng_normal(midi("C4"), 4, 2.0);  // sigma 2, mean 60
    const double pi = 4.0 * std::atan(1.0);
    EXPECT_DOUBLE_EQ(m.weights()[60], 1.0 / (2.0 * std::sqrt(2.0 * pi)));
    EXPECT_DOUBLE_EQ(m.weights()[64], std::exp(-2.0) / (2.0 * std::sqrt(2.0 * pi)));
    EXPECT_DOUBLE_EQ(m.weights()[56], m.weights()[64]);
    EXPECT_EQ(m.weights()[65], 0.0);
    EXPECT_EQ(m.weights()[55], 0.0);
    EXPECT_NEAR(normal_dist(1.0, 0.0, 0.0), 0.3989422804, 1e-10);
    // A larger s narrows the curve.
    EXPECT_GT(mng_normal(midi("C4"), 4, 4.0).weights()[60], m.weights()[60]);
}

TEST(Mng, OperatorsCombineWeightsAndSpellings) {
    const Mng c = mng_of_midinote(midi("C4"));
    const Mng e = mng_of_midinote(midi("E4"));
    const Mng sum = c | e | c;
    EXPECT_EQ(sum.weights()[60], 2.0);
    EXPECT_EQ(sum.weights()[64], 1.0);
    EXPECT_EQ(noteset_to_string(sum.spellings()), "{C, E}");

    const Mng product = (sum * 1.5) & mng_of_note(note("C"));
    EXPECT_EQ(weighted(product), std::vector<int>{60});
    EXPECT_EQ(product.weights()[60], 3.0);
    EXPECT_EQ(noteset_to_string(product.spellings()), "{C}");  // scaling drops spellings
    EXPECT_EQ(noteset_to_string((sum * 2.0).spellings()), "{}");

    const Mng without_c = mng_of_range(midi("C4"), midi("E4")) & ~c;
    EXPECT_EQ(weighted(without_c), (std::vector<int>{61, 62, 63, 64}));
    EXPECT_EQ(noteset_to_string((~c).spellings()), "{}");
}

TEST(Mng, ComplementOfNullIsEverything) {
    const Mng null = mng_of_range(midi("D3"), midi("C3"));
    EXPECT_TRUE(mng_is_null(null));
    const Mng all = ~null;
    EXPECT_EQ(weighted(all).size(), 128U);
    for (const double w : all.weights()) ASSERT_EQ(w, 1.0);
    EXPECT_TRUE(mng_is_null(~all));
}

TEST(Mng, TinyWeightsCountAsZero) {
    Freq_array weights = make_freq_array();
    weights[10] = 0x1p-52;
    weights[20] = -0x1p-52;
    EXPECT_TRUE(mng_is_null(Mng(weights, Noteset())));
    EXPECT_EQ((~Mng(weights, Noteset())).weights()[10], 1.0);
    weights[30] = 0x1p-51;
    EXPECT_FALSE(mng_is_null(Mng(weights, Noteset())));
}

TEST(Mng, DrawsWalkTheRunningSum) {
    Freq_array weights = make_freq_array();
    weights[40] = 1.0;
    weights[50] = 3.0;
    const Mng m(weights, Noteset());
    struct Case {
        double u;
        int number;
    };
    for (const Case& c : {Case{0.0, 40}, Case{0.2499, 40}, Case{0.25, 50}, Case{0.9999, 50}})
        EXPECT_EQ(mng_gen_at(m, c.u).to_notenum(), c.number) << c.u;
}

TEST(Mng, DrawFrequenciesFollowTheWeights) {
    const Mng m = mng_of_midinote(midi("C4")) | (mng_of_midinote(midi("G4")) * 3.0);
    Random::init(77);
    std::map<int, int> counts;
    for (int k = 0; k < 40000; ++k) ++counts[mng_gen(m).to_notenum()];
    EXPECT_EQ(counts.size(), 2U);
    EXPECT_NEAR(counts[67] / static_cast<double>(counts[60]), 3.0, 0.15);
}

TEST(Mng, DrawnNumbersComeBackSpelled) {
    // The chord's spelling wins over the default: B flat from C7, D sharp from B7.
    const Mng c7 = mng_of_chord(Chord::of_string("C7")) & mng_of_range(midi("Bb3"), midi("Bb3"));
    EXPECT_EQ(mng_gen_at(c7, 0.5).to_string(), "Bb3");
    const Mng b7 = mng_of_chord(Chord::of_string("B7")) & mng_of_range(midi("Eb4"), midi("Eb4"));
    EXPECT_EQ(mng_gen_at(b7, 0.5).to_string(), "D#4");
    // Both spellings held: the first in set order (D before E).
    const Mng both = mng_of_note(note("Eb")) | mng_of_note(note("D#"));
    EXPECT_EQ(mng_gen_at(both & mng_of_range(midi("Eb4"), midi("Eb4")), 0.0).to_string(), "D#4");
    // B sharp spells 60 in the octave below.
    EXPECT_EQ(mng_gen_at(mng_of_note(note("B#")) & mng_of_range(midi("C4"), midi("C4")), 0.1).to_string(), "B#3");
    // No spelling of the class: the default one.
    EXPECT_EQ(mng_gen_at(mng_of_range(midi("C#4"), midi("C#4")), 0.3).to_string(), "Db4");
    EXPECT_EQ(mng_gen_at(mng_of_note(note("C")) | mng_of_range(midi("F#4"), midi("F#4")), 0.55).to_string(), "F#4");
}

TEST(Mng, ErrorCases) {
    const Mng null = mng_of_range(midi("D3"), midi("C3"));
    EXPECT_EQ(message_of<Failure>([&] { mng_gen(null); }), "Null MNG or faulty random number");
    EXPECT_EQ(message_of<Failure>([&] { mng_gen_at(mng_of_note(note("C")) * 0.0, 0.5); }),
              "Null MNG or faulty random number");
    EXPECT_EQ(message_of<Invalid_argument>([] { mng_normal(midi("C0"), 13, 2.0); }), "Midinote out of range: -1");
    EXPECT_EQ(message_of<Invalid_argument>([] { mng_normal(midi("G9"), 1, 2.0); }), "Midinote out of range: 128");
    EXPECT_EQ(message_of<Invalid_argument>([] { mng_normal(midi("C4"), 2, -1.0); }), "Invalid spread: -1.000000");
    EXPECT_EQ(message_of<Invalid_argument>([] { mng_normal(midi("C4"), 2, 0.0); }), "Invalid spread: 0.000000");
    // A note above G9 (respelling does not range-check) is refused rather than
    // indexing past the weights.
    const Midinote above = Midinote::of_notenum_in_notelist(128, {note("G#")});
    EXPECT_EQ(message_of<Invalid_argument>([&] { mng_of_midinote(above); }), "Midinote out of range: 128");
    EXPECT_EQ(message_of<Invalid_argument>([&] { mng_of_range(midi("C4"), above); }), "Midinote out of range: 128");
}

}  // namespace
}  // namespace zub
