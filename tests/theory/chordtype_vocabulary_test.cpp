// The chord-type vocabulary: every name prints as written but for the original
// pairs that share a list, every added name has one list of its own, and a chord
// written as an interval list that has a name prints as the name and reads back equal.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "core/failure.h"
#include "core/theory/chord.h"
#include "core/theory/chordkind.h"
#include "core/theory/chordtype.h"

namespace zub {
namespace {

// The names whose list another name shares, with the name that list prints as.
const std::map<std::string, std::string> shared_lists = {{"7#5", "7+"}, {"9#5", "9+"}, {"dim", "dim7"}};

TEST(ChordtypeVocabulary, EveryNamePrintsAsWrittenAndAsItsList) {
    for (const Chorddef& def : Chordtype::definitions()) {
        const std::string name(def.name), intervals(def.intervals);
        const std::string printed = shared_lists.contains(name) ? shared_lists.at(name) : name;
        EXPECT_EQ(Chordtype::to_string(Chordtype::of_string(name)), printed) << name;
        for (const std::string root : {"C", "Bb", "F#"}) {
            const std::string by_list = root + ":" + intervals;
            EXPECT_EQ(chord_printname(root + name), root + printed);
            EXPECT_EQ(chord_printname(by_list), root + printed);
            EXPECT_EQ(Chord::of_string(by_list), Chord::of_string(root + name)) << by_list;
        }
        EXPECT_EQ(chord_printname("D" + name + "/F#"), "D" + printed + "/F#");
    }
    // Case still matters and musicians' spellings are still not names of the core.
    for (const char* spelling : {"maj7", "M7", "-7", "alt", "69/", "min7"})
        EXPECT_THROW(Chordtype::of_string(spelling), Not_found) << spelling;
}

// The analysis's chord kind of each added name, as its list gives it.
TEST(ChordtypeVocabulary, AddedNamesHaveTheKindsOfTheirLists) {
    const std::pair<const char*, const char*> kinds[] = {
        {"7b13", "7"},     {"7alt", "7"},    {"13#11", "7"},    {"11", "7"},        {"add9", ""},
        {"madd9", "m"},    {"m69", "m6"},    {"mMaj9", "mMaj7"}, {"mb6", "m"},      {"m#5", "??"},
        {"Maj7#5", "??"},  {"Maj9#11", ""},  {"Maj13", ""},     {"7b9b13", "7"},    {"7b9#11", "7"},
        {"7b9#9", "7"},    {"7#9#11", "7"},  {"7#9b13", "7"},   {"7b9sus", "??"},   {"7b13sus", "??"},
        {"13sus", "??"},   {"7susadd3", "7"}, {"sus2", "??"},   {"5", "??"},        {"dimMaj7", "??"},
        {"m9b5", "m7b5"},  {"m13", "m7"},    {"m7#5", "??"},    {"9b13", "7"},      {"13b9#11", "7"},
    };
    for (const auto& [name, kind] : kinds) EXPECT_EQ(Chordkind::of_chordtype(Chordtype::of_string(name)), kind) << name;
    EXPECT_EQ(original_chorddef_count + std::size(kinds), Chordtype::all_names().size());
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
