// The Form menu's rules on bars, and their changes as undoable steps of the model.
#include "editor/model/form_mark_rules.h"

#include <QUndoStack>

#include <gtest/gtest.h>

#include "../chart_testing.h"
#include "../failure_testing.h"
#include "bridge/bridge_exception.h"
#include "bridge/form_marks.h"
#include "bridge/played_form.h"
#include "bridge/transposition.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"

namespace zub {
namespace {

using testing::chartOfBars;
using testing::reasonOf;

std::vector<std::string> marksOf(const Plist::Array& bars) {
    std::vector<std::string> out;
    for (const Plist& bar : bars) out.push_back(testing::formMarksText(bar));
    return out;
}

Plist::Array applied(Plist::Array bars, const BarsChange& change) {
    std::copy(change.bars.begin(), change.bars.end(),
              bars.begin() + static_cast<std::ptrdiff_t>(change.range.location));
    return bars;
}

TEST(FormMarkRules, EachMarkGoesOnTheBarMusiciansPutItOn) {
    const Plist::Array bars = chartOfBars(5).array_at("Chords");
    const BarRange marked{1, 3};
    struct Case {
        const char* name;
        BarsChange change;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"start repeat", toggledFlag(bars, marked, FormFlag::repeat_start), {"", "RepeatStart", "", "", ""}},
        {"segno", toggledFlag(bars, marked, FormFlag::segno), {"", "Segno", "", "", ""}},
        {"coda", toggledFlag(bars, marked, FormFlag::coda), {"", "Coda", "", "", ""}},
        {"to coda", toggledFlag(bars, marked, FormFlag::to_coda), {"", "", "", "ToCoda", ""}},
        {"fine", toggledFlag(bars, marked, FormFlag::fine), {"", "", "", "Fine", ""}},
        {"end repeat", withRepeatEnd(bars, marked, 3), {"", "", "", "RepeatEnd=3", ""}},
        {"ending", withEndings(bars, marked, {1, 2}), {"", "Endings=1,2", "Endings=1,2", "Endings=1,2", ""}},
        {"direction", withDirection(bars, marked, "D.S. al Coda"), {"", "", "", "Direction=D.S. al Coda", ""}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.change.range, marked) << c.name;
        EXPECT_EQ(marksOf(applied(bars, c.change)), c.expected) << c.name;
    }
}

TEST(FormMarkRules, MarksComeOffAsTheyWentOn) {
    Plist::Array bars = chartOfBars(3).array_at("Chords");
    bars = applied(bars, toggledFlag(bars, {0, 3}, FormFlag::segno));
    bars = applied(bars, withRepeatEnd(bars, {0, 3}, 2));
    bars = applied(bars, withEndings(bars, {1, 1}, {2}));
    bars = applied(bars, withDirection(bars, {0, 3}, "D.C."));
    EXPECT_EQ(marksOf(bars), (std::vector<std::string>{"Segno", "Endings=2", "Direction=D.C. RepeatEnd=2"}));
    Plist::Array cleared = applied(bars, toggledFlag(bars, {0, 3}, FormFlag::segno));
    cleared = applied(cleared, withRepeatEnd(cleared, {2, 1}, 0));
    cleared = applied(cleared, withEndings(cleared, {1, 1}, {}));
    cleared = applied(cleared, withDirection(cleared, {2, 1}, ""));
    EXPECT_EQ(marksOf(cleared), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(marksOf(applied(bars, withoutFormMarks(bars, {0, 3}))), (std::vector<std::string>{"", "", ""}));
}

TEST(FormMarkRules, TheMarkedBarsOfASelection) {
    EXPECT_EQ(markedBars({2, 0}, 8), (BarRange{2, 1}));
    EXPECT_EQ(markedBars({2, 3}, 8), (BarRange{2, 3}));
    EXPECT_EQ(markedBars({8, 0}, 8), std::nullopt);
    EXPECT_EQ(markedBars({6, 3}, 8), std::nullopt);
    EXPECT_THROW(toggledFlag(chartOfBars(2).array_at("Chords"), {1, 2}, FormFlag::fine), Bridge_exception);
}

// The slots of each bar and its marks, "3 Time=3/4".
std::vector<std::string> meters(const Plist::Array& bars) {
    std::vector<std::string> out;
    for (const Plist& bar : bars) out.push_back(testing::slotsAndMarksText(bar));
    return out;
}

TEST(FormMarkRules, ATimeSignatureChangesTheSelectedBarsOnly) {
    const Plist::Array bars = chartOfBars(5).array_at("Chords");
    struct Case {
        BarRange marked;
        const char* time;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{1, 2}, "3/4", {"4", "3 Time=3/4", "3", "4 Time=4/4", "4"}},
        {{3, 2}, "5/4", {"4", "4", "4", "5 Time=5/4", "5"}},
        {{0, 1}, "4/4", {"4", "4", "4", "4", "4"}},  // the chart's own meter needs no mark
        {{0, 1}, "12/8", {"4 Time=12/8", "4 Time=4/4", "4", "4", "4"}},
        {{2, 0}, "6/8", {"4", "4", "2 Time=6/8", "4 Time=4/4", "4"}},
    };
    for (const Case& c : cases) {
        const BarsChange change = withTimeSignature(bars, *markedBars(c.marked, bars.size()), 4, c.time);
        EXPECT_EQ(meters(applied(bars, change)), c.expected) << c.time;
    }
    // Back to the meter it was in: the mark after the selection is no longer needed.
    const Plist::Array waltz = applied(bars, withTimeSignature(bars, {1, 2}, 4, "3/4"));
    EXPECT_EQ(meters(applied(waltz, withTimeSignature(waltz, {1, 2}, 4, "4/4"))),
              (std::vector<std::string>{"4", "4", "4", "4", "4"}));
    EXPECT_EQ(timeInForce(waltz, 2, 4), "3/4");
    EXPECT_EQ(timeInForce(waltz, 4, 4), "4/4");
    EXPECT_THROW(withTimeSignature(bars, {0, 1}, 4, "5/3"), Bridge_exception);
}

TEST(FormMarkRules, AShorterBarDropsTheLastChordsAndKeepsItsKeyCenter) {
    Plist bar = chartOfBars(1).array_at("Chords")[0];
    bar = bar.with("Keys", Plist::make_array({Plist::make_string("F"), Plist::make_string("F"),
                                              Plist::make_string("Dm"), Plist::make_string("Dm")}));
    const Plist three = barWithSlots(bar, 3);
    EXPECT_EQ(three.array_at("Chords").size(), 3u);
    EXPECT_EQ(three.array_at("Keys")[2].as_string(), "Dm");
    const Plist six = barWithSlots(bar, 6);
    EXPECT_EQ(six.array_at("Keys")[5].as_string(), "Dm");
    EXPECT_EQ(six.array_at("Chords")[5].as_string(), "");
}

struct Recorded {
    explicit Recorded(const Plist& chart) : model(chart) {}
    ChartModel model;
    QUndoStack undo;
    ChartEdits edits{model, &undo};
};

TEST(FormEdits, EachChangeIsOneUndoableStep) {
    Recorded r(chartOfBars(4));
    const Plist before = r.model.chart();
    const BarsChange change = withTimeSignature(r.model.allBars(), {1, 1}, 4, "3/4");
    r.edits.changeBars(change.range, change.bars, {1, 1}, "Time Signature");
    ASSERT_EQ(r.undo.count(), 1);
    EXPECT_EQ(r.undo.undoText(), "Time Signature");
    EXPECT_EQ(r.model.slotCount(1), 3u);
    EXPECT_EQ(hasForm(r.model.chart()), true);
    r.undo.undo();
    EXPECT_EQ(r.model.chart(), before);
    r.undo.redo();
    EXPECT_EQ(r.model.slotCount(1), 3u);
    // A change that changes nothing is no step.
    r.edits.changeBars({0, 1}, r.model.bars({0, 1}), {0, 1}, "Segno");
    EXPECT_EQ(r.undo.count(), 1);
}

TEST(FormEdits, TheModelRefusesMarksADocumentCouldNotHold) {
    Recorded r(chartOfBars(2));
    const Plist bad = r.model.bar(0).with("RepeatEnd", Plist::make_integer(1));
    EXPECT_EQ(reasonOf([&] { r.model.changeBars({0, 1}, {bad}); }), "Bar 1: Invalid repeat count: 1");
    EXPECT_THROW(r.model.changeBars({0, 1}, {}), Bridge_exception);
    EXPECT_EQ(r.model.chart(), chartOfBars(2));
}

TEST(ChartPropertiesEdits, ANewMeterResizesTheBarsUntilTheFirstTimeSignature) {
    Recorded r(chartOfBars(3));
    const BarsChange waltz = withTimeSignature(r.model.allBars(), {2, 1}, 4, "3/4");
    r.model.changeBars(waltz.range, waltz.bars);
    ChartProperties properties = r.model.properties();
    properties.meter = 2;
    properties.composer = "Thelonious Monk";
    properties.styleType = 28;
    properties.tempo = 200;
    r.edits.setProperties(properties);
    EXPECT_EQ(r.undo.undoText(), "Chart Properties");
    EXPECT_EQ(r.model.properties(), properties);
    EXPECT_EQ(meters(r.model.allBars()), (std::vector<std::string>{"2", "2", "3 Time=3/4"}));
    r.undo.undo();
    EXPECT_EQ(r.model.meter(), 4);
    EXPECT_EQ(r.model.composer(), "");
    EXPECT_EQ(meters(r.model.allBars()), (std::vector<std::string>{"4", "4", "3 Time=3/4"}));
    EXPECT_FALSE(r.model.chart().find("Composer"));  // saved as it was read
}

TEST(FormMarks, TheBridgeNamesTheMarksTheMenuOffers) {
    EXPECT_EQ(timeSignatureSlots("7/4"), 7u);
    EXPECT_EQ(timeSignatureSlots("12/8"), 4u);
    EXPECT_EQ(timeSignatureOfMeter(3), "3/4");
    EXPECT_EQ(reasonOf([] { timeSignatureOfMeter(9); }), "Invalid time signature: 9/4");
    const std::vector<std::string> directions = directionNames();
    EXPECT_EQ(directions.size(), 12u);
    EXPECT_EQ(directions[2], "D.C. al Coda");
    EXPECT_EQ(directions.back(), "D.S. al 3rd End.");
}

TEST(FormMarks, AFormThatCannotBePlayedSaysWhy) {
    Plist chart = chartOfBars(4);
    EXPECT_EQ(formProblem(chart), "");
    Plist::Array bars = chart.array_at("Chords");
    bars[1] = bars[1].with("ToCoda", Plist::make_boolean(true));
    bars[3] = bars[3].with("Direction", Plist::make_string("D.C. al Coda"));
    EXPECT_EQ(formProblem(chart.with("Chords", Plist::make_array(bars))), "Bar 2: To Coda without a coda after it");
}

// A chart with every kind of mark and an N.C.
Plist markedChart() {
    Plist::Array bars = testing::chartOfBars(4).array_at("Chords");
    bars = applied(bars, toggledFlag(bars, {0, 1}, FormFlag::segno));
    bars = applied(bars, toggledFlag(bars, {0, 1}, FormFlag::repeat_start));
    bars = applied(bars, withEndings(bars, {1, 1}, {1}));
    bars = applied(bars, withRepeatEnd(bars, {1, 1}, 2));
    bars = applied(bars, withEndings(bars, {2, 1}, {2}));
    bars = applied(bars, withTimeSignature(bars, {2, 1}, 4, "3/4"));
    bars = applied(bars, withDirection(bars, {3, 1}, "D.S. al Fine"));
    bars = applied(bars, toggledFlag(bars, {2, 1}, FormFlag::fine));
    Plist::Array chords = bars[3].array_at("Chords");
    chords[2] = Plist::make_string("N.C.");
    bars[3] = bars[3].with("Chords", Plist::make_array(chords));
    return testing::chartOfBars(4).with("Chords", Plist::make_array(bars));
}

std::vector<std::string> formOf(const Plist::Array& bars) {
    std::vector<std::string> out = marksOf(bars);
    for (std::size_t i = 0; i < bars.size(); ++i)
        for (const Plist& slot : bars[i].array_at("Chords"))
            if (slot.as_string() == "N.C.") out[i] += " N.C.";
    return out;
}

TEST(FormKept, ThroughCopyPasteDeleteTranspositionAndParts) {
    const Plist chart = markedChart();
    const std::vector<std::string> form = formOf(chart.array_at("Chords"));
    ASSERT_EQ(form, (std::vector<std::string>{"RepeatStart Segno", "Endings=1 RepeatEnd=2", "Endings=2 Fine Time=3/4",
                                              "Direction=D.S. al Fine Time=4/4 N.C."}));
    Recorded r(chart);
    // Copy bars 1-2 and paste them at the end; delete them from the front.
    const Plist::Array copied = r.model.bars({0, 2});
    r.edits.replaceBars({4, 0}, copied, {4, 0}, {6, 0}, "Paste");
    r.edits.replaceBars({0, 2}, {}, {0, 2}, {0, 0}, "Delete");
    const std::vector<std::string> moved = formOf(r.model.allBars());
    EXPECT_EQ(moved, (std::vector<std::string>{form[2], form[3], form[0], form[1]}));
    // A new bar after a bar in 3/4 is in 3/4.
    r.edits.replaceBars({0, 4}, r.model.bars({0, 1}), {0, 0}, {0, 0}, "Delete");
    r.edits.appendBlankBar({0, 0});
    EXPECT_EQ(r.model.slotCount(1), 3u);
    // Transposed, and in the E♭ part, the chart keeps every mark and its N.C.
    const Plist transposed = transposeChartBy(chart, 3);
    EXPECT_EQ(formOf(transposed.array_at("Chords")), form);
    EXPECT_EQ(formOf(partForInstrument(chart, Instrument::e_flat).array_at("Chords")), form);
}

TEST(FormKept, ABlankBarAfterTheLastTimeSignatureHasItsSlots) {
    Plist::Array bars = testing::chartOfBars(3).array_at("Chords");
    bars = applied(bars, withTimeSignature(bars, {2, 1}, 4, "5/4"));
    EXPECT_EQ(slotsInForce(bars, 2, 4), 5u);
    EXPECT_EQ(slotsInForce(bars, 1, 4), 4u);
    EXPECT_EQ(slotsInForce(testing::chartOfBars(1).array_at("Chords"), 0, 9), 9u);  // a meter no mark names
}

}  // namespace
}  // namespace zub
