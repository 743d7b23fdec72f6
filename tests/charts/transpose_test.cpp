#include <gtest/gtest.h>

#include <sstream>

#include "testing.h"

#include "core/charts/transpose.h"

namespace zub {
namespace {

using testing::failure_of;

// A chart of whole-bar chords: "| Cm7 F7 | BbMaj7 |", each chord 4 beats long
// (the durations do not matter to transposition).
Chart chart_of(const std::string& key, const std::string& bars) {
    std::vector<Chart::Bar> record;
    std::istringstream in(bars);
    std::string word;
    while (in >> word) {
        if (word == "|") {
            record.emplace_back();
        } else {
            record.back().push_back({word, 4});
        }
    }
    record.pop_back();  // after the closing bar line
    return Chart("Tune", {4, 1}, key, 120, std::move(record), {1, 2, 3}, {{1, 'A'}});
}

std::string bars_of(const Chart& chart) {
    std::string text = "|";
    for (const Chart::Bar& bar : chart.bars()) {
        for (const Chart::Entry& entry : bar) text += " " + entry.symbol;
        text += " |";
    }
    return text;
}

const std::string tune = "| Cm7 F7 | BbMaj7 | Am7b5 D7b9 | Gm | C#7 | F#m7b5/C |";

TEST(Transpose, TheExamplesFromBb) {
    const Chart chart = chart_of("Bb", tune);
    const std::vector<std::tuple<const char*, std::string>> to_key = {
        {"Eb", "| Fm7 Bb7 | EbMaj7 | Dm7b5 G7b9 | Cm | F#7 | Bm7b5/F |"},
        {"E", "| F#m7 B7 | EMaj7 | D#m7b5 G#7b9 | C#m | G7 | B#m7b5/F# |"},  // B#: F#m7b5 stays the #Vm7b5
        {"Bb", tune},
    };
    for (const auto& [key, expected] : to_key) {
        const Chart moved = Transpose::chart(chart, Key::of_string(key));
        EXPECT_EQ(bars_of(moved), expected) << key;
        EXPECT_EQ(moved.key(), key);
    }
    const Chart by_one = Transpose::chart_by(chart, 1);
    EXPECT_EQ(bars_of(by_one), "| C#m7 F#7 | BMaj7 | A#m7b5 D#7b9 | G#m | D7 | Gm7b5/C# |");
    EXPECT_EQ(by_one.key(), "B");
    EXPECT_EQ(Transpose::chart_by(Transpose::chart_by(chart, 5), -5), chart);
}

TEST(Transpose, OnlyRootsBassNotesAndTheKeyChange) {
    const Chart chart = chart_of("C", "| C7#5 Dmaj7 | C:3.5.b7.b13/E |");
    const Chart moved = Transpose::chart_by(chart, 2);
    EXPECT_EQ(bars_of(moved), "| D7#5 Emaj7 | D:3.5.b7.b13/F# |");  // types as written, even unknown ones
    EXPECT_EQ(moved.name(), chart.name());
    EXPECT_EQ(moved.style(), chart.style());
    EXPECT_EQ(moved.tempo(), chart.tempo());
    EXPECT_EQ(moved.chorus(), chart.chorus());
    EXPECT_EQ(moved.sections(), chart.sections());
    EXPECT_EQ(moved.bars()[0][1].duration, 4);
}

// Respelling: double accidentals only, so a note keeps its interval to the tonic where it can.
TEST(Transpose, RespellsWhatAMusicianWouldNotWrite) {
    struct Row {
        const char *from, *to, *note, *moved;
    };
    const std::vector<Row> rows = {
        {"Bb", "E", "C#", "G"},     // F## -> G
        {"Bb", "E", "F#", "B#"},    // the #V of E
        {"D", "F#", "A#", "D"},     // C## -> D
        {"D", "F#", "G#", "B#"},    // the #IV of F#
        {"C", "F#", "B", "E#"},     // E# is its seventh
        {"C", "Gb", "F", "Cb"},     // Cb is the fourth of Gb
        {"C", "Gb", "E", "Bb"},
        {"Am", "C#m", "G#", "B#"},  // the raised seventh of C#m
        {"Cm", "C#m", "E", "E#"},   // the III of C#m
        {"C", "Db", "Cb", "C"},     // Dbb -> C
        {"C", "Db", "Gbb", "Gb"},   // Abbb leans flat: Gb
        {"C", "Db", "Fbb", "E"},    // Gbbb -> E
        {"C", "Bb", "Fb", "D"},     // Ebb -> D
        {"C", "Bb", "Cbb", "Ab"},   // Bbbb leans flat: Ab
        {"C", "Bb", "Cb", "A"},     // Bbb -> A
        {"C", "D", "E#", "G"},      // F## -> G
        {"C", "D", "B#", "D"},      // C## -> D
        {"A", "B", "B##", "D#"},    // C### leans sharp: D#
        {"C", "E", "A##", "D#"},    // C### again
        {"C", "C", "E#", "E#"},     // without a step nothing moves
    };
    for (const Row& row : rows) {
        const Transposition transposition(Key::of_string(row.from), Key::of_string(row.to));
        EXPECT_EQ(transposition.note(Note::of_string(row.note)).to_string(), row.moved)
            << row.note << " from " << row.from << " to " << row.to;
    }
}

TEST(Transpose, KeyCentersMoveWithTheChords) {
    const Transposition up_a_fourth(Key::of_string("Bb"), Key::of_string("Eb"));
    const std::vector<Key_center_entry> centers = {{"Gm", 8}, {"Bb", 4}, {"F#m", 2}};
    const std::vector<Key_center_entry> moved = {{"Cm", 8}, {"Eb", 4}, {"Bm", 2}};
    EXPECT_EQ(Transpose::key_centers(centers, up_a_fourth), moved);
    EXPECT_EQ(up_a_fourth.key_name("D#m"), "G#m");
}

// Each area moves to its key as written, its chords keeping their numerals: from C to E,
// the area in E goes to Ab and its B7 to Eb7; chords past the last center go with the chart's key.
TEST(Transpose, KeyCenterAreasMoveToWrittenKeys) {
    const Chart chart = chart_of("C", "| Dm7 G7 | F#m7 B7 | EMaj7 | C#m7 F#7 | Bm7 E7 |");
    const std::vector<Key_center_entry> centers = {{"C", 8}, {"E", 20}};  // four beats a chord
    const Chart moved = Transpose::chart(chart, Key::of_string("E"), centers);
    EXPECT_EQ(bars_of(moved), "| F#m7 B7 | Bbm7 Eb7 | AbMaj7 | Fm7 Bb7 | D#m7 G#7 |");
    EXPECT_EQ(moved.key(), "E");
    EXPECT_EQ(Transpose::key_centers(centers, Transposition(Key::of_string("C"), Key::of_string("E"))),
              (std::vector<Key_center_entry>{{"E", 8}, {"Ab", 20}}));
    EXPECT_EQ(Transpose::chart(chart, Key::of_string("D#"), centers).key(), "Eb");
}

TEST(Transpose, ErrorCases) {
    const Transposition c_to_d(Key::of_string("C"), Key::of_string("D"));
    for (const char* symbol : {"H7", "c7", "7", "/C", "C7/", "C7/e", "C/E/G", "C/Bbb7"})
        EXPECT_EQ(failure_of([&] { c_to_d.symbol(symbol); }), std::string("Invalid chord: ") + symbol);
    EXPECT_EQ(c_to_d.symbol("C###"), "E#");  // root C## (moved to D##, plainly E), type "#" unread
    EXPECT_EQ(c_to_d.symbol(""), "");
    EXPECT_EQ(failure_of([&] { c_to_d.key_name("Hm"); }), "Invalid key: Hm");
    EXPECT_EQ(failure_of([] { Transposition(Key::of_string("Gm"), Key::of_string("Eb")); }),
              "Cannot transpose from Gm to Eb: the modes differ");
    // B# is written C, so the step from Fb is a spelled one.
    EXPECT_EQ(Transposition(Key::of_string("Fb"), Key::of_string("B#")).to().to_string(), "C");
    EXPECT_EQ(failure_of([] { Transposition(Key::of_string("B#"), Key::of_string("Gb")); }),
              "Cannot transpose from B# to Gb");
    EXPECT_EQ(failure_of([] { Transpose::chart(chart_of("H", "| C |"), Key::of_string("D")); }), "Invalid key: H");
    EXPECT_EQ(failure_of([] { Transpose::chart_by(chart_of("C", "| C | D H7 |"), 2); }), "Bar 2: Invalid chord: H7");
    EXPECT_EQ(failure_of([] { Transpose::chart_by(chart_of("C", "| C |"), 12); }), "Invalid number of semitones: 12");
}

}  // namespace
}  // namespace zub
