#include <gtest/gtest.h>

#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "bridge/chart_document.h"
#include "bridge/internal/chart_conversion.h"
#include "bridge/internal/form_keys.h"
#include "bridge/my_constants.h"
#include "plist_testing.h"
#include "testing.h"

namespace zub {
namespace {

Plist bar(const std::vector<std::string>& chords) { return testing::bar_dictionary(chords); }

Plist chart_of(Plist::Array bars) {
    const Plist& empty = MyConstants::shared().newDocumentChartTemplate();
    return empty.with("Chords", Plist::make_array(std::move(bars)));
}

Plist yes() { return Plist::make_boolean(true); }

std::string reason_of(auto&& action) { return testing::message_of<Bridge_exception>(action); }

// Each mark on a bar of its own: the document keeps it, the core record
// carries it and brings it back.
TEST(FormKeys, EveryMarkCrossesToTheCoreAndBack) {
    const Plist plain = bar({"C", "", "", ""});
    const Plist marked[] = {
        plain.with("RepeatStart", yes()),
        plain.with("RepeatEnd", Plist::make_integer(3)),
        plain.with("Endings", Plist::make_array({Plist::make_integer(1), Plist::make_integer(2)})),
        plain.with("Segno", yes()),
        plain.with("ToCoda", yes()),
        plain.with("Coda", yes()),
        plain.with("Fine", yes()),
        plain.with("Direction", Plist::make_string("D.S. al 2nd End.")),
        bar({"C", "", "", "", ""}).with("Time", Plist::make_string("5/4")),
        bar({"C", "N.C."}).with("Time", Plist::make_string("6/8")),
        bar({"N.C.", "", "G7", ""}),
    };
    for (const Plist& one : marked) {
        const Plist chart = chart_of({plain, one, plain});
        checkChartDictionary(chart);
        const Plist back = dictionaryFromCoreChart(convertChart(chart), chart.at("Font"));
        EXPECT_EQ(back.array_at("Chords"), chart.array_at("Chords")) << one;
        EXPECT_EQ(chartFromDocumentBytes(chartDocumentBytes(chart), chart.at("Font")), chart) << one;
    }
}

TEST(FormKeys, ChartsWithoutMarksCrossAsBefore) {
    const Plist chart = chart_of({bar({"C", "", "", ""})});
    EXPECT_EQ(convertChart(chart).fields().size(), 7u);
    EXPECT_EQ(convertChart(chart_of({bar({"C", "", "", ""}).with("Fine", yes())})).fields().size(), 8u);
}

TEST(FormKeys, WithBarFormSetsOnlyTheKeysItNeeds) {
    Bar_form form;
    form.repeat_end = 4;
    form.direction = Direction::of_string("D.C. al Fine");
    const Plist marked = withBarForm(bar({"C"}).with("Segno", yes()), form);
    EXPECT_EQ(marked.find("Segno"), nullptr);
    EXPECT_EQ(marked.integer_at("RepeatEnd"), 4);
    EXPECT_EQ(barFormOf(marked), form);
    EXPECT_EQ(withBarForm(marked, {}), bar({"C"}));
}

TEST(FormKeys, ErrorCases) {
    const Plist plain = bar({"C", "", "", ""});
    const std::pair<Plist, std::string> cases[] = {
        {plain.with("Segno", Plist::make_string("yes")), "Bar 1: Wrong type for key Segno: expected boolean, found string"},
        {plain.with("RepeatEnd", Plist::make_integer(1)), "Bar 1: Invalid repeat count: 1"},
        {plain.with("RepeatEnd", Plist::make_integer(1000)), "Bar 1: Invalid repeat count: 1000"},
        {plain.with("Endings", Plist::make_array({Plist::make_integer(0)})), "Bar 1: Invalid ending: 0"},
        {plain.with("Endings", Plist::make_array({Plist::make_integer(2), Plist::make_integer(1)})), "Bar 1: Invalid ending: 1"},
        {plain.with("Direction", Plist::make_string("D.X.")), "Bar 1: Invalid direction: D.X."},
        {plain.with("Direction", Plist::make_string("D.C. al 4th End.")), "Bar 1: Invalid direction: D.C. al 4th End."},
        {plain.with("Time", Plist::make_string("5/3")), "Bar 1: Invalid time signature: 5/3"},
        {plain.with("Time", Plist::make_string("5/4")), "Bar 1: Time 5/4 needs 5 slots, Chords has 4"},
    };
    for (const auto& [one, reason] : cases) EXPECT_EQ(reason_of([&, &one = one] { checkChartDictionary(chart_of({one})); }), reason);
}

}  // namespace
}  // namespace zub
