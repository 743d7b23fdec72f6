#include <gtest/gtest.h>

#include "bridge/my_constants.h"
#include "bridge/bridge_exception.h"
#include "testing.h"

namespace zub {
namespace {

TEST(MyConstants, TemplateIsEightEmptyBarsInFourFour) {
    const Plist& chart = MyConstants::shared().newDocumentChartTemplate();
    EXPECT_EQ(chart.string_at("Key"), "C");
    EXPECT_EQ(chart.integer_at("Tempo"), 120);
    EXPECT_EQ(chart.dictionary_at("Style").integer_at("Meter"), 4);
    EXPECT_EQ(chart.dictionary_at("Chorus").integer_at("Begin"), 1);
    EXPECT_EQ(chart.dictionary_at("Chorus").integer_at("End"), 2147483647);
    EXPECT_EQ(chart.dictionary_at("Chorus").integer_at("Repeats"), 1);
    EXPECT_NO_THROW(chart.dictionary_at("Font").string_at("FontName"));
    EXPECT_GT(chart.dictionary_at("Font").real_at("PointSize"), 0);
    EXPECT_NO_THROW(chart.string_at("Name"));
    const Plist::Array& bars = chart.array_at("Chords");
    ASSERT_EQ(bars.size(), 8u);
    const Plist empty_slots = Plist::make_array(Plist::Array(4, Plist::make_string("")));
    for (const Plist& bar : bars) {
        EXPECT_EQ(bar.at("Chords"), empty_slots);
        EXPECT_EQ(bar.at("Keys"), empty_slots);
        EXPECT_EQ(bar.integer_at("SectionMark"), 32);
    }
}

TEST(MyConstants, ErrorCases) {
    const Plist complete = Plist::make_dictionary({
        {"Sharp", Plist::make_string("#")},
        {"Flat", Plist::make_string("b")},
        {"ChordCharacters", Plist::make_string("ABC")},
        {"ChordViewHorizontalPadding", Plist::make_integer(4)},
        {"DefaultSizeChordSample", Plist::make_string("C")},
        {"NewDocumentChartTemplate", Plist::make_dictionary({})},
    });
    EXPECT_EQ(MyConstants::from_plist(complete).chordViewHorizontalPadding(), 4.0);
    const struct {
        Plist table;
        std::string message;
    } cases[] = {
        {Plist::make_dictionary({}), "Missing key: Sharp"},
        {complete.with("Flat", Plist::make_integer(1)), "Wrong type for key Flat: expected string, found integer"},
        {complete.with("NewDocumentChartTemplate", Plist::make_array({})),
         "Wrong type for key NewDocumentChartTemplate: expected dictionary, found array"},
        {Plist::make_array({}), "Expected dictionary, found array"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(testing::message_of<Bridge_exception>([&] { MyConstants::from_plist(c.table); }), c.message);
}

}  // namespace
}  // namespace zub
