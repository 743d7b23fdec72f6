#include <gtest/gtest.h>

#include "bridge/bridge_exception.h"
#include "bridge/my_constants.h"
#include "bridge/played_form.h"
#include "plist_testing.h"

namespace zub {
namespace {

Plist bar(const std::vector<std::string>& chords) { return testing::bar_dictionary(chords); }

Plist chart_of(Plist::Array bars, std::int64_t repeats = 1) {
    const Plist& empty = MyConstants::shared().newDocumentChartTemplate();
    const Plist chorus = Plist::make_dictionary({{"Begin", Plist::make_integer(1)},
                                                 {"End", Plist::make_integer(2147483647)},
                                                 {"Repeats", Plist::make_integer(repeats)}});
    return empty.with("Chords", Plist::make_array(std::move(bars))).with("Chorus", chorus);
}

std::string first_chords(const Plist& chart) {
    std::string text;
    for (const Plist& one : chart.array_at("Chords")) text += one.array_at("Chords").front().as_string() + " ";
    return text;
}

TEST(PlayedForm, WritesTheBarsOutInPlayingOrder) {
    const Plist yes = Plist::make_boolean(true);
    const Plist chart = chart_of({
        bar({"C", "", "", ""}).with("RepeatStart", yes),
        bar({"", "", "F", ""}),
        bar({"G7", "", "", ""}).with("Endings", Plist::make_array({Plist::make_integer(1)})).with("RepeatEnd", Plist::make_integer(2)),
        bar({"", "", "C", ""}).with("Endings", Plist::make_array({Plist::make_integer(2)})),
    }, 2);
    EXPECT_TRUE(hasForm(chart));
    const Plist played = playedChart(chart);
    // Two choruses of C | - F | G7 || C | - F | - C: a bar that follows the bar before it in
    // writing goes on with its chord; one played after a jump holds the chord written before it.
    EXPECT_EQ(first_chords(played), "C  G7 C  G7 C  G7 C  G7 ");
    EXPECT_EQ(played.dictionary_at("Chorus").integer_at("End"), 12);
    EXPECT_EQ(played.dictionary_at("Chorus").integer_at("Repeats"), 1);
    EXPECT_FALSE(hasForm(played));
    EXPECT_EQ(playedBars(chart, 1).size(), 6u);
    EXPECT_EQ(playedBars(chart)[6], (PlayedBar{0, 2}));
}

TEST(PlayedForm, TimeSignaturesWhereTheyChangeInPlayingOrder) {
    const Plist chart = chart_of({
        bar({"C", "", "", ""}).with("Segno", Plist::make_boolean(true)),
        bar({"F", "", ""}).with("Time", Plist::make_string("3/4")).with("Direction", Plist::make_string("D.S.")),
    });
    const Plist whole = playedChart(chart);
    const Plist::Array& played = whole.array_at("Chords");
    ASSERT_EQ(played.size(), 4u);
    EXPECT_EQ(played[0].find("Time"), nullptr);
    EXPECT_EQ(played[1].string_at("Time"), "3/4");
    EXPECT_EQ(played[2].string_at("Time"), "4/4");
    EXPECT_EQ(played[3].string_at("Time"), "3/4");
}

TEST(PlayedForm, ChartsWithoutMarksPlayTheirChorus) {
    const Plist chart = chart_of({bar({"C"}), bar({"F"})}, 3);
    EXPECT_FALSE(hasForm(chart));
    EXPECT_EQ(first_chords(playedChart(chart)), "C F C F C F ");
}

}  // namespace
}  // namespace zub
