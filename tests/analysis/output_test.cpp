#include "core/analysis/output.h"

#include <gtest/gtest.h>

#include "core/failure.h"

namespace zub {
namespace {

Analysis_result output_of(const std::string& key, const std::vector<Chord_entry>& chords) {
    return Output::dvi_output(Annotate::annotate({{key, Structana::structana(chords)}}));
}

using Texts = std::vector<std::pair<std::string, std::string>>;

TEST(Output, SlotsAreEqualWithinABar) {
    struct Case {
        const char* what;
        std::vector<Chord_entry> chords;
        Texts slots;
        std::vector<bool> barlines;
    };
    const std::vector<Case> cases = {
        {"one chord", {{"C", 4}}, {{"C", "I"}}, {true}},
        {"two halves", {{"Dm7", 2}, {"G7", 2}}, {{"Dm7", "IIm7"}, {"G7", "V7"}}, {true, false}},
        {"three and one", {{"C", 3}, {"G7", 1}}, {{"C", "I"}, {"/", ""}, {"/", ""}, {"G7", "V7"}}, {true, false, false, false}},
        {"held over the bar line", {{"C", 6}, {"F", 2}}, {{"C", "I"}, {"/", ""}, {"F", "IV"}}, {true, true, false}},
        {"incomplete last bar left out", {{"C", 4}, {"F", 2}}, {{"C", "I"}}, {true}},
        {"empty chart", {}, {}, {}},
    };
    for (const auto& c : cases) {
        auto result = output_of("C", c.chords);
        EXPECT_EQ(result.chords, c.slots) << c.what;
        EXPECT_EQ(result.barlines, c.barlines) << c.what;
        EXPECT_EQ(result.arrows.size(), c.slots.size()) << c.what;
        EXPECT_EQ(result.keys.size(), c.slots.size()) << c.what;
        EXPECT_EQ(result.brackets.size(), c.slots.size()) << c.what;
    }
}

TEST(Output, ArrowsKeysAndBracketsPointAtSlots) {
    auto result = output_of("C", {{"Dm7", 2}, {"G7", 2}, {"C", 4}});
    ASSERT_EQ(result.chords.size(), 3u);
    EXPECT_EQ(result.arrows[1], (Slot_arrow{Slot_arrow::Kind::Solid, 2}));
    EXPECT_EQ(result.keys[0], "C");
    EXPECT_EQ(result.brackets[0], (Bracket{Bracket::Kind::Solid, 1}));
    EXPECT_FALSE(result.arrows[0] || result.arrows[2] || result.keys[1] || result.brackets[1]);

    // A ii-V whose ii is not a fifth above the V is bracketed dotted.
    auto tritone = output_of("C", {{"Dm7", 2}, {"Db7", 2}, {"C", 4}});
    ASSERT_TRUE(tritone.brackets[0]);
    EXPECT_EQ(tritone.brackets[0]->kind, Bracket::Kind::Dotted);
}

TEST(Output, PassingChordCarriesTheSecondArrow) {
    auto seg = [](const char* symbol, int t, int d) { return Ae::chord(Chordelem(t, d, Simplchord::of_chord_name(symbol))); };
    std::vector<Ae> elements = {seg("D7", 0, 4), Ae::passthru(seg("Ab7", 4, 2), seg("G7", 6, 2)), seg("C", 8, 4)};
    auto result = Output::dvi_output(Annotate::annotate({{"C", elements}}));
    ASSERT_EQ(result.chords.size(), 4u);
    EXPECT_EQ(result.arrows[0], (Slot_arrow{Slot_arrow::Kind::Passthru1, 1}));
    EXPECT_EQ(result.arrows[1], (Slot_arrow{Slot_arrow::Kind::Passthru2, 2}));
    EXPECT_EQ(result.arrows[2], (Slot_arrow{Slot_arrow::Kind::Solid, 3}));
}

TEST(Output, NothingPointsIntoTheDroppedBar) {
    // G7 resolves to C in the unfinished second bar: the arrow is left out.
    auto result = output_of("C", {{"Dm7", 2}, {"G7", 2}, {"C", 2}});
    ASSERT_EQ(result.chords.size(), 2u);
    EXPECT_FALSE(result.arrows[1]);
    auto at = [](const char* symbol, int t, int d) { return Ae::chord(Chordelem(t, d, Simplchord::of_chord_name(symbol))); };
    auto two_keys = Output::dvi_output(Annotate::annotate({{"C", {at("C", 0, 4)}}, {"F", {at("F", 4, 2)}}}));
    EXPECT_EQ(two_keys.keys, (std::vector<std::optional<std::string>>{"C"}));
}

}  // namespace
}  // namespace zub
