#include "editor/app/transpose_menu.h"

#include <QAction>
#include <QMenuBar>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "editor/app/analysis_menu.h"
#include "editor/app/my_document.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"

namespace zub {
namespace {

const QString autumn = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt");

struct Recorded {
    QUndoStack undo;
    ChartModel model{MyDocument::readChart(autumn)};
    ChartEdits edits{model, &undo};
};

std::vector<std::string> keySlots(const ChartModel& model, std::size_t bar) {
    std::vector<std::string> keys;
    for (const Plist& k : model.bar(bar).array_at("Keys")) keys.push_back(k.as_string());
    return keys;
}

TEST(Transpose, IsOneUndoableEditThatUndoesExactly) {
    Recorded r;
    const Plist original = r.model.chart();
    ASSERT_FALSE(transposeBy(r.model, r.edits, 1));
    EXPECT_EQ(r.undo.count(), 1);
    EXPECT_EQ(r.undo.undoText(), "Transpose");
    EXPECT_EQ(r.model.key(), "G#m");
    EXPECT_EQ(r.model.chord({0, 0}), "C\u266Fm7");
    r.undo.undo();
    EXPECT_EQ(r.model.chart(), original);
    r.undo.redo();
    EXPECT_EQ(r.model.chord({0, 0}), "C\u266Fm7");
}

TEST(Transpose, MovesKeyCentersAndShowsTheSameAnalysisAgain) {
    Recorded r;
    ASSERT_FALSE(analyze(r.model, r.edits));
    const std::string roman = r.model.analysis()->roman(0, 0);
    const Plist analyzed = r.model.chart();
    ASSERT_FALSE(transposeTo(r.model, r.edits, "Cm"));
    EXPECT_EQ(r.model.key(), "Cm");
    EXPECT_EQ(keySlots(r.model, 0), (std::vector<std::string>{"Eb", "Eb", "Eb", "Eb"}));
    ASSERT_TRUE(r.model.analysis());
    EXPECT_EQ(r.model.analysis()->roman(0, 0), roman);
    r.undo.undo();
    EXPECT_EQ(r.model.chart(), analyzed);
}

TEST(Transpose, FailuresChangeNothing) {
    Recorded r;
    const Plist original = r.model.chart();
    const auto badKey = transposeTo(r.model, r.edits, "H");
    ASSERT_TRUE(badKey);
    EXPECT_EQ(badKey->code, MyErrorCode::transposition);
    EXPECT_EQ(badKey->description, "Zubaroo cannot transpose this chart (Invalid key: H)");
    const auto otherMode = transposeTo(r.model, r.edits, "E\u266D");
    ASSERT_TRUE(otherMode);
    EXPECT_EQ(otherMode->reason.toStdString(), "Cannot transpose from Gm to Eb: the modes differ");
    EXPECT_EQ(r.model.chart(), original);
    EXPECT_EQ(r.undo.count(), 0);
}

TEST(Transpose, DialogOffersTheKeysOfTheSameMode) {
    const QStringList minor = transposeTargetKeys("Gm");
    EXPECT_EQ(minor.size(), 12);
    EXPECT_TRUE(minor.contains("E\u266Dm"));
    EXPECT_TRUE(minor.contains("G\u266Fm"));
    EXPECT_FALSE(minor.contains("C"));
    const QStringList major = transposeTargetKeys("B\u266D");
    EXPECT_EQ(major.size(), 12);
    EXPECT_TRUE(major.contains("G\u266D"));
}

TEST(Transpose, EditMenuItemsMoveTheChartBySemitones) {
    MyDocument document(MyDocument::readChart(autumn), autumn);
    auto action = [&document](const QString& text) -> QAction* {
        for (QAction* a : document.menuBar()->findChildren<QAction*>())
            if (a->text() == text) return a;
        return nullptr;
    };
    QAction* up = action("Transpose &Up a Semitone");
    QAction* down = action("Transpose Do&wn a Semitone");
    ASSERT_TRUE(up && down && action("&Transpose..."));
    EXPECT_EQ(up->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Up));
    EXPECT_EQ(down->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Down));
    up->trigger();
    EXPECT_EQ(document.model().key(), "G#m");
    down->trigger();
    down->trigger();
    EXPECT_EQ(document.model().key(), "F#m");
    EXPECT_EQ(document.undoStack()->count(), 3);
}

}  // namespace
}  // namespace zub
