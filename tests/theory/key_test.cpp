#include <gtest/gtest.h>

#include "testing.h"

#include "core/theory/key.h"

namespace zub {
namespace {

using testing::failure_of;

TEST(Key, ParsesAndPrintsKeyNames) {
    for (const char* name : {"C", "Bb", "F#", "Ebm", "G#m", "Cb", "A#m"}) EXPECT_EQ(Key::of_string(name).to_string(), name);
    EXPECT_EQ(Key::of_string("Bbm").mode(), Key::Mode::minor);
    EXPECT_EQ(Key::of_string("Bb").tonic(), Note::of_string("Bb"));
}

TEST(Key, ErrorCases) {
    for (const char* bad : {"", "H", "c", "C##", "Ebbm", "Cmaj", "C m", "Cmm", "m"})
        EXPECT_EQ(failure_of([&] { Key::of_string(bad); }), std::string("Invalid key: ") + bad);
    EXPECT_EQ(failure_of([] { Key::of_tonic(Note::of_string("C##"), Key::Mode::minor); }), "Invalid key: C##m");
    EXPECT_EQ(failure_of([] { Key::of_string("C").moved_by(12); }), "Invalid number of semitones: 12");
    EXPECT_EQ(failure_of([] { Key::of_string("C").moved_by(-12); }), "Invalid number of semitones: -12");
}

TEST(Key, SignaturesCountSharpsAndFlats) {
    const std::vector<std::pair<const char*, int>> table = {
        {"C", 0}, {"A", 3}, {"F#", 6}, {"C#", 7}, {"Gb", -6}, {"Cb", -7}, {"Am", 0}, {"Ebm", -6}, {"G#m", 5}, {"Dm", -1}};
    for (const auto& [name, signature] : table) EXPECT_EQ(Key::of_string(name).signature(), signature) << name;
}

// The key N semitones away, spelled with the fewest accidentals; a tie goes to the flats.
TEST(Key, MovedByTakesTheSimplestSpelling) {
    const std::vector<std::tuple<const char*, int, const char*>> table = {
        {"Bb", 1, "B"},    {"Bb", -4, "Gb"}, {"C", 6, "Gb"},   {"C", -6, "Gb"}, {"C", 11, "B"},
        {"C", 1, "Db"},    {"Fm", 3, "G#m"}, {"Em", -1, "Ebm"}, {"Am", 1, "Bbm"}, {"C#", 0, "Db"},
        {"F#", 0, "Gb"},   {"D#m", 0, "Ebm"}, {"Cm", 1, "C#m"}, {"Gm", 5, "Cm"},  {"G", -11, "Ab"}};
    for (const auto& [from, semitones, to] : table)
        EXPECT_EQ(Key::of_string(from).moved_by(semitones).to_string(), to) << from << " by " << semitones;
}

// Musicians write the twelve major keys Db..B with F# or Gb, and their relative minors.
TEST(Key, AsWrittenByMusicians) {
    const std::vector<std::pair<const char*, const char*>> table = {
        {"D#", "Eb"},  {"G#", "Ab"},  {"A#", "Bb"},  {"C#", "Db"},  {"Cb", "B"},   {"Fb", "E"},  {"E#", "F"},
        {"B#", "C"},   {"F#", "F#"},  {"Gb", "Gb"},  {"Db", "Db"},  {"Dbm", "C#m"}, {"Gbm", "F#m"}, {"Abm", "G#m"},
        {"A#m", "Bbm"}, {"D#m", "D#m"}, {"Ebm", "Ebm"}, {"Cbm", "Bm"}, {"E#m", "Fm"}, {"Bbm", "Bbm"}};
    for (const auto& [key, written] : table) EXPECT_EQ(Key::of_string(key).as_written().to_string(), written) << key;
}

}  // namespace
}  // namespace zub
