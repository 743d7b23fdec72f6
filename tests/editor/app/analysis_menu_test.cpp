#include "editor/app/analysis_menu.h"

#include <QMessageBox>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "editor/app/my_document.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"

namespace zub {
namespace {

const QString examples = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/");

std::vector<std::string> keySlots(const ChartModel& model, std::size_t bar) {
    std::vector<std::string> keys;
    for (const Plist& k : model.chart().array_at("Chords")[bar].array_at("Keys")) keys.push_back(k.as_string());
    return keys;
}

// A chart view over a model whose edits are recorded on a stack of its own.
struct Recorded {
    QUndoStack undo;
    ChartModel model{MyDocument::newChart()};
    ChartEdits edits{model, &undo};
    ChartView view{model, edits};
};

TEST(Analyze, BundledExamplesShowTheirRomansAtTheirSlots) {
    const struct {
        const char* file;
        std::size_t bar, slot;
        const char* roman;
    } cases[] = {
        {"autumn-leaves.txt", 0, 0, "IIm7"}, {"autumn-leaves.txt", 1, 0, "V7"},
        {"autumn-leaves.txt", 2, 0, "I"},    {"autumn-leaves.txt", 3, 0, "IV"},
        {"autumn-leaves.txt", 4, 0, "VIIm7\u266D5"}, {"autumn-leaves.txt", 6, 0, "VIm"},
        {"autumn-leaves.txt", 1, 1, ""},     {"blues-in-f.txt", 0, 0, "(V7)"},
    };
    for (const auto& c : cases) {
        Recorded r;
        r.view.setChart(MyDocument::readChart(examples + c.file));
        ASSERT_FALSE(analyze(r.model, r.edits)) << c.file;
        ASSERT_TRUE(r.model.analysis());
        EXPECT_EQ(r.model.analysis()->roman(c.bar, c.slot), c.roman) << c.file << " " << c.bar << "/" << c.slot;
    }
}

TEST(Analyze, StoresKeyCentersWithUndoAndShowsTheBand) {
    Recorded r;
    ChartView& view = r.view;
    QUndoStack& undo = r.undo;
    view.setChart(MyDocument::readChart(examples + "autumn-leaves.txt"));
    const Plist before = r.model.chart();
    const float plainHeight = view.layout().bars[0].frame.height;
    ASSERT_FALSE(analyze(r.model, r.edits));
    EXPECT_EQ(undo.undoText(), "Change Key Centers");
    EXPECT_EQ(keySlots(r.model, 0), (std::vector<std::string>{"Bb", "Bb", "Bb", "Bb"}));
    // The romans' band above the chords, and a row under the slashes for the key labels.
    EXPECT_FLOAT_EQ(view.layout().bars[0].frame.height,
                    plainHeight + view.chordFont().metrics().analysisHeight() +
                        static_cast<float>(QFontMetricsF(analysisKeyFont()).height()));
    EXPECT_FALSE(view.analysisFigures().arrows.empty());
    EXPECT_FALSE(view.analysisFigures().brackets.empty());
    EXPECT_GE(view.romanWidthOfSlot({0, 0}), 1.0f);

    undo.undo();
    EXPECT_EQ(r.model.chart(), before);
    EXPECT_FALSE(r.model.analysis());
    EXPECT_EQ(view.romanWidthOfSlot({0, 0}), 0.0f);
    EXPECT_FLOAT_EQ(view.layout().bars[0].frame.height, plainHeight);
    undo.redo();
    EXPECT_EQ(keySlots(r.model, 0), (std::vector<std::string>{"Bb", "Bb", "Bb", "Bb"}));
    EXPECT_FALSE(r.model.analysis());  // redo restores key centers; the analysis is asked for again

    ASSERT_FALSE(showAnalysis(r.model));
    EXPECT_TRUE(r.model.analysis());
    view.setChart(r.model.chart());  // loading a chart discards it
    EXPECT_FALSE(r.model.analysis());
}

TEST(Analyze, ErrorCases) {
    Recorded r;
    ChartView& view = r.view;
    view.setChart(MyDocument::newChart());
    const auto incomplete = showAnalysis(r.model);
    ASSERT_TRUE(incomplete);
    EXPECT_EQ(incomplete->code, MyErrorCode::analysis);
    EXPECT_EQ(incomplete->description,
              "Kov cannot show the analysis for this chart (Incomplete key center specification)");
    EXPECT_FALSE(r.model.analysis());

    // A chord the core cannot read fails inside the core; nothing is stored.
    Plist chart = MyDocument::readChart(examples + "blues-in-f.txt");
    Plist::Array bars = chart.array_at("Chords");
    Plist::Array row = bars[0].array_at("Chords");
    row[0] = Plist::make_string("Hxyz");
    bars[0] = bars[0].with("Chords", Plist::make_array(row));
    view.setChart(chart.with("Chords", Plist::make_array(bars)));
    const auto failed = analyze(r.model, r.edits);
    ASSERT_TRUE(failed);
    EXPECT_TRUE(failed->description.startsWith("Kov cannot analyze this chart (")) << failed->description.toStdString();
    EXPECT_FALSE(r.model.analysis());
    EXPECT_EQ(r.undo.count(), 0);

    // The menu command shows it as a window-modal sheet.
    QWidget window;
    view.setChart(MyDocument::newChart());
    showAnalysisInWindow(&window, r.model);
    const auto boxes = window.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0]->text(), "Kov cannot show the analysis for this chart (Incomplete key center specification)");
    EXPECT_EQ(boxes[0]->windowModality(), Qt::WindowModal);
}

}  // namespace
}  // namespace zub
