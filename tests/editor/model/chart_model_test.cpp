// The chart model and its undoable edits, driven from code without a window.
#include "editor/model/chart_model.h"

#include <QSignalSpy>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>

#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "editor/model/chart_edits.h"
#include "../chart_testing.h"
#include "../failure_testing.h"

namespace zub {
namespace {

using testing::chartOfBars;

std::vector<std::string> markers(const ChartModel& model) { return testing::markers(model.allBars()); }

Plist keyList(std::initializer_list<std::pair<const char*, std::int64_t>> entries) {
    Plist::Array list;
    for (const auto& [key, beats] : entries)
        list.push_back(Plist::make_dictionary({{"Key", Plist::make_string(key)}, {"Beats", Plist::make_integer(beats)}}));
    return Plist::make_array(std::move(list));
}

struct Recorded {
    explicit Recorded(const Plist& chart) : model(chart) {}
    ChartModel model;
    QUndoStack undo;
    ChartEdits edits{model, &undo};
};

// Every command by index: done, undone back to the chart it started from, redone.
TEST(ChartModel, EveryCommandUndoesAndRedoes) {
    const struct {
        const char* action;
        std::function<void(ChartEdits&)> edit;
        std::function<bool(const ChartModel&)> done;
    } cases[] = {
        {"Chord Entry", [](ChartEdits& e) { e.setChord({2, 3}, "B\u266D7", ""); },
         [](const ChartModel& m) { return m.chord({2, 3}) == "B\u266D7"; }},
        {"Append Bar", [](ChartEdits& e) { e.appendBlankBar({0, 0}); },
         [](const ChartModel& m) { return m.barCount() == 6 && m.chord({5, 0}).empty(); }},
        {"Paste", [](ChartEdits& e) { e.replaceBars({1, 0}, e.model().bars({3, 2}), {1, 0}, {3, 0}, "Paste"); },
         [](const ChartModel& m) {
             return markers(m) == std::vector<std::string>{"D1", "D4", "D5", "D2", "D3", "D4", "D5"} &&
                    m.chorus() == Chorus{2, 6, 2};  // inserted at its first bar, they join it
         }},
        {"Set Chorus", [](ChartEdits& e) { e.setChorus({1, 5, 2}, "Set Chorus"); },
         [](const ChartModel& m) { return m.chorus() == Chorus{1, 5, 2}; }},
        {"Set Section Mark", [](ChartEdits& e) { e.setSectionMark(4, 'B'); },
         [](const ChartModel& m) { return m.sectionMark(4) == 'B'; }},
        {"Change Key Centers", [](ChartEdits& e) { e.setKeyCenters(keyList({{"F", 6}, {"G", 14}})); },
         [](const ChartModel& m) { return m.keyCenters() == keyList({{"F", 6}, {"G", 14}}); }},
        {"Name Change", [](ChartEdits& e) { e.setName("Solar"); },
         [](const ChartModel& m) { return m.name() == "Solar"; }},
        {"Tempo Change", [](ChartEdits& e) { e.setTempo(208); }, [](const ChartModel& m) { return m.tempo() == 208; }},
    };
    for (const auto& c : cases) {
        Recorded r(chartOfBars(5, {2, 4, 2}));
        const Plist before = r.model.chart();
        c.edit(r.edits);
        ASSERT_TRUE(c.done(r.model)) << c.action;
        EXPECT_EQ(r.undo.undoText(), c.action);
        const Plist after = r.model.chart();
        r.undo.undo();
        EXPECT_EQ(r.model.chart(), before) << c.action;
        r.undo.redo();
        EXPECT_EQ(r.model.chart(), after) << c.action;
    }
}

TEST(ChartModel, SignalsCarryTheChangedRange) {
    ChartModel model(chartOfBars(5));
    QSignalSpy replaced(&model, &ChartModel::barsReplaced);
    QSignalSpy changed(&model, &ChartModel::barsChanged);
    QSignalSpy chorus(&model, &ChartModel::chorusChanged);
    model.replaceBars({1, 2}, model.bars({4, 1}));
    ASSERT_EQ(replaced.count(), 1);
    EXPECT_EQ(replaced[0][0].value<BarRange>(), (BarRange{1, 2}));
    EXPECT_EQ(replaced[0][1].value<std::size_t>(), 1u);
    model.storeChord({3, 2}, "C");
    model.setSectionMark(0, 'A');
    model.setKeyCenters(keyList({{"C", 16}}));
    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed[0][0].value<BarRange>(), (BarRange{3, 1}));
    EXPECT_EQ(changed[1][0].value<BarRange>(), (BarRange{0, 1}));
    EXPECT_EQ(changed[2][0].value<BarRange>(), (BarRange{0, 4}));
    model.setChorus(model.chorus());  // unchanged: not announced
    EXPECT_EQ(chorus.count(), 0);
    model.setChorus({1, 2, 1});
    EXPECT_EQ(chorus.count(), 1);
}

TEST(ChartModel, ErrorCases) {
    const struct {
        std::function<void(ChartEdits&)> edit;
        const char* reason;
    } cases[] = {
        {[](ChartEdits& e) { e.setChord({3, 0}, "C", ""); }, "Bar index out of range: 3"},
        {[](ChartEdits& e) { e.setChord({0, 4}, "C", ""); }, "Slot index out of range: 4"},
        {[](ChartEdits& e) { e.replaceBars({2, 2}, {}, {}, {}, "Delete"); }, "Bar index out of range: 4"},
        {[](ChartEdits& e) { e.replaceBars({0, 3}, {}, {}, {}, "Delete"); }, "A chart keeps at least one bar"},
        {[](ChartEdits& e) { e.setSectionMark(7, 'A'); }, "Bar index out of range: 7"},
        {[](ChartEdits& e) { e.setChorus({1, 2, 0}, "Set Chorus Repeats"); }, "Invalid chorus repeats: 0"},
        {[](ChartEdits& e) { e.setChorus({1, 2, -3}, "Set Chorus Repeats"); }, "Invalid chorus repeats: -3"},
        {[](ChartEdits& e) { e.setTempo(0); }, "Invalid tempo: 0"},
    };
    for (const auto& c : cases) {
        Recorded r(chartOfBars(3));
        const Plist before = r.model.chart();
        EXPECT_EQ(testing::reasonOf([&] { c.edit(r.edits); }), c.reason);
        EXPECT_EQ(r.model.chart(), before) << c.reason;
        EXPECT_EQ(r.undo.count(), 0) << c.reason;
    }
    // A bar without its chords is refused before anything changes.
    ChartModel model(chartOfBars(2));
    EXPECT_ANY_THROW(model.replaceBars({0, 1}, {Plist::make_dictionary({})}));
    EXPECT_EQ(markers(model), (std::vector<std::string>{"D1", "D2"}));
}

TEST(ChartModel, OneUserEventIsOneUndoStep) {
    Recorded r(chartOfBars(6));
    const Plist::Array moved = r.model.bars({1, 2});
    {
        ChartEdits::UserEvent event(r.edits);
        // A drag move: the bars taken out, then put in where they land.
        r.edits.replaceBars({1, 2}, {}, {1, 2}, {1, 0}, "Drag-and-Drop Move");
        r.edits.replaceBars({3, 0}, moved, {1, 0}, {3, 2}, "Drag-and-Drop Move");
        r.edits.setSectionMark(0, 'A');
    }
    EXPECT_EQ(markers(r.model), (std::vector<std::string>{"D1", "D4", "D5", "D2", "D3", "D6"}));
    ASSERT_EQ(r.undo.count(), 1);
    EXPECT_EQ(r.undo.undoText(), "Set Section Mark");  // the step is named after its last command
    r.undo.undo();
    EXPECT_EQ(r.model.chart(), chartOfBars(6));
}

TEST(ChartModel, ChangingTheBarsDiscardsTheAnalysis) {
    ChartModel model(chartOfBars(2));
    QSignalSpy analysis(&model, &ChartModel::analysisChanged);
    AnalysisResult result;
    result.annotations = {{"/", "I"}, {"/", "II"}};  // "/" takes the next slot, whatever its chord
    model.setAnalysis(result);
    ASSERT_TRUE(model.analysis());
    EXPECT_EQ(model.analysis()->roman(0, 1), "II");
    model.setSectionMark(0, 'A');  // a mark changes no chord
    EXPECT_TRUE(model.analysis());
    model.storeChord({0, 1}, "G7");
    EXPECT_FALSE(model.analysis());
    EXPECT_EQ(analysis.count(), 1);  // the bar signal itself tells views the analysis went
}

}  // namespace
}  // namespace zub
