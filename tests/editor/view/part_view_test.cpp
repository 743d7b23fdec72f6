#include <QAction>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

#include "bridge/chart_document.h"
#include "editor/app/my_document.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/model/part_shown.h"
#include "editor/view/chart_view.h"
#include "../pdf_text.h"
#include "../view_testing.h"

namespace zub {
namespace {

using testing::chordField;

const QString autumn = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt");

QString shown(const ChartView& view, std::size_t bar, std::size_t slot) {
    return view.chordFont().decode(view.shownChord({bar, slot}));
}

TEST(PartView, ShowsThePartAndStoresConcertChords) {
    MyDocument document(MyDocument::readChart(autumn), autumn);
    ChartView& view = *document.chartView();
    const Plist concert = document.model().chart();
    view.setInstrument(Instrument::e_flat);
    EXPECT_EQ(shown(view, 0, 0), "Am7");
    EXPECT_EQ(shown(view, 4, 0), "F\u266Fm7\u266D5");
    EXPECT_EQ(document.model().chart(), concert);

    // Typing C7 in the E♭ part stores E♭7, and the part shows what was typed.
    view.editSlot({1, 0});
    QTest::keyClicks(chordField(view), "c7");
    ASSERT_TRUE(view.endChordEditing());
    EXPECT_EQ(document.model().chord({1, 0}), "E\u266D7");
    EXPECT_EQ(shown(view, 1, 0), "C7");
    document.undoStack()->undo();
    EXPECT_EQ(document.model().chord({1, 0}), "F7");
    EXPECT_EQ(shown(view, 1, 0), "D7");

    view.setInstrument(Instrument::concert);
    EXPECT_EQ(shown(view, 0, 0), "Cm7");
}

TEST(PartView, IsChosenInTheViewMenuSavedAndTitled) {
    QTemporaryDir dir;
    MyDocument document(MyDocument::readChart(autumn), autumn);
    QAction* alto = nullptr;
    for (QAction* a : document.menuBar()->findChildren<QAction*>())
        if (a->text() == QString::fromUtf8("E\u266D")) alto = a;
    ASSERT_TRUE(alto);
    EXPECT_FALSE(document.isEdited());
    alto->trigger();
    EXPECT_EQ(document.chartView()->instrument(), Instrument::e_flat);
    EXPECT_TRUE(document.windowTitle().contains(QString::fromUtf8("\u2014 E\u266D part"))) << document.windowTitle().toStdString();
    EXPECT_TRUE(document.isEdited());

    const QString path = dir.filePath("alto.zub");
    ASSERT_TRUE(document.saveTo(path));
    EXPECT_FALSE(document.isEdited());
    const Plist saved = openChartDocument(path.toStdString(), document.model().fontDescription());
    EXPECT_EQ(saved.string_at("ShowFor"), "Eb");
    EXPECT_EQ(saved.array_at("Chords"), document.model().chart().array_at("Chords"));  // stored at concert pitch
    MyDocument reopened(MyDocument::readChart(path), path);
    EXPECT_EQ(reopened.chartView()->instrument(), Instrument::e_flat);

    const QString pdf = dir.filePath("alto.pdf");
    ASSERT_TRUE(reopened.exportPdf(pdf));
    if (const auto text = testing::pdfText(pdf)) {
        EXPECT_TRUE(text->contains(QString::fromUtf8("E\u266D part")));
        EXPECT_TRUE(text->contains("Am7"));
    }
}

TEST(PartView, ShowForIsOptionalInTheDictionary) {
    const Plist chart = MyDocument::readChart(autumn);
    EXPECT_EQ(shownInstrumentOf(chart), Instrument::concert);
    EXPECT_EQ(withShownInstrument(chart, Instrument::concert), chart);
    const Plist horn = withShownInstrument(chart, Instrument::f);
    EXPECT_EQ(horn.string_at("ShowFor"), "F");
    EXPECT_EQ(shownInstrumentOf(horn), Instrument::f);
    EXPECT_EQ(withShownInstrument(horn, Instrument::concert), chart);
    EXPECT_EQ(shownInstrumentOf(chart.with("ShowFor", Plist::make_string("Tuba"))), Instrument::concert);
}

}  // namespace
}  // namespace zub
