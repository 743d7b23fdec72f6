#include <gtest/gtest.h>

#include "testing.h"

#include "core/failure.h"
#include "core/theory/intvl.h"
#include "core/theory/note.h"
#include "core/theory/utils.h"

namespace zub {
namespace {

Note note(const char* text) { return Note::of_string(text); }
Intvl iv(const char* text) { return Intvl::of_string(text); }

using testing::failure_of;

TEST(Note, ParsesAndPrintsEveryValidName) {
    for (const char* name : {"C", "Bb", "F##", "Ebb", "G#", "A", "Cb"}) EXPECT_EQ(note(name).to_string(), name);
    EXPECT_EQ(note("Bb").n(), 6);
    EXPECT_EQ(note("Bb").alt(), -1);
}

TEST(Note, ErrorCases) {
    for (const char* bad : {"c", "H", "B-", "Cb#", "", "C###", "Cbbb", " C"})
        EXPECT_EQ(failure_of([&] { note(bad); }), std::string("Invalid note: ") + bad);
    EXPECT_EQ(failure_of([] { Note::of_n_alt(7, 9); }), "Invalid n: 7");
    EXPECT_EQ(failure_of([] { Note::of_n_alt(0, -3); }), "Invalid alt: -3");
    EXPECT_EQ(failure_of([] { Intvl::of_i_alt(13, 0); }), "Invalid i: 13");
    EXPECT_EQ(failure_of([] { Intvl::of_i_alt(2, 3); }), "Invalid alt: 3");
}

TEST(Note, PitchClassesWrapAroundC) {
    EXPECT_EQ(note("Cb").semi(), 11);
    EXPECT_EQ(note("B#").semi(), 0);
    EXPECT_EQ(note("Dbb").semi(), 0);
    EXPECT_EQ(iv("9").semi(), 2);
    EXPECT_EQ(iv("13").semi(), 9);
    EXPECT_EQ(iv("b1").semi(), 11);
    EXPECT_EQ(iv("bb1").semi(), 10);
}

TEST(Note, ArithmeticKeepsSpelling) {
    struct Case {
        const char *a, *interval, *sum;
    };
    for (const Case& c : {Case{"C", "b9", "Db"}, {"B", "#11", "E#"}, {"Cbb", "7", "Bbb"}, {"C", "bb1", "Cbb"},
                          {"E#", "#5", "B##"}, {"C", "#2", "D#"}, {"C", "b3", "Eb"}, {"G", "13", "E"}}) {
        EXPECT_EQ(note(c.a).add_intvl(iv(c.interval)).to_string(), c.sum) << c.a << " + " << c.interval;
        EXPECT_EQ(note(c.sum).sub_intvl(iv(c.interval)).to_string(), c.a) << c.sum << " - " << c.interval;
    }
    EXPECT_EQ(note("F").sub_intvl(iv("b2")).to_string(), "E");
    EXPECT_EQ(note("C").sub_intvl(iv("4")).to_string(), "G");
    EXPECT_EQ(note("A").sub_intvl(iv("9")).to_string(), "G");
    EXPECT_FALSE(note("D#") == note("Eb"));
}

TEST(Note, IntervalBetweenNotesIsSimpleAndUpward) {
    EXPECT_EQ(note("G").sub_note(note("C")).to_string(), "5");
    EXPECT_EQ(note("C").sub_note(note("B")).to_string(), "b2");
    EXPECT_EQ(note("C").sub_note(note("C")).to_string(), "1");
    EXPECT_EQ(note("D#").sub_note(note("C")).to_string(), "#2");
    EXPECT_EQ(note("E").sub_note(note("C")).to_string(), "3");
}

TEST(Note, UnspellableResultsFailWithTheirMessage) {
    EXPECT_EQ(failure_of([] { note("B##").add_intvl(iv("#5")); }), "B## + #5 results in invalid note");
    EXPECT_EQ(failure_of([] { note("Cbb").sub_intvl(iv("#5")); }), "Cbb - #5 results in invalid note");
    EXPECT_EQ(failure_of([] { note("C##").sub_note(note("Dbb")); }), "C## - Dbb results in invalid interval");
}

TEST(Note, OrderIsByLetterThenAlteration) {
    EXPECT_LT(Note::compare(note("C##"), note("Dbb")), 0);
    EXPECT_LT(Note::compare(note("Cb"), note("C")), 0);
    EXPECT_LT(Intvl::compare(iv("#4"), iv("b5")), 0);
    EXPECT_EQ(Note::compare(note("F#"), note("F#")), 0);
}

TEST(Intvl, ParsesDegreesOneToThirteen) {
    for (const char* name : {"1", "3", "b7", "#11", "bb7", "b1", "13", "##9"}) EXPECT_EQ(iv(name).to_string(), name);
    EXPECT_EQ(iv("13").i(), 12);
    for (const char* bad : {"0", "14", "m3", "b", "", "01", "b#3", "3b"})
        EXPECT_EQ(failure_of([&] { iv(bad); }), std::string("Invalid interval: ") + bad);
}

TEST(Intvl, EquivalenceIsBySemitoneClass) {
    EXPECT_TRUE(iv("#4").equiv(iv("b5")));
    EXPECT_TRUE(iv("9").equiv(iv("2")));
    EXPECT_TRUE(iv("#9").equiv(iv("b3")));
    EXPECT_FALSE(iv("#9").equiv(iv("3")));
    EXPECT_FALSE(iv("#9") == iv("b3"));
}

TEST(Utils, TrimRightDropsOnlySpaces) {
    EXPECT_EQ(Utils::trim_right_string("Am7\t  "), "Am7\t");
    EXPECT_EQ(Utils::trim_right_string("   "), "");
    EXPECT_EQ(Utils::trim_right_string("  C "), "  C");
}

TEST(Utils, LookupsSignalNotFound) {
    const std::vector<Note> notes = {note("C"), note("D"), note("D")};
    EXPECT_EQ(Utils::index_array(notes, note("D")), 1u);
    EXPECT_THROW(Utils::index_array(notes, note("Db")), Not_found);

    const Utils::Num_alist<std::string> alist = {{mpq_class(1, 3), "third"}, {mpq_class(2, 4), "half"}};
    EXPECT_EQ(Utils::num_assoc(mpq_class(1, 2), alist), "half");
    EXPECT_TRUE(Utils::num_mem_assoc(mpq_class(2, 6), alist));
    EXPECT_FALSE(Utils::num_mem_assoc(mpq_class(1), alist));
    EXPECT_THROW(Utils::num_assoc(mpq_class(1), alist), Not_found);
}

}  // namespace
}  // namespace zub
