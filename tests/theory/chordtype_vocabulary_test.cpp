// The chord-type vocabulary: the 38 original names keep their lists and prints,
// every added name has one list of its own, and a chord written as an interval
// list that now has a name prints as the name and reads back equal.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/failure.h"
#include "core/theory/chord.h"
#include "core/theory/chordkind.h"
#include "core/theory/chordtype.h"

namespace zub {
namespace {

struct Original {
    const char* name;
    const char* intervals;
    const char* printed;
};

// The original table as it stood, with the name each list prints under.
const Original originals[] = {
    {"", "3.5", ""},
    {"Maj7", "3.5.7", "Maj7"},
    {"Maj9", "3.5.7.9", "Maj9"},
    {"6", "3.5.6", "6"},
    {"69", "3.5.6.9", "69"},
    {"Maj7#11", "3.5.7.#11", "Maj7#11"},
    {"sus", "4.5", "sus"},
    {"7sus", "4.5.b7", "7sus"},
    {"9sus", "4.5.b7.9", "9sus"},
    {"m", "b3.5", "m"},
    {"m7", "b3.5.b7", "m7"},
    {"m9", "b3.5.b7.9", "m9"},
    {"m11", "b3.5.b7.9.11", "m11"},
    {"m6", "b3.5.6", "m6"},
    {"mMaj7", "b3.5.7", "mMaj7"},
    {"7", "3.5.b7", "7"},
    {"9", "3.5.b7.9", "9"},
    {"13", "3.5.b7.9.11.13", "13"},
    {"7b9", "3.5.b7.b9", "7b9"},
    {"13b9", "3.5.b7.b9.11.13", "13b9"},
    {"7#9", "3.5.b7.#9", "7#9"},
    {"13#9", "3.5.b7.#9.11.13", "13#9"},
    {"7b5", "3.b5.b7", "7b5"},
    {"9b5", "3.b5.b7.9", "9b5"},
    {"7#5", "3.#5.b7", "7+"},
    {"9#5", "3.#5.b7.9", "9+"},
    {"7+", "3.#5.b7", "7+"},
    {"9+", "3.#5.b7.9", "9+"},
    {"7#5#9", "3.#5.b7.#9", "7#5#9"},
    {"7b5b9", "3.b5.b7.b9", "7b5b9"},
    {"7#5b9", "3.#5.b7.b9", "7#5b9"},
    {"7b5#9", "3.b5.b7.#9", "7b5#9"},
    {"7#11", "3.5.b7.#11", "7#11"},
    {"9#11", "3.5.b7.9.#11", "9#11"},
    {"m7b5", "b3.b5.b7", "m7b5"},
    {"dim", "b3.b5.6", "dim7"},
    {"dim7", "b3.b5.6", "dim7"},
    {"+", "3.#5", "+"},
};

struct Added {
    const char* name;
    const char* intervals;
    const char* kind;  // the analysis's chord kind, as its list gives it
};

const Added added[] = {
    {"7b13", "3.5.b7.b13", "7"},          {"7alt", "3.b5.#5.b7.b9.#9", "7"},
    {"13#11", "3.5.b7.9.#11.13", "7"},    {"11", "3.5.b7.9.11", "7"},
    {"add9", "3.5.9", ""},                {"madd9", "b3.5.9", "m"},
    {"m69", "b3.5.6.9", "m6"},            {"mMaj9", "b3.5.7.9", "mMaj7"},
    {"mb6", "b3.5.b6", "m"},              {"m#5", "b3.#5", "??"},
    {"Maj7#5", "3.#5.7", "??"},           {"Maj9#11", "3.5.7.9.#11", ""},
    {"Maj13", "3.5.7.9.11.13", ""},       {"7b9b13", "3.5.b7.b9.b13", "7"},
    {"7b9#11", "3.5.b7.b9.#11", "7"},     {"7b9#9", "3.5.b7.b9.#9", "7"},
    {"7#9#11", "3.5.b7.#9.#11", "7"},     {"7#9b13", "3.5.b7.#9.b13", "7"},
    {"7b9sus", "4.5.b7.b9", "??"},        {"7b13sus", "4.5.b7.b13", "??"},
    {"13sus", "4.5.b7.9.13", "??"},       {"7susadd3", "3.4.5.b7", "7"},
    {"sus2", "2.5", "??"},                {"5", "5", "??"},
    {"dimMaj7", "b3.b5.7", "??"},         {"m9b5", "b3.b5.b7.9", "m7b5"},
    {"m13", "b3.5.b7.9.11.13", "m7"},     {"m7#5", "b3.#5.b7", "??"},
    {"9b13", "3.5.b7.9.b13", "7"},        {"13b9#11", "3.5.b7.b9.#11.13", "7"},
};

TEST(ChordtypeVocabulary, OriginalNamesKeepTheirListsAndPrints) {
    for (const Original& o : originals) {
        EXPECT_EQ(Chordtype::of_string(o.name), Intvllist::of_string(o.intervals)) << o.name;
        EXPECT_EQ(Chordtype::to_string(Chordtype::of_string(o.name)), o.printed) << o.name;
        EXPECT_EQ(chord_printname(std::string("C:") + o.intervals), std::string("C") + o.printed) << o.name;
    }
    // Case still matters and musicians' spellings are still not names of the core.
    for (const char* spelling : {"maj7", "M7", "-7", "alt", "69/", "min7"})
        EXPECT_THROW(Chordtype::of_string(spelling), Not_found) << spelling;
}

TEST(ChordtypeVocabulary, AddedNamesPrintAsWrittenAndAsTheirLists) {
    for (const Added& a : added) {
        const std::string name = a.name;
        EXPECT_EQ(Chordtype::of_string(name), Intvllist::of_string(a.intervals)) << name;
        for (const char* root : {"C", "Bb", "F#"}) {
            const std::string by_name = root + name;
            const std::string by_list = std::string(root) + ":" + a.intervals;
            EXPECT_EQ(chord_printname(by_name), by_name);
            EXPECT_EQ(chord_printname(by_list), by_name);
            EXPECT_EQ(Chord::of_string(by_list), Chord::of_string(by_name)) << by_list;
            EXPECT_EQ(Chord::of_string(chord_printname(by_list)).notes(), Chord::of_string(by_list).notes());
        }
        EXPECT_EQ(chord_printname("D" + name + "/F#"), "D" + name + "/F#");
        EXPECT_EQ(Chordkind::of_chordtype(Chordtype::of_string(name)), a.kind) << name;
    }
    EXPECT_EQ(std::size(originals) + std::size(added), Chordtype::all_names().size());
}

TEST(ChordtypeVocabulary, OnlyTheThreeOriginalPairsShareAList) {
    std::map<std::string, std::set<std::string>> names_of_list;
    for (const std::string& name : Chordtype::all_names())
        names_of_list[Chordtype::of_string(name).to_string()].insert(name);
    std::set<std::set<std::string>> shared;
    for (const auto& [list, names] : names_of_list)
        if (names.size() > 1) shared.insert(names);
    const std::set<std::set<std::string>> expected = {{"7#5", "7+"}, {"9#5", "9+"}, {"dim", "dim7"}};
    EXPECT_EQ(shared, expected);
}

TEST(ChordtypeVocabulary, SpellsTheTonesOfTheAddedChords) {
    const std::pair<const char*, const char*> cases[] = {
        {"D7b13", "D F# A C Bb"},       {"G7alt", "G B Db D# F Ab A#"}, {"C5", "C G"},
        {"Csus2", "C D G"},             {"Cdim", "C Eb Gb A"},          {"CdimMaj7", "C Eb Gb B"},
        {"Eb7susadd3", "Eb G Ab Bb Db"}, {"Amb6", "A C E F"},            {"Cm#5", "C Eb G#"},
    };
    for (const auto& [symbol, tones] : cases) {
        std::string spelled;
        for (const Note& note : Chord::of_string(symbol).notes()) spelled += (spelled.empty() ? "" : " ") + note.to_string();
        EXPECT_EQ(spelled, tones) << symbol;
    }
}

}  // namespace
}  // namespace zub
