// The Edit menu's rules on a chart model alone: no view, no clipboard, no widget.
#include "editor/model/bar_edit_rules.h"

#include <QUndoStack>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "bridge/chart_dictionary.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "../chart_testing.h"

namespace zub {
namespace {

using testing::chartOfBars;

// Where undo and redo would return the user: the selection the rules leave.
class SelectionRecorder : public EditingFocus {
public:
    void selectBars(BarRange range) override { selected = range; }
    void editSlot(SlotRef) override {}
    std::optional<BarRange> selected;
};

class BarEditRulesTest : public ::testing::Test {
protected:
    void open(const Plist& chart) {
        stack_.clear();
        model_.setChart(chart);
        original_ = model_.chart();
        focus_.selected.reset();
    }
    std::vector<std::string> markers() const { return testing::markers(model_.allBars()); }
    void undoAll() {
        while (stack_.canUndo()) stack_.undo();
    }

    ChartModel model_{chartOfBars(1)};
    QUndoStack stack_;
    SelectionRecorder focus_;
    ChartEdits edits_{model_, &stack_};
    BarEditRules rules_{edits_};
    Plist original_ = Plist::make_dictionary({});

    void SetUp() override { edits_.setFocus(&focus_); }
};

TEST_F(BarEditRulesTest, CutCopyPasteAndDelete) {
    open(chartOfBars(5));
    const std::optional<Plist::Array> copied = rules_.copy(BarRange{1, 2});
    ASSERT_TRUE(copied);
    EXPECT_TRUE(rules_.paste(BarRange{5, 0}, *copied));
    EXPECT_EQ(markers(), (std::vector<std::string>{"D1", "D2", "D3", "D4", "D5", "D2", "D3"}));
    EXPECT_EQ(focus_.selected, (BarRange{7, 0}));
    EXPECT_EQ(stack_.undoText(), "Paste");
    const std::optional<Plist::Array> cut = rules_.cut(BarRange{0, 2});
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->front().array_at("Chords")[0].as_string(), "D1");
    EXPECT_EQ(markers(), (std::vector<std::string>{"D3", "D4", "D5", "D2", "D3"}));
    EXPECT_EQ(stack_.undoText(), "Cut");
    EXPECT_TRUE(rules_.deleteBackward(BarRange{2, 0}));
    EXPECT_EQ(markers(), (std::vector<std::string>{"D3", "D5", "D2", "D3"}));
    EXPECT_EQ(focus_.selected, (BarRange{1, 0}));
    EXPECT_TRUE(rules_.deleteForward(BarRange{1, 0}));
    EXPECT_EQ(markers(), (std::vector<std::string>{"D3", "D2", "D3"}));
    EXPECT_EQ(stack_.undoText(), "Delete");
    // Refused, with nothing to undo: cutting an insertion point, deleting before
    // the first bar, any rule while a chord is typed (no bar selection).
    const int steps = stack_.count();
    EXPECT_FALSE(rules_.cut(BarRange{0, 0}));
    EXPECT_FALSE(rules_.deleteBackward(BarRange{0, 0}));
    EXPECT_FALSE(rules_.copy(std::nullopt));
    EXPECT_FALSE(rules_.paste(std::nullopt, *copied));
    EXPECT_FALSE(rules_.deleteSelection(std::nullopt));
    EXPECT_EQ(stack_.count(), steps);
    undoAll();
    EXPECT_EQ(model_.chart(), original_);
}

TEST_F(BarEditRulesTest, DeletingEveryBarLeavesOneBlankBarAndOneUndo) {
    open(chartOfBars(4));
    EXPECT_TRUE(rules_.deleteSelection(rules_.everyBar()));
    EXPECT_EQ(model_.barCount(), 1u);
    EXPECT_EQ(model_.allBars()[0], oneBlankBar(4).as_array().front());
    EXPECT_EQ(focus_.selected, (BarRange{0, 1}));
    // Pasting nothing over every bar would leave no bar at all.
    EXPECT_FALSE(rules_.paste(rules_.everyBar(), {}));
    stack_.undo();
    EXPECT_EQ(model_.chart(), original_);
    EXPECT_EQ(focus_.selected, (BarRange{0, 4}));
}

TEST_F(BarEditRulesTest, ChorusFollowsTheBars) {
    struct Case {
        const char* what;
        std::function<void(BarEditRules&)> act;
        Chorus after;
    };
    const Plist::Array three = chartOfBars(3).array_at("Chords");
    const Case cases[] = {
        {"paste three at 2", [&](BarEditRules& r) { r.paste(BarRange{2, 0}, three); }, {3, 9, 2}},
        {"delete bars 1-2", [](BarEditRules& r) { r.deleteSelection(BarRange{0, 2}); }, {1, 4, 2}},
        {"delete exactly the chorus", [](BarEditRules& r) { r.deleteSelection(BarRange{2, 4}); },
         {1, Chorus::to_the_end, 2}},
        {"set chorus", [](BarEditRules& r) { r.setChorus(BarRange{1, 3}); }, {2, 4, 2}},
        {"repeats", [](BarEditRules& r) { r.setChorusRepeats(5); }, {3, 6, 5}},
    };
    for (const Case& c : cases) {
        open(chartOfBars(8, {3, 6, 2}));
        c.act(rules_);
        EXPECT_EQ(model_.chorus(), c.after) << c.what;
        EXPECT_EQ(stack_.count(), 1) << c.what;
        stack_.undo();
        EXPECT_EQ(model_.chart(), original_) << c.what;
    }
    open(chartOfBars(8));
    rules_.deleteSelection(BarRange{0, 3});
    EXPECT_EQ(model_.chorus(), (Chorus{1, Chorus::to_the_end, 1}));  // a chorus to the end never changes
    // A chorus is played at least once: other counts are refused, with nothing to undo.
    for (int repeats : {0, -2}) {
        EXPECT_FALSE(rules_.setChorusRepeats(repeats));
        EXPECT_EQ(model_.chorus().repeats, 1) << repeats;
    }
    EXPECT_EQ(stack_.undoText(), "Delete");
}

TEST_F(BarEditRulesTest, DragMoveAndItsSingleUndo) {
    open(chartOfBars(8));
    const Plist::Array dragged = model_.bars({1, 2});
    EXPECT_TRUE(rules_.moveBars({1, 2}, 6, dragged));
    EXPECT_EQ(markers(), (std::vector<std::string>{"D1", "D4", "D5", "D6", "D2", "D3", "D7", "D8"}));
    EXPECT_EQ(focus_.selected, (BarRange{4, 2}));
    EXPECT_EQ(stack_.count(), 1);
    EXPECT_EQ(stack_.undoText(), "Drag-and-Drop Move");
    stack_.undo();
    EXPECT_EQ(model_.chart(), original_);
    EXPECT_FALSE(rules_.moveBars({1, 2}, 3, dragged));  // right after itself: nothing
    EXPECT_EQ(stack_.count(), 1);
    EXPECT_TRUE(rules_.copyBars(0, dragged, {1, 2}));
    EXPECT_EQ(markers().front(), "D2");
    EXPECT_EQ(focus_.selected, (BarRange{0, 2}));
    EXPECT_EQ(stack_.undoText(), "Drag-and-Drop Copy");
    EXPECT_FALSE(rules_.copyBars(model_.barCount() + 1, dragged, {0, 0}));
}

TEST_F(BarEditRulesTest, SectionMarksAndTheirMenuRule) {
    open(chartOfBars(3));
    EXPECT_FALSE(rules_.canSetSectionMark(BarRange{3, 0}));  // after the last bar
    EXPECT_FALSE(rules_.setSectionMark(BarRange{3, 0}, 0));
    EXPECT_EQ(stack_.count(), 0);
    EXPECT_TRUE(rules_.canSetSectionMark(BarRange{1, 0}));
    EXPECT_FALSE(BarEditRules::canSetChorus(BarRange{1, 0}));
    EXPECT_TRUE(BarEditRules::canSetChorus(BarRange{1, 1}));
    EXPECT_FALSE(rules_.canSetSectionMark(std::nullopt));
    rules_.setSectionMark(BarRange{1, 0}, 1);
    EXPECT_EQ(model_.allBars()[1].integer_at("SectionMark"), 'B');
    EXPECT_EQ(stack_.undoText(), "Set Section Mark");
    rules_.setSectionMark(BarRange{1, 0}, 2);
    EXPECT_EQ(model_.allBars()[1].integer_at("SectionMark"), 32);
    undoAll();
    EXPECT_EQ(model_.chart(), original_);
}

TEST_F(BarEditRulesTest, KeyCenterForTheSelection) {
    open(chartOfBars(4));
    const QStringList keys = keyCenterMenuTitles();
    EXPECT_EQ(keys.size(), 24);
    EXPECT_TRUE(keys.contains(QString::fromUtf8("G\u266D")));
    EXPECT_TRUE(keys.contains(QString::fromUtf8("F\u266Fm")));
    EXPECT_TRUE(rules_.setKeyCenter(BarRange{1, 2}, QString::fromUtf8("B\u266D")));
    for (std::size_t bar : {1u, 2u}) {
        const Plist& dict = model_.allBars()[bar];
        for (const Plist& key : dict.array_at("Keys")) EXPECT_EQ(key.as_string(), "Bb");
        EXPECT_EQ(dict.array_at("Chords"), original_.array_at("Chords")[bar].array_at("Chords"));
    }
    EXPECT_EQ(model_.allBars()[0], original_.array_at("Chords")[0]);
    EXPECT_EQ(focus_.selected, (BarRange{1, 2}));
    EXPECT_EQ(stack_.undoText(), "Set Key Center");
    EXPECT_FALSE(rules_.setKeyCenter(BarRange{1, 0}, "F"));  // an insertion point has no bars to mark
    stack_.undo();
    EXPECT_EQ(model_.chart(), original_);
}

}  // namespace
}  // namespace zub
