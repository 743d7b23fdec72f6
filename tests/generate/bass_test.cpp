#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/analysis/tonalana.h"
#include "core/generate/bass.h"
#include "core/generate/random.h"
#include "core/theory/chordtype.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::chords;
using testing::message_of;

Midinote midi(const char* text) { return Midinote::of_string(text); }

TEST(Bass, SingleChordIsOneBassNote) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        Random::init(seed);
        const auto events = Bass::gen(chords({{0, 4, "C7"}})).events();
        ASSERT_EQ(events.size(), 1u);
        const int k = events[0].payload.first.to_notenum();
        EXPECT_TRUE(k == 36 || k == 48) << k;
        EXPECT_EQ(events[0].time, 0);
        EXPECT_EQ(events[0].duration, 1);
        EXPECT_EQ(events[0].payload.second, 100);
    }
}

TEST(Bass, TwoBarsWalkIntoTheLastChord) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        Random::init(seed);
        const auto events = Bass::gen(chords({{0, 4, "C"}, {4, 4, "F"}})).events();
        ASSERT_GE(events.size(), 5u);
        ASSERT_LE(events.size(), 6u);  // one split beat at most
        EXPECT_EQ(events.front().payload.first.note().to_string(), "C");
        EXPECT_EQ(events.back().payload.first.note().to_string(), "F");
        EXPECT_EQ(events.back().time, 4);
        for (const auto& e : events) {
            EXPECT_GE(e.payload.first.to_notenum(), 28);
            EXPECT_LE(e.payload.first.to_notenum(), 53);
            EXPECT_EQ(mpq_class(e.time * 480).get_den(), 1u);
        }
    }
}

TEST(Bass, LongChartStaysInRangeAndRepeatsFromItsSeed) {
    const char* symbols[] = {"Dm7", "G7", "CMaj7", "A7", "C#7", "F#m7b5", "B7", "Em", "C/E", "Bb7"};
    std::vector<std::tuple<int, int, const char*>> listed;
    int time = 0;
    for (int k = 0; k < 60; ++k) {
        const int duration = k % 3 == 0 ? 2 : (k % 5 == 0 ? 3 : 4);
        listed.emplace_back(time, duration, symbols[k % 10]);
        time += duration;
    }
    Random::init(99);
    const auto first = Bass::gen(chords(listed)).events();
    for (const auto& e : first) {
        EXPECT_GE(e.payload.first.to_notenum(), 28);
        EXPECT_LE(e.payload.first.to_notenum(), 53);
    }
    Random::init(99);
    EXPECT_EQ(first, Bass::gen(chords(listed)).events());
}

TEST(Bass, JumpsAndSemitones) {
    EXPECT_TRUE(mng_is_null(Bass::mng_jump_betw(midi("C2"), midi("C#2"))));
    EXPECT_EQ(Bass::mng_jump_beyond(midi("C2"), midi("D2"), 10), mng_of_range(midi("D#2"), midi("C3")));
    EXPECT_EQ(Bass::mng_jump_beyond(midi("D2"), midi("C2"), 10), mng_of_range(midi("D1"), midi("B1")));
    EXPECT_EQ(Bass::chrm_note_betw(midi("C2"), midi("D2")).to_notenum(), 37);
    EXPECT_EQ(Bass::chrm_note_betw(midi("D2"), midi("C2")).to_notenum(), 37);
    EXPECT_EQ(Bass::abs_mn_diff(midi("F2"), midi("C2")), 5);
    // Near the ends of the MIDI range the range is clipped rather than invalid.
    EXPECT_EQ(Bass::mng_range_at_center(midi("C-1"), 5), mng_of_range(midi("C-1"), midi("F-1")));
}

TEST(Bass, EmbellishedTiming) {
    const std::vector<Midinote> four = {midi("C2"), midi("D2"), midi("E2"), midi("F2")};
    const auto split = Bass::embell_4(four, 2);
    ASSERT_EQ(split.size(), 5u);
    EXPECT_EQ(split[2].offset, mpq_class(2));
    EXPECT_EQ(split[3].offset, mpq_class(5, 2));
    EXPECT_EQ(split[3].note, midi("E2"));
    const auto two = Bass::embell_2({midi("C2"), midi("G2")});
    ASSERT_EQ(two.size(), 3u);
    EXPECT_EQ(two[1].offset, mpq_class(1, 2));
    EXPECT_EQ(two[2].note, midi("G2"));
}

TEST(Bass, TwoFeelInThree) {
    const std::vector<Midinote> three = {midi("Bb1"), midi("C2"), midi("D2")};
    const auto dotted = Bass::two_feel(three, Bass::dotted_half);
    ASSERT_EQ(dotted.size(), 1u);
    EXPECT_EQ(dotted[0].duration, 3);
    EXPECT_EQ(dotted[0].note, midi("Bb1"));
    const auto half = Bass::two_feel(three, Bass::half_and_quarter);
    ASSERT_EQ(half.size(), 2u);
    EXPECT_EQ(half[0].duration, 2);
    EXPECT_EQ(half[1].offset, 2);
    EXPECT_EQ(half[1].note, midi("D2"));
    EXPECT_EQ(message_of<Failure>([&] { Bass::two_feel({midi("D2")}, Bass::dotted_half); }),
              "Internal error: number of MIDI notes <> 3 in two_feel");
}

TEST(Bass, WalkToTheTopOfTheRangeStaysInIt) {
    const Scale major = Scale::of_string("C major");
    for (unsigned seed = 1; seed <= 30; ++seed) {
        Random::init(seed);
        for (const Midinote& m : Bass::gen_walk2(midi("C3"), midi("F3"), major, {midi("D3"), midi("E3")}))
            EXPECT_LE(m.to_notenum(), 53) << m.to_string();
    }
    // Walking down to E1 approaches from below only when that stays in range.
    Random::init(1);
    for (const Midinote& m : Bass::gen_walk2(midi("A1"), midi("E1"), major, {midi("G1"), midi("F1")}))
        EXPECT_GE(m.to_notenum(), 28) << m.to_string();
}

// Every pair of anchors the line can meet (the last chord's anchor is drawn
// without a leap limit, so any two notes of E1..F3), for every chord type on
// every pitch class: each beat between them finds a note to draw.
TEST(Bass, EveryBeatBetweenTwoAnchorsFindsANote) {
    Random::init(5);
    for (const char* root : {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"}) {
        for (const std::string& type : Chordtype::all_names()) {
            const Chord c = Chord::of_string(root + type);
            const Scale s = Tonalana::analyze({c}).front();
            for (int a = 28; a <= 53; ++a) {
                for (int n = 28; n <= 53; ++n) {
                    const Midinote from = Midinote::of_notenum(a);
                    const Midinote to = Midinote::of_notenum(n);
                    const std::string where = root + type + " " + from.to_string() + " -> " + to.to_string();
                    EXPECT_NO_THROW(Bass::gen_2(c, from, to, s)) << where;
                    EXPECT_NO_THROW(Bass::gen_3(c, s, from, to)) << where;
                    EXPECT_NO_THROW(Bass::gen_4(c, s, from, to, s)) << where;
                }
            }
        }
    }
}

TEST(Bass, ErrorCases) {
    const Scale major = Scale::of_string("C major");
    EXPECT_EQ(message_of<Failure>([&] { Bass::gen_walk2(midi("C2"), midi("F2"), major, {midi("D2")}); }),
              "Internal error: length of notes_betw <> 2 in gen_walk2");
    EXPECT_EQ(message_of<Failure>([&] { Bass::gen_walk3(midi("F2"), {midi("D2")}); }),
              "Internal error: length of notes_betw <> 3 in gen_walk3");
    EXPECT_EQ(message_of<Failure>([&] { Bass::embell_2({midi("D2")}); }),
              "Internal error: number of MIDI notes <> 2 in embell_2");
    EXPECT_EQ(message_of<Failure>([&] {
                  Bass::gen_anchor_note(Chord::of_string("C"), false, std::nullopt, mpq_class(4));
              }),
              "Internal error: prev_note=None; prev<>None");
    EXPECT_NE(message_of<Invalid_argument>([&] { Bass::gen(Chord_seq::create()); }), "(no failure)");
}

}  // namespace
}  // namespace zub
