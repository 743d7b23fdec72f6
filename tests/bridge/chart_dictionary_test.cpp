#include <gtest/gtest.h>

#include <functional>

#include "bridge/chart_dictionary.h"
#include "bridge/my_constants.h"
#include "bridge/bridge_exception.h"
#include "plist_testing.h"
#include "testing.h"

namespace zub {
namespace {

using testing::strings;

// A bar written as "C - - F" ("-" an empty slot), with a section mark.
Plist bar(const std::string& slots, std::int64_t mark = no_section_mark) {
    return testing::bar_dictionary(testing::slot_words(slots), {}, mark);
}

std::string pairs_text(const std::vector<std::vector<ChordDurationPair>>& bars) {
    std::string text;
    for (const auto& pairs : bars) {
        text += "[";
        for (const auto& pair : pairs) text += "(" + pair.chord + "," + std::to_string(pair.beats) + ")";
        text += "]";
    }
    return text;
}

TEST(ChordDurationPairs, CarryChordsAcrossBarLines) {
    const struct {
        std::vector<std::string> bars;
        std::string pairs;
    } cases[] = {
        {{"C - - -", "- - F -"}, "[(C,4)][(C,2)(F,2)]"},
        {{"- - G7 -"}, "[(,2)(G7,2)]"},
        {{"B\u266D7 - E\u266D\u0394 -", "F\u266F\u00F87 - - -"}, "[(Bb7,2)(Eb\u0394,2)][(F#\u00F87,4)]"},
        {{"C D E F"}, "[(C,1)(D,1)(E,1)(F,1)]"},
        {{"C", "-", "D"}, "[(C,1)][(C,1)][(D,1)]"},
        {{}, ""},
    };
    for (const auto& c : cases) {
        Plist::Array bars;
        for (const std::string& b : c.bars) bars.push_back(bar(b));
        EXPECT_EQ(pairs_text(chordDurationPairsFromChords(bars)), c.pairs);
    }
}

TEST(BarSectionPairs, OnlyMarkedBarsInOrder) {
    const Plist::Array bars = {bar("C", 'A'), bar("C"), bar("C", 'B'), bar("C", 'A')};
    EXPECT_EQ(barSectionPairsFromChords(bars),
              (std::vector<BarSectionPair>{{1, 'A'}, {3, 'B'}, {4, 'A'}}));
    EXPECT_TRUE(barSectionPairsFromChords({bar("C")}).empty());
}

TEST(SlotsFromChordDurationPairs, WritesHeldBeatsAsEmptySlots) {
    EXPECT_EQ(slotsFromChordDurationPairs({{"C", 2}, {"F#7", 2}}), strings({"C", "", "F\u266F7", ""}));
    EXPECT_EQ(slotsFromChordDurationPairs({{"Bb", 1}, {"C", 0}, {"D", -4}}), strings({"B\u266D", "C", "D"}));
    EXPECT_EQ(slotsFromChordDurationPairs({}), strings({}));
    EXPECT_EQ(slotsFromChordDurationPairs({{"C", max_bar_slots}}).as_array().size(),
              static_cast<std::size_t>(max_bar_slots));
}

TEST(OneBlankBar, MeterSlotsAllEmpty) {
    EXPECT_EQ(oneBlankBar(3), Plist::make_array({bar("- - -")}));
    EXPECT_EQ(oneBlankBar(1), Plist::make_array({bar("-")}));
}

TEST(FixChorusEnd, EndOfChartBecomesTheBarCount) {
    const Plist& chart = MyConstants::shared().newDocumentChartTemplate();
    EXPECT_EQ(fixChorusEnd(chart).dictionary_at("Chorus").integer_at("End"), 8);
    const Plist explicit_end = chart.with("Chorus", chart.dictionary_at("Chorus").with("End", Plist::make_integer(4)));
    EXPECT_EQ(fixChorusEnd(explicit_end), explicit_end);
}

TEST(CheckChartDictionary, TheTemplateIsComplete) {
    EXPECT_NO_THROW(checkChartDictionary(MyConstants::shared().newDocumentChartTemplate()));
}

std::string failure_of(const std::function<void()>& action) { return testing::message_of<Bridge_exception>(action); }

TEST(CheckChartDictionary, ErrorCases) {
    const Plist chart = MyConstants::shared().newDocumentChartTemplate();
    const Plist& style = chart.dictionary_at("Style");
    const Plist& chorus = chart.dictionary_at("Chorus");
    const Plist bad_keys = bar("C - - -").with("Keys", strings({"", ""}));
    const struct {
        Plist chart;
        std::string message;
    } cases[] = {
        {Plist::make_array({}), "Expected dictionary, found array"},
        {chart.with("Name", Plist::make_integer(1)), "Wrong type for key Name: expected string, found integer"},
        {chart.with("Style", style.with("Meter", Plist::make_integer(0))), "Style: Invalid meter: 0"},
        {chart.with("Style", style.with("Meter", Plist::make_integer(max_meter + 1))), "Style: Invalid meter: 65"},
        {chart.with("Style", Plist::make_dictionary({{"Meter", Plist::make_integer(4)}})),
         "Style: Missing key: StyleType"},
        {chart.with("Tempo", Plist::make_string("fast")), "Wrong type for key Tempo: expected integer, found string"},
        {chart.with("Composer", Plist::make_integer(1955)), "Wrong type for key Composer: expected string, found integer"},
        {chart.with("Chorus", chorus.with("End", Plist::make_real(2))),
         "Chorus: Wrong type for key End: expected integer, found real"},
        {chart.with("Chords", Plist::make_dictionary({})),
         "Wrong type for key Chords: expected array, found dictionary"},
        {chart.with("Chords", Plist::make_array({bar("C"), Plist::make_string("C")})),
         "Bar 2: Expected dictionary, found string"},
        {chart.with("Chords", Plist::make_array({bar("")})), "Bar 1: no slots"},
        {chart.with("Chords", Plist::make_array({bad_keys})), "Bar 1: Keys has 2 slots, Chords has 4"},
        {chart.with("Chords", Plist::make_array({bar("C").with("Chords", Plist::make_array({Plist::make_integer(7)}))})),
         "Bar 1: Expected string, found integer"},
        {chart.with("Chords", Plist::make_array({bar("C", 300)})), "Bar 1: Invalid section mark: 300"},
        {chart.with("Chords", Plist::make_array({bar("C", 0)})), "Bar 1: Invalid section mark: 0"},
        {chart.with("Font", Plist::make_dictionary({{"FontName", Plist::make_string("Helvetica")}})),
         "Font: Missing key: PointSize"},
        {Plist::make_dictionary({}), "Missing key: Name"},
    };
    for (const auto& c : cases) EXPECT_EQ(failure_of([&] { checkChartDictionary(c.chart); }), c.message);
    EXPECT_EQ(failure_of([] { oneBlankBar(0); }), "Invalid meter: 0");
    EXPECT_EQ(failure_of([] { slotsFromChordDurationPairs({{"C", 1000}, {"D", 25}}); }),
              "Too many slots in a bar: 1025");
}

}  // namespace
}  // namespace zub
