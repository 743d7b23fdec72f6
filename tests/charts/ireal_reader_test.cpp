#include <gtest/gtest.h>

#include <sstream>

#include "core/charts/ireal_beats.h"
#include "core/charts/ireal_playlist.h"
#include "core/failure.h"
#include "testing.h"

namespace zub {
namespace {

Ireal_song song_of(std::string_view progression) {
    Ireal_song song;
    song.title = "Tune";
    song.style = "Medium Swing";
    song.key = "C";
    song.progression = progression;
    return song;
}

// The bars of a progression, "C7 2 F7 2 | ..." as chart.cpp prints them.
std::string bars_of(std::string_view progression) {
    const Chart chart = chart_of_ireal_song(song_of(progression)).chart;
    std::ostringstream out;
    for (const auto& bar : chart.bars()) {
        out << "|";
        for (const auto& entry : bar) out << " " << entry.symbol << " " << entry.duration;
        out << " ";
    }
    return out.str() + "|";
}

TEST(IrealReader, CellsToBeats) {
    const struct {
        std::string_view progression, bars;
    } cases[] = {
        {"[C^7 A-7 |D-7 G7 Z", "| CMaj7 2 Am7 2 | Dm7 2 G7 2 |"},
        {"[C7F7|Bb   Z", "| C7 2 F7 2 | Bb 4 |"},               // two cells: handed out
        {"[C D E |F   Z", "| C 2 D 1 E 1 | F 4 |"},               // three chords, one blank
        {"[C7      F7      Z", "| C7 2 F7 2 |"},                  // eight cells: taken back
        {"[T34C D E |F   Z", "| C 1 D 1 E 1 | F 3 |"},
        {"[T34C  F |G   Z", "| C 2 F 1 | G 3 |"},
        {"[C   |    | D  Z", "| C 4 | C 4 | C 1 D 3 |"},          // blanks hold the chord before
        {"[C   | x  |D   | r|  Z", "| C 4 | C 4 | D 4 | C 4 | D 4 |"},
        {"[C7ppp|C7 W/E  Z", "| C7 4 | C7 2 C7/E 2 |"},
        {"[C7,F7,Bb,Eb|n   Z", "| C7 1 F7 1 Bb 1 Eb 1 | N.C. 4 |"},
        {"[nC7  |C7 n Z", "| N.C. 1 C7 3 | C7 2 N.C. 2 |"},
        {"[sC7 lF7(Gb7) Z", "| C7 2 F7 2 |"},                     // small, large, alternate dropped
        {"[C-7b5 C7sus C7alt Cs Z", "| Cm7b5 1 C7sus 1 C7alt 1 C 1 |"},
        {"[C*m* Co Z", "| Cm 2 C:b3.b5 2 |"},
        {"[T44C   |T24F G |T44C   Z", "| C 4 | F 1 G 1 | C 4 |"},  // a 2/4 bar stays short
        {"[T12C   |T68F G |T12C G Z", "| C 4 | F 1 G 1 | C 2 G 2 |"},  // dotted-quarter beats
        {"[C  F |T24 x |T44 x Z", "| C 3 F 1 | C 1 F 1 | C 2 F 2 |"},  // a copy takes its bar's beats
        {"  [C   ]   [F   Z ", "| C 4 | F 4 |"},                  // filler between bar lines
    };
    for (const auto& c : cases) EXPECT_EQ(bars_of(c.progression), c.bars) << c.progression;
}

// The marks of each construct as written (how they play is checked with the walk, in the bridge's tests).
TEST(IrealReader, FormMarks) {
    const struct {
        std::string_view progression;
        std::vector<Chart::Marks> marks;
    } cases[] = {
        {"{C   |D   }E   Z", {{1, {.repeat_start = true}}, {2, {.repeat_end = 2}}}},
        {"{C   <*585x>}D   Z", {{1, {.repeat_start = true, .repeat_end = 5}}}},
        {"C   |D   }E   Z", {{1, {.repeat_start = true}}, {2, {.repeat_end = 2}}}},
        {"[C   ][D   |E   }F   Z", {{2, {.repeat_start = true}}, {3, {.repeat_end = 2}}}},
        {"{C   |N1D   }|N2E   Z", {{1, {.repeat_start = true}}, {2, {.repeat_end = 2, .endings = {1}}}, {3, {.endings = {2}}}}},
        {"{C   |N1D   <3x>}|N2E   Z",
         {{1, {.repeat_start = true}}, {2, {.repeat_end = 3, .endings = {1, 2}}}, {3, {.endings = {3}}}}},
        {"[C   |SD   |E  <D.S. al Fine>|F   <Fine>Z",
         {{2, {.segno = true}}, {4, {.fine = true, .direction = Direction::of_string("D.S. al Fine")}}}},
        {"[C   |D   Q|E  <D.C. al Coda>]Q[F   Z",
         {{2, {.to_coda = true}}, {3, {.direction = Direction::of_string("D.C. al Coda")}}, {4, {.coda = true}}}},
        {"[C   |QD   |E   ][QF   Z", {{1, {.to_coda = true}}, {4, {.coda = true}}}},
        {"[C   |D   <D.C. al 2nd End.>Z", {{2, {.direction = Direction::of_string("D.C. al 2nd End.")}}}},
        {"[T54C    |T44D   Z", {{2, {.time = Time_signature::of_string("4/4")}}}},
        {"[T68C  |T12D   Z", {{1, {.time = Time_signature::of_string("6/8")}}, {2, {.time = Time_signature::of_string("12/8")}}}},
    };
    for (const auto& c : cases) EXPECT_EQ(chart_of_ireal_song(song_of(c.progression)).chart.forms(), c.marks) << c.progression;
}

TEST(IrealReader, ChorusIntroCodaAndSections) {
    Ireal_song song = song_of("[*iT34Eb  |Ab  ][*AC   |D   |*BE   Q|F   ][QG   Z");
    song.key = "A-";
    song.style = "Jazz Waltz";
    song.composer = "Bill Evans";
    const auto [chart, composer] = chart_of_ireal_song(song);
    EXPECT_EQ(composer, "Bill Evans");
    EXPECT_EQ(chart.name(), "Tune");
    EXPECT_EQ(chart.style(), (Chart::Style{3, 8}));
    EXPECT_EQ(chart.key(), "Am");
    EXPECT_EQ(chart.tempo(), 150);
    EXPECT_EQ(chart.bars().size(), 7u);
    EXPECT_EQ(chart.chorus(), (Chart::Chorus{3, 6, 3}));  // the coda is an outro
    EXPECT_EQ(chart.sections(), (std::vector<Chart::Section>{{3, 'A'}, {5, 'B'}}));

    Ireal_song bossa = song_of("[*AC   |*CD   |*DE   |*vF   Z");
    bossa.style = "Bossa Nova";
    bossa.tempo = 128;
    bossa.repeats = 2;
    const Chart other = chart_of_ireal_song(bossa).chart;
    EXPECT_EQ(other.style(), (Chart::Style{4, 4}));
    EXPECT_EQ(other.tempo(), 128);
    EXPECT_EQ(other.chorus(), (Chart::Chorus{1, 4, 2}));
    EXPECT_EQ(other.sections(), (std::vector<Chart::Section>{{1, 'A'}, {2, 'B'}, {3, 'B'}, {4, 'A'}}));
}

// The chorus is the tune: after the intro, up to a coda no "al Coda" leads to.
TEST(IrealReader, ChorusIsTheTune) {
    const struct {
        std::string_view progression;
        Chart::Chorus chorus;
    } cases[] = {
        {"{C   |D  <D.C. al Coda>Q}[QE   Z", {1, 3, 3}},
        {"[*iG   ][C   |SD   |E   <D.S. al Fine>Z", {2, 4, 3}},
        {"[C   |D   Q|E   ][QF   |G   Z", {1, 3, 3}},
        {"[C   |D   |E   Z", {1, 3, 3}},
        {"{*iC   |N1D   }|N2E   ][*AF   Z", {4, 4, 3}},
    };
    for (const auto& c : cases) EXPECT_EQ(chart_of_ireal_song(song_of(c.progression)).chart.chorus(), c.chorus) << c.progression;
}

TEST(IrealReader, ErrorCases) {
    const struct {
        std::string_view progression, message;
    } cases[] = {
        {"[T58C    Z", "5/8 time is not supported"},
        {"[T98C    Z", "9/8 time is not supported"},
        {"[T78C    Z", "7/8 time is not supported"},
        {"[T9", "Unknown time signature: T9"},
        {"[C^7#13   Z", "Unknown chord quality: C^7#13"},
        {"[C*foo* Z", "Unknown chord quality: C*foo*"},
        {"[C7 %  Z", "Unknown token: %"},
        {"[C7 <D.C.", "Unclosed text: <D.C."},
        {"[C7 (Db7  Z", "Unclosed alternate chord: (Db7  Z"},
        {"[C/H   Z", "Invalid bass: C/H"},
        {"[C D E F G Z", "More chords than beats: 5 in 4 in bar 1"},
        {"[ x  |C   Z", "Repeat sign without bars before it in bar 1"},
        {"[    |n   Z", "No chords"},
        {"", "No chords"},
        {"[W/C  Z", "Invisible root without a chord before it"},
        {"[*XC   Z", "Unknown section: *X"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(testing::failure_of([&] { chart_of_ireal_song(song_of(c.progression)); }), c.message)
            << c.progression;
    Ireal_song bad_key = song_of("[C   Z");
    bad_key.key = "H";
    EXPECT_THROW(chart_of_ireal_song(bad_key), Failure);
}

}  // namespace
}  // namespace zub
