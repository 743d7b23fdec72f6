#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/theory/chord.h"
#include "core/theory/chordkind.h"
#include "core/theory/chordtype.h"
#include "core/theory/roman.h"
#include "core/theory/romanchord.h"
#include "core/theory/simplchord.h"

namespace zub {
namespace {

Roman roman(const char* text) { return Roman::of_string(text); }
Intvl iv(const char* text) { return Intvl::of_string(text); }

std::string failure_of(auto&& action) {
    try {
        action();
    } catch (const Failure& failure) {
        return failure.what();
    }
    return "(no failure)";
}

TEST(Roman, ParsesAndPrintsEveryForm) {
    struct Case {
        const char* text;
        int n, alt;
    };
    for (const Case& c : {Case{"I", 0, 0}, {"II", 1, 0}, {"III", 2, 0}, {"IV", 3, 0}, {"V", 4, 0}, {"VI", 5, 0},
                          {"VII", 6, 0}, {"bIII", 2, -1}, {"#IV", 3, 1}, {"bbVII", 6, -2}, {"##I", 0, 2}}) {
        const Roman r = roman(c.text);
        EXPECT_EQ(r.n(), c.n) << c.text;
        EXPECT_EQ(r.alt(), c.alt) << c.text;
        EXPECT_EQ(r.to_string(), c.text);
        EXPECT_EQ(Roman::of_string(r.to_string()), r);
    }
}

TEST(Roman, ErrorCases) {
    for (const char* bad : {"iv", "", "b", "IIII", "VIII", "#bIV", "bbbI", "IV ", "Im"})
        EXPECT_EQ(failure_of([&] { roman(bad); }), std::string("Invalid roman: ") + bad);
    EXPECT_EQ(failure_of([] { Roman::of_intvl(iv("9")); }), "Invalid i: 8");
    EXPECT_EQ(failure_of([] { Roman::of_intvl(iv("#11")); }), "Invalid i: 10");
    EXPECT_EQ(failure_of([] { Roman::of_n_alt(7, 0); }), "Invalid n: 7");
    EXPECT_EQ(failure_of([] { Roman::of_n_alt(0, 3); }), "Invalid alt: 3");
}

TEST(Roman, IntervalsConvertBothWays) {
    for (const char* text : {"1", "b3", "5", "#4", "b7", "bb7", "7", "b2"}) {
        EXPECT_EQ(Roman::of_intvl(iv(text)).to_intvl(), iv(text)) << text;
    }
    EXPECT_EQ(Roman::of_intvl(iv("b3")).to_string(), "bIII");
    EXPECT_EQ(roman("bVII").to_intvl().to_string(), "b7");
}

TEST(Roman, ArithmeticIsThatOfCMajorNotes) {
    EXPECT_EQ(Roman::sub_roman(roman("V"), roman("II")).to_string(), "4");
    EXPECT_EQ(Roman::sub_roman(roman("I"), roman("V")).to_string(), "4");
    EXPECT_EQ(Roman::sub_roman(roman("bVII"), roman("I")).to_string(), "b7");
    EXPECT_EQ(failure_of([] { Roman::sub_roman(roman("##I"), roman("bbI")); }), "C## - Cbb results in invalid interval");
    EXPECT_FALSE(roman("#IV") == roman("bV"));
    EXPECT_TRUE(Roman::equiv(roman("#IV"), roman("bV")));
    EXPECT_FALSE(Roman::equiv(roman("IV"), roman("bV")));
    EXPECT_LT(Roman::compare(roman("#IV"), roman("bV")), 0);
    EXPECT_LT(Roman::compare(roman("bII"), roman("II")), 0);
    EXPECT_EQ(roman("bIII").semi(), 3);
}

TEST(Romanchord, ParsesNumeralThenKind) {
    struct Case {
        const char *text, *numeral, *kind;
    };
    for (const Case& c : {Case{"IIIm7", "III", "m7"}, {"IIm7", "II", "m7"}, {"IV7", "IV", "7"}, {"VII", "VII", ""},
                          {"#IVm7b5", "#IV", "m7b5"}, {"bVII7", "bVII", "7"}, {"I", "I", ""},
                          {"VImMaj7", "VI", "mMaj7"}, {"bIIdim", "bII", "dim"}, {"Vm6", "V", "m6"}}) {
        const Romanchord chord = Romanchord::of_string(c.text);
        EXPECT_EQ(chord.root().to_string(), c.numeral) << c.text;
        EXPECT_EQ(chord.kind(), c.kind) << c.text;
        EXPECT_EQ(chord.to_string(), c.text);
    }
}

TEST(Romanchord, ErrorCases) {
    EXPECT_EQ(failure_of([] { Romanchord::of_string("bbVII7"); }), "Invalid roman chord: bbVII7");
    EXPECT_EQ(failure_of([] { Romanchord::of_string("iim7"); }), "Invalid roman chord: iim7");
    EXPECT_EQ(failure_of([] { Romanchord::of_string(""); }), "Invalid roman chord: ");
    EXPECT_EQ(failure_of([] { Romanchord::of_string("V9"); }), "Invalid kind: 9");
    EXPECT_EQ(failure_of([] { Romanchord::of_string("IIm9"); }), "Invalid kind: m9");
    EXPECT_EQ(failure_of([] { Romanchord::of_string("V??"); }), "Invalid kind: ??");
    EXPECT_EQ(failure_of([] { Romanchord::of_root_kind(roman("V"), "??"); }), "Invalid kind: ??");
    EXPECT_EQ(Romanchord::of_root_kind(roman("bbVII"), "7").to_string(), "bbVII7");
}

TEST(Romanchord, OrderIsByNumeralThenKind) {
    auto rc = [](const char* text) { return Romanchord::of_string(text); };
    EXPECT_LT(Romanchord::compare(rc("IIm7"), rc("V7")), 0);
    EXPECT_LT(Romanchord::compare(rc("V"), rc("V7")), 0);
    EXPECT_LT(Romanchord::compare(rc("V7"), rc("Vm")), 0);
    EXPECT_EQ(Romanchord::compare(rc("bII7"), rc("bII7")), 0);
    EXPECT_FALSE(rc("#I7") == rc("bII7"));
}

TEST(Chordkind, EveryChordTypeHasItsKind) {
    struct Case {
        const char* kind;
        std::vector<const char*> types;
    };
    const std::vector<Case> cases = {
        {"", {"", "Maj7", "Maj9", "6", "69", "Maj7#11"}},
        {"7", {"7", "9", "13", "7b9", "13b9", "7#9", "13#9", "7b5", "9b5", "7#5", "9#5", "7+", "9+", "7#5#9",
               "7b5b9", "7#5b9", "7b5#9", "7#11", "9#11"}},
        {"m", {"m"}},
        {"m6", {"m6"}},
        {"m7", {"m7", "m9", "m11"}},
        {"mMaj7", {"mMaj7"}},
        {"m7b5", {"m7b5"}},
        {"dim", {"dim", "dim7"}},
        {"??", {"sus", "7sus", "9sus", "+"}},
    };
    std::size_t count = 0;
    for (const Case& c : cases)
        for (const char* type : c.types) {
            EXPECT_EQ(Chordkind::of_chordtype(Chordtype::of_string(type)), c.kind) << type;
            ++count;
        }
    EXPECT_EQ(count, 38u);
    // Degrees are compared with their alteration: a ninth is not a second.
    EXPECT_EQ(Chordkind::of_chordtype(Intvllist::of_string("2.b7")), "??");
}

TEST(Chordkind, ValidKindsAreExactlyTheEight) {
    for (const char* kind : {"7", "", "m6", "m7", "mMaj7", "m", "m7b5", "dim"}) EXPECT_TRUE(Chordkind::is_valid(kind));
    for (const char* kind : {"??", "9", "Maj7", "M", "m7 ", "dim7"}) EXPECT_FALSE(Chordkind::is_valid(kind)) << kind;
    EXPECT_EQ(Chordkind::intvlset_of_intvllist(Intvllist::of_string("b7.3.3")).size(), 2u);
    EXPECT_EQ(failure_of([] { Chordkind::invtlset_of_string_list({"3", "x"}); }), "Invalid interval: x");
}

TEST(Simplchord, ReducesToRootAndKind) {
    struct Case {
        const char *symbol, *printed;
    };
    for (const Case& c : {Case{"Dm9", "Dm7"}, {"G13b9", "G7"}, {"CMaj7", "C"}, {"Fsus", "F??"}, {"C7/E", "C7"},
                          {"Bbdim7", "Bbdim"}, {"F#m7b5", "F#m7b5"}, {"Ab69", "Ab"}})
        EXPECT_EQ(Simplchord::of_chord_name(c.symbol).to_string(), c.printed) << c.symbol;
    const Simplchord slash = Simplchord::of_chord_name("C7/E");
    EXPECT_EQ(slash.root().to_string(), "C");
    EXPECT_EQ(slash.kind(), "7");
    EXPECT_EQ(slash.orig().to_string(), "C7/E");
    EXPECT_EQ(failure_of([] { Simplchord::of_chord_name("Cmaj7"); }), "Unknown chord type: maj7");
}

TEST(Simplchord, OrderIgnoresTheOriginalChord) {
    auto sc = [](const char* symbol) { return Simplchord::of_chord_name(symbol); };
    EXPECT_EQ(Simplchord::compare(sc("C7"), sc("C13")), 0);
    EXPECT_LT(Simplchord::compare(sc("C"), sc("C7")), 0);
    EXPECT_LT(Simplchord::compare(sc("C#m"), sc("Db")), 0);
    EXPECT_GT(Simplchord::compare(sc("Cm"), sc("C7")), 0);
}

}  // namespace
}  // namespace zub
