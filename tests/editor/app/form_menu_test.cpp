// The Form menu in a document window: each mark set on the selected bars as
// one undoable step, the form that cannot be played named in the status bar,
// and the playhead of a chart with endings and a D.S.
#include <QFileInfo>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "../chart_testing.h"
#include "bridge/played_form.h"
#include "editor/app/form_menu.h"
#include "editor/app/my_document.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/transport/playhead.h"
#include "editor/view/chart_view.h"
#include "playback/time_map.h"

namespace zub {
namespace {

using testing::chartOfBars;

// The Form menu's item of that title (without its & marks), searched through the submenus.
QAction* formItem(MyDocument& document, const QString& title) {
    QMenu* form = document.menuBar()->findChild<FormMenu*>()->menu();
    std::vector<QMenu*> menus{form};
    while (!menus.empty()) {
        QMenu* menu = menus.back();
        menus.pop_back();
        for (QAction* item : menu->actions()) {
            if (item->menu())
                menus.push_back(item->menu());
            else if (QString(item->text()).remove('&') == title)
                return item;
        }
    }
    ADD_FAILURE() << "no item " << title.toStdString();
    return nullptr;
}

using testing::slotsAndMarksText;

std::vector<std::string> barsText(const ChartModel& model) {
    std::vector<std::string> out;
    for (const Plist& bar : model.allBars()) out.push_back(slotsAndMarksText(bar));
    return out;
}

TEST(FormMenu, EachMarkIsSetOnTheSelectedBarsAndUndoneInOneStep) {
    struct Case {
        const char* item;
        BarRange selection;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"Start Repeat", {1, 2}, {"4", "4 RepeatStart", "4", "4"}},
        {"Played 3 Times", {1, 2}, {"4", "4", "4 RepeatEnd=3", "4"}},
        {"2. Ending", {2, 2}, {"4", "4", "4 Endings=2", "4 Endings=2"}},
        {"1., 2. Ending", {1, 1}, {"4", "4 Endings=1,2", "4", "4"}},
        {"Segno", {1, 0}, {"4", "4 Segno", "4", "4"}},
        {"To Coda", {0, 2}, {"4", "4 ToCoda", "4", "4"}},
        {"Coda", {3, 1}, {"4", "4", "4", "4 Coda"}},
        {"Fine", {2, 1}, {"4", "4", "4 Fine", "4"}},
        {"D.S. al Coda", {2, 1}, {"4", "4", "4 Direction=D.S. al Coda", "4"}},
        {"D.C. al 2nd End.", {3, 1}, {"4", "4", "4", "4 Direction=D.C. al 2nd End."}},
        {"3/4", {1, 2}, {"4", "3 Time=3/4", "3", "4 Time=4/4"}},
        {"7/4", {3, 0}, {"4", "4", "4", "7 Time=7/4"}},
        {"12/8", {0, 4}, {"4 Time=12/8", "4", "4", "4"}},
    };
    for (const Case& c : cases) {
        MyDocument document(chartOfBars(4), QString());
        const std::vector<std::string> before = barsText(document.model());
        document.chartView()->selectBars(c.selection);
        QAction* item = formItem(document, QString::fromUtf8(c.item));
        ASSERT_TRUE(item);
        ASSERT_TRUE(item->isEnabled()) << c.item;
        item->trigger();
        EXPECT_EQ(barsText(document.model()), c.expected) << c.item;
        EXPECT_EQ(document.undoStack()->count(), 1) << c.item;
        // The item shows the mark of the bar it acts on.
        if (item->isCheckable()) {
            EXPECT_TRUE(item->isChecked()) << c.item;
        }
        document.undoStack()->undo();
        EXPECT_EQ(barsText(document.model()), before) << c.item;
        EXPECT_EQ(document.chartView()->selectedBars(), c.selection) << c.item;
        document.undoStack()->redo();
        EXPECT_EQ(barsText(document.model()), c.expected) << c.item;
        document.setWindowModified(false);
        document.undoStack()->setClean();
    }
}

TEST(FormMenu, ToggledMarksComeOffAndClearTakesEveryMarkButTheMeter) {
    MyDocument document(chartOfBars(3), QString());
    ChartView& view = *document.chartView();
    view.selectBars({0, 3});
    for (const char* item : {"Segno", "Start Repeat", "Fine", "Played 2 Times", "1. Ending", "5/4"})
        formItem(document, item)->trigger();
    EXPECT_EQ(barsText(document.model()), (std::vector<std::string>{"5 Endings=1 RepeatStart Segno Time=5/4",
                                                                    "5 Endings=1", "5 Endings=1 Fine RepeatEnd=2"}));
    formItem(document, "Fine")->trigger();
    EXPECT_EQ(slotsAndMarksText(document.model().bar(2)), "5 Endings=1 RepeatEnd=2");
    formItem(document, "Clear Form Marks")->trigger();
    EXPECT_EQ(barsText(document.model()), (std::vector<std::string>{"5 Time=5/4", "5", "5"}));
    EXPECT_EQ(document.undoStack()->undoText(), "Clear Form Marks");
    document.undoStack()->setClean();
}

TEST(FormMenu, TheBarBeingTypedInIsTheOneMarkedAndNothingMarksPastTheEnd) {
    MyDocument document(chartOfBars(3), QString());
    ChartView& view = *document.chartView();
    view.editSlot({1, 2});
    formItem(document, "3/4")->trigger();
    EXPECT_EQ(slotsAndMarksText(document.model().bar(1)), "3 Time=3/4");
    EXPECT_EQ(view.selectedBars(), (BarRange{1, 1}));  // the slot it was in is gone
    view.selectBars({3, 0});
    EXPECT_FALSE(formItem(document, "Segno")->isEnabled());
    // A new meter that takes the slot being typed in away ends its edit.
    view.editSlot({0, 3});
    ChartProperties waltz = document.model().properties();
    waltz.meter = 3;
    document.edits().setProperties(waltz);
    EXPECT_EQ(view.activeSlot(), std::nullopt);
    EXPECT_EQ(document.model().slotCount(0), 3u);
    document.undoStack()->setClean();
}

TEST(FormMenu, AFormThatCannotBePlayedIsNamedInTheStatusBarAndStillEdits) {
    MyDocument document(chartOfBars(4), QString());
    EXPECT_EQ(document.formProblemShown(), "");
    document.chartView()->selectBars({1, 1});
    formItem(document, "To Coda")->trigger();
    EXPECT_EQ(document.formProblemShown(), "The form cannot be played: Bar 2: To Coda without a coda after it");
    document.chartView()->selectBars({3, 1});
    formItem(document, "Coda")->trigger();
    EXPECT_EQ(document.formProblemShown(), "");
    document.undoStack()->undo();
    EXPECT_NE(document.formProblemShown(), "");
    // It prints as written.
    QTemporaryDir folder;
    EXPECT_TRUE(document.exportPdf(folder.filePath("unplayable.pdf")));
    EXPECT_TRUE(QFileInfo(folder.filePath("unplayable.pdf")).size() > 0);
    document.undoStack()->setClean();
}

TEST(FormMenu, TheShortcutsReachTheCommands) {
    MyDocument document(chartOfBars(4), QString());
    document.show();
    document.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&document));
    ChartView& view = *document.chartView();
    struct Key {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    };
    const Qt::KeyboardModifiers shifted = Qt::ControlModifier | Qt::ShiftModifier;
    // The keys, on a bar selected alone, and the bar's slots and marks after them.
    const std::tuple<std::vector<Key>, std::size_t, const char*> cases[] = {
        {{{Qt::Key_BracketLeft, Qt::AltModifier}}, 1, "4 RepeatStart"},
        {{{Qt::Key_BracketRight, Qt::AltModifier}}, 1, "4 RepeatEnd=2"},
        {{{Qt::Key_G, shifted}}, 0, "4 Segno"},
        {{{Qt::Key_T, shifted}}, 0, "4 ToCoda"},
        {{{Qt::Key_O, shifted}}, 0, "4 Coda"},
        {{{Qt::Key_F, shifted}}, 0, "4 Fine"},
        {{{Qt::Key_E, shifted}, {Qt::Key_2, Qt::NoModifier}}, 2, "4 Endings=2"},
        {{{Qt::Key_D, shifted}, {Qt::Key_F, Qt::NoModifier}}, 2, "4 Direction=D.C. al Fine"},
        {{{Qt::Key_D, shifted}, {Qt::Key_O, Qt::ShiftModifier}}, 2, "4 Direction=D.S. al Coda"},
        {{{Qt::Key_M, Qt::ControlModifier | Qt::AltModifier}, {Qt::Key_3, Qt::NoModifier}}, 3, "3 Time=3/4"},
    };
    for (const auto& [keys, bar, expected] : cases) {
        view.selectBars({bar, 0});
        for (const Key& key : keys) QTest::keyClick(&view, key.key, key.modifiers);
        EXPECT_EQ(slotsAndMarksText(document.model().bar(bar)), expected);
        document.undoStack()->undo();
    }
    document.undoStack()->setClean();
}

// A chart as written: segno at bar 1, a repeat of bars 2-3 with two endings, D.S. al Fine after bar 5.
Plist writtenChart() {
    Plist::Array bars = chartOfBars(5).array_at("Chords");
    auto mark = [&](std::size_t bar, const char* key, Plist value) {
        bars[bar] = bars[bar].with(key, std::move(value));
    };
    mark(0, "Segno", Plist::make_boolean(true));
    mark(1, "RepeatStart", Plist::make_boolean(true));
    mark(2, "Endings", Plist::make_array({Plist::make_integer(1)}));
    mark(2, "RepeatEnd", Plist::make_integer(2));
    mark(3, "Endings", Plist::make_array({Plist::make_integer(2)}));
    mark(3, "Fine", Plist::make_boolean(true));
    mark(4, "Direction", Plist::make_string("D.S. al Fine"));
    return chartOfBars(5).with("Chords", Plist::make_array(bars));
}

TEST(Playhead, LightsTheWrittenBarOnEachPassOfEndingsAndADS) {
    const Plist chart = writtenChart();
    const playback::Time_map map = playback::Time_map::of_chart(chart);
    const SlotCount four = [](std::size_t) { return std::size_t{4}; };
    constexpr long beat = 480;
    // The bar lit on the first beat of each played bar, after the count-in.
    std::vector<std::size_t> lit;
    for (long tick = 0; tick < 200 * beat; tick += beat) {
        const Playhead head = playheadAt(map, tick + 1, four);
        if (head.slot && head.position.endsWith(QStringLiteral(":1"))) {
            EXPECT_EQ(head.slot->slot, 0u) << head.position.toStdString();
            EXPECT_EQ(head.position, QString::number(head.slot->bar + 1) + ":1");
            lit.push_back(head.slot->bar + 1);
        }
    }
    // Written out by hand: 1 2 3 (1st ending), back to 2, 4 (2nd ending), 5, D.S.: 1, 2, 4 (the
    // last ending, on the way back) and Fine there.
    EXPECT_EQ(lit, (std::vector<std::size_t>{1, 2, 3, 2, 4, 5, 1, 2, 4}));
    std::vector<std::size_t> played;
    for (const PlayedBar& bar : playedBars(chart)) played.push_back(bar.bar + 1);
    EXPECT_EQ(lit, played);
}

}  // namespace
}  // namespace zub
