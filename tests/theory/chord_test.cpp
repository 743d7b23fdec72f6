#include <gtest/gtest.h>

#include <algorithm>

#include "core/failure.h"
#include "core/theory/chord.h"
#include "core/theory/chordtype.h"
#include "core/theory/intvllist.h"
#include "core/theory/intvllisttbl.h"
#include "testing.h"

namespace zub {
namespace {

std::string printname_or_message(const std::string& symbol) {
    try {
        return chord_printname(symbol);
    } catch (const Failure& failure) {
        return failure.what();
    }
}

std::string spelled(const std::vector<Note>& notes) {
    std::string text;
    for (const Note& note : notes) text += (text.empty() ? "" : " ") + note.to_string();
    return text;
}

TEST(Intvllist, SortsSplitsAndPrints) {
    EXPECT_EQ(Intvllist::of_string("b7.3.5").to_string(), "3.5.b7");
    EXPECT_EQ(Intvllist::of_string("5.3"), Intvllist::of_string("3.5"));
    EXPECT_EQ(Intvllist::of_string(".3.5"), Intvllist::of_string("3.5"));
    EXPECT_EQ(Intvllist::of_string("3.5."), Intvllist::of_string("3.5"));
    EXPECT_TRUE(Intvllist::of_string("").empty());
    EXPECT_EQ(Intvllist::of_string("b2.#2.b2").to_string(), "b2.b2.#2");  // duplicates stay
    EXPECT_EQ(testing::failure_of([] { Intvllist::of_string("3..5"); }), "Invalid interval: ");
}

TEST(Intvllist, NthPrefersNaturalThenSharpThenFlat) {
    const Intvllist altered = Intvllist::of_string("3.#5.b7");
    EXPECT_EQ(altered.nth(5).to_string(), "#5");
    EXPECT_THROW(altered.nth(9), Not_found);
    EXPECT_EQ(Intvllist::of_string("b2.#2.3").nth(2).to_string(), "#2");
    EXPECT_EQ(Intvllist::of_string("b5.5").nth(5).to_string(), "5");
}

TEST(Intvllist, NearestHasMostInCommonThenFewestDifferingThenTheThird) {
    const std::vector<Intvllist> lists = {Intvllist::of_string("3.5"), Intvllist::of_string("3.5.b7"),
                                          Intvllist::of_string("3.5.7"), Intvllist::of_string("b3.b5"),
                                          Intvllist::of_string("b3.b5.b7"), Intvllist::of_string("5.7.9"),
                                          Intvllist::of_string("b3.5.7")};
    const std::pair<const char*, std::size_t> cases[] = {
        {"3.5.b7", 1},      // equal
        {"3.5.b7.b9", 1},   // 3 in common
        {"3", 0},           // 1 in common with four lists, 1 differing with the triad alone
        {"b3.b5.6", 3},     // dim7: 2 in common, then 1 differing
        {"b3.5.7.9", 6},    // mMaj9: 3 in common and 1 differing with two, the one keeping the minor third
        {"b2", 0},          // nothing in common: the first
        {"", 0},
    };
    for (const auto& [type, index] : cases) EXPECT_EQ(nearest(Intvllist::of_string(type), lists), index) << type;
    const Likeness seventh = likeness(Intvllist::of_string("3.5.b7"), Intvllist::of_string("3.5.7"));
    EXPECT_EQ(seventh.common, 2);
    EXPECT_EQ(seventh.differing, 2);
    EXPECT_THROW(nearest(Intvllist::of_string("3.5"), {}), Invalid_argument);
}

TEST(Intvllist, CompareIsLexicographicWithPrefixFirst) {
    const auto list = [](const char* text) { return Intvllist::of_string(text); };
    EXPECT_LT(Intvllist::compare(list("3.5"), list("3.5.b7")), 0);
    EXPECT_GT(Intvllist::compare(list("3.#5"), list("3.5.b7")), 0);
    EXPECT_EQ(Intvllist::compare(list(""), list("")), 0);
}

TEST(Intvllisttbl, LaterNameOfASharedListPrints) {
    Intvllisttbl table(4);
    const Intvllist augmented = Intvllist::of_string("3.#5.b7");
    table.define("7#5", augmented);
    table.define("7+", augmented);
    EXPECT_EQ(table.lookup("7#5"), augmented);
    EXPECT_EQ(table.lookup("7+"), augmented);
    EXPECT_EQ(table.revlookup(augmented), "7+");
    EXPECT_THROW(table.lookup("7b13"), Not_found);
    EXPECT_THROW(table.revlookup(Intvllist::of_string("3")), Not_found);
    EXPECT_EQ(table.keys().size(), 2u);
}

TEST(Chordtype, ListsWithoutANamePrintAsLists) {
    EXPECT_TRUE(Chordtype::of_string(":").empty());
    EXPECT_EQ(Chordtype::to_string(Intvllist::of_string("3.b7")), ":3.b7");
}

TEST(Chord, PrintsTheCanonicalName) {
    const std::pair<const char*, const char*> cases[] = {
        {"C7#5", "C7+"},           {"C7+", "C7+"},
        {"C9#5", "C9+"},           {"Cdim", "Cdim7"},
        {"C/C", "C"},              {"C7/E", "C7/E"},
        {"C:b3.5", "Cm"},          {"C:3.5.b7.b13", "C7b13"},
        {"Bbm7", "Bbm7"},          {"Bbb", "Bbb"},
        {"Cb9", "Cb9"},            {"F#7b9/A#", "F#7b9/A#"},
        {"C:5.3", "C"},            {"Ebm7b5", "Ebm7b5"},
        {"C:3.b7", "C:3.b7"},
        {"Cmaj7", "Unknown chord type: maj7"},
        {"C7 ", "Unknown chord type: 7 "},
        {"CM7", "Unknown chord type: M7"},
        {"Cb#", "Unknown chord type: #"},
        {"c7", "Invalid chord: c7"},
        {"H7", "Invalid chord: H7"},
        {"C/", "Invalid chord: C/"},
        {"C7/E/G", "Invalid chord: C7/E/G"},
        {"C/e", "Invalid chord: C/e"},
        {"", "Invalid chord: "},
        {"C:3..5", "Invalid interval: "},
        {"C:3.5.14", "Invalid interval: 14"},
        {"B##7", "B## + 3 results in invalid note"},
    };
    for (const auto& [symbol, expected] : cases) EXPECT_EQ(printname_or_message(symbol), expected) << symbol;
}

// Only a list that has a name changes; everything else is kept as written,
// so a reader may pass every symbol through it.
TEST(Chord, NamedSymbolNamesIntervalListsThatHaveAName) {
    const std::pair<const char*, const char*> cases[] = {
        {"B:3.5.b7.b13", "B7b13"},   {"Bb:b7.3.5.b13/D", "Bb7b13/D"}, {"C:3.5", "C"},
        {"F#:3.#5.b7", "F#7+"},      {"C:4.5.b7.9.13", "C13sus"},    {"C:3.b7", "C:3.b7"},
        {"C:4.5.b7.9.11.13", "C:4.5.b7.9.11.13"},                     {"C7#5", "C7#5"},
        {"Cmaj7", "Cmaj7"},          {"C7/", "C7/"},                 {"H:3.5", "H:3.5"},
        {"C:3..5", "C:3..5"},        {"C:3.5/e", "C:3.5/e"},         {"", ""},
    };
    for (const auto& [symbol, expected] : cases) {
        EXPECT_EQ(named_symbol(symbol), expected) << symbol;
        EXPECT_EQ(named_symbol(named_symbol(symbol)), named_symbol(symbol)) << symbol;
    }
}

// Musicians mean 13sus without the 11: the 4 is already there.
TEST(Chord, ThirteenSusHasNoEleven) {
    EXPECT_EQ(spelled(Chord::of_string("C13sus").notes()), "C F G Bb D A");
    EXPECT_EQ(chord_printname("C13sus"), "C13sus");
}

TEST(Chord, HoldsRootTypeBassAndTones) {
    const Chord c = Chord::of_string("C");
    EXPECT_EQ(spelled(c.notes()), "C E G");
    EXPECT_EQ(c.bass(), c.root());
    EXPECT_EQ(spelled(Chord::of_string("Csus").notes()), "C F G");
    EXPECT_EQ(spelled(Chord::of_string("C13").notes_above_root()), "E G Bb D F A");
    EXPECT_EQ(spelled(Chord::of_string("Cdim").notes()), "C Eb Gb A");
    EXPECT_EQ(Chord::of_string("Cdim").notes(), Chord::of_string("Cdim7").notes());
    EXPECT_EQ(spelled(Chord::of_string("C:").notes()), "C");
    EXPECT_EQ(Chord::of_string("C7/E").bass().to_string(), "E");
    EXPECT_EQ(Chord::of_string("C7").nth(7).to_string(), "Bb");
    EXPECT_EQ(Chord::of_string("C7").nth(3).to_string(), "E");
    EXPECT_THROW(Chord::of_string("C7").nth(9), Not_found);
}

TEST(Chord, CompareIgnoresTheBass) {
    EXPECT_EQ(Chord::compare(Chord::of_string("C7/E"), Chord::of_string("C7")), 0);
    EXPECT_FALSE(Chord::of_string("C7/E") == Chord::of_string("C7"));
    EXPECT_LT(Chord::compare(Chord::of_string("C7"), Chord::of_string("D7")), 0);
    EXPECT_LT(Chord::compare(Chord::of_string("C"), Chord::of_string("C7")), 0);
}

TEST(Chord, EveryChordTypeRoundTripsOnEveryRoot) {
    for (const char* root : {"C", "F#", "Bb", "Ebb", "G##"}) {
        for (const std::string& name : Chordtype::all_names()) {
            const std::string symbol = root + name;
            try {
                const Chord chord = Chord::of_string(symbol);
                EXPECT_EQ(Chord::of_string(chord.to_string()), chord) << symbol;
            } catch (const Failure&) {
                // Double alterations can leave the spellable range; that is a message, not a crash.
            }
        }
    }
}

}  // namespace
}  // namespace zub
