#include <QFile>
#include <QFontDatabase>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "editor/app/my_document.h"
#include "editor/app/preferences.h"
#include "editor/app/temporary_folder.h"
#include "editor/layout/chart_printer.h"
#include "editor/layout/chord_font.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"
#include "../pdf_text.h"
#include "../view_testing.h"
#include "../failure_testing.h"

namespace zub {
namespace {

using testing::chordField;
using testing::reasonOf;
using testing::pdfText;
using testing::tempoField;
using testing::titleField;
using testing::ViewOfChart;

const QString autumn = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt");

TEST(MyDocument, OpensATextChartAndShowsItsChords) {
    ViewOfChart owner(MyDocument::readChart(autumn));
    ChartView& view = owner.view;
    EXPECT_EQ(owner.model.barCount(), 32u);
    EXPECT_EQ(view.shownChord({0, 0}), "Cm7");
    EXPECT_EQ(titleField(view)->text(), "Autumn Leaves");
    EXPECT_EQ(tempoField(view)->text(), "132");
    view.setEnclosingSize(800, 300);
    EXPECT_GE(view.layout().height, 300);
    EXPECT_GT(view.layout().lineCount, 1u);
}

TEST(MyDocument, ErrorCases) {
    ViewOfChart owner(MyDocument::readChart(autumn));
    ChartView& view = owner.view;
    const std::pair<SlotRef, const char*> outside[] = {
        {{32, 0}, "Bar index out of range: 32"}, {{0, 4}, "Slot index out of range: 4"}, {{1000000, 1000000}, "Bar "}};
    for (const auto& [slot, message] : outside) {
        const std::string reason = reasonOf([&] { view.shownChord(slot); });
        EXPECT_EQ(reason.rfind(message, 0), 0u) << reason;
    }
    EXPECT_ANY_THROW(MyDocument::readChart("/no/such/chart.zub"));
    EXPECT_EQ(reasonOf([&] { printChartToPdf(view, "/no/such/folder/out.pdf"); }),
              "Can't write output file: /no/such/folder/out.pdf");
}

TEST(MyDocument, SaveAndOpenRoundTripKeepsEverything) {
    QTemporaryDir dir;
    const QString path = dir.filePath("autumn.zub");
    MyDocument document(MyDocument::readChart(autumn), autumn);
    titleField(*document.chartView())->setText("Les feuilles mortes");
    emit titleField(*document.chartView())->editingFinished();
    EXPECT_TRUE(document.isEdited());
    EXPECT_EQ(document.undoStack()->undoText(), "Name Change");
    ASSERT_TRUE(document.saveTo(path));
    EXPECT_FALSE(document.isEdited());
    const Plist reread = MyDocument::readChart(path);
    EXPECT_EQ(reread, document.model().chart());
    EXPECT_EQ(reread.string_at("Name"), "Les feuilles mortes");
    document.undoStack()->undo();
    EXPECT_EQ(document.model().chart().string_at("Name"), "Autumn Leaves");
    EXPECT_TRUE(document.isEdited());
}

// Save writes chart documents alone: a bare name gets .zub; a name saying
// another format is refused with a message, and the file there is left alone.
TEST(MyDocument, SavesChartDocumentsOnlyUnderTheirOwnExtension) {
    QTemporaryDir dir;
    MyDocument document(MyDocument::readChart(autumn), autumn);
    ASSERT_TRUE(document.saveTo(dir.filePath("tune")));
    EXPECT_EQ(document.path(), dir.filePath("tune.zub"));
    EXPECT_EQ(MyDocument::readChart(dir.filePath("tune.zub")), document.model().chart());
    EXPECT_FALSE(QFile::exists(dir.filePath("tune")));

    const QString playlist = dir.filePath("standards.html");
    {
        QFile file(playlist);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<a href=\"irealb://...\">songs</a>");
    }
    for (const QString& other : {dir.filePath("tune.sgu"), playlist}) {
        EXPECT_FALSE(document.saveTo(other)) << other.toStdString();
        EXPECT_EQ(document.path(), dir.filePath("tune.zub"));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("tune.sgu")));
    QFile kept(playlist);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "<a href=\"irealb://...\">songs</a>");
    const auto boxes = document.findChildren<QMessageBox*>();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0]->informativeText(),
              "tune.sgu names another format: Save writes chart documents, whose names end in .zub");
}

TEST(MyDocument, NewDocumentUsesTheTemplateInThePreferredChordFont) {
    QSettings().clear();
    const Plist chart = MyDocument::newChart();
    EXPECT_EQ(fontFromDescription(chart.dictionary_at("Font")).family(),
              Preferences::defaultFontForKey(Preferences::chord_font_key).family());
    MyDocument document;
    EXPECT_GT(document.model().barCount(), 0u);
    EXPECT_FALSE(document.isEdited());
}

TEST(Preferences, DefaultsAndStoredFonts) {
    QSettings().clear();
    Preferences& p = Preferences::shared();
    EXPECT_DOUBLE_EQ(p.fontForKey(Preferences::title_font_key).pointSizeF(), 24);
    QFont serif("DejaVu Serif");
    serif.setPointSizeF(17);
    p.setFont(serif, Preferences::chord_font_key);
    EXPECT_EQ(p.fontForKey(Preferences::chord_font_key).family(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(p.fontForKey(Preferences::chord_font_key).pointSizeF(), 17);
    // A font that is gone falls back to the default rather than failing.
    QSettings().setValue("chord font", QVariantMap{{"FontName", "No Such Font Zz"}, {"PointSize", 12.0}});
    EXPECT_EQ(p.fontForKey(Preferences::chord_font_key), Preferences::defaultFontForKey(Preferences::chord_font_key));
    QSettings().clear();
}

// Every stored chord of the chart appears in the text as a word of its own, as often as it is stored.
void expectEveryChordPrinted(const Plist& chart, const QString& text) {
    std::map<QString, int> missing;
    for (const Plist& bar : chart.array_at("Chords"))
        for (const Plist& slot : bar.array_at("Chords"))
            if (!slot.as_string().empty()) ++missing[QString::fromStdString(slot.as_string())];
    ASSERT_FALSE(missing.empty());
    for (const QString& word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
        if (auto it = missing.find(word); it != missing.end()) --it->second;
    for (const auto& [chord, count] : missing)
        EXPECT_LE(count, 0) << chord.toStdString() << " missing " << count << " in\n" << text.toStdString();
}

// The slot with the keyboard focus prints its stored chord, also while a new one is being typed.
TEST(Printing, TheSlotBeingEditedPrintsItsStoredChord) {
    QTemporaryDir dir;
    MyDocument document(MyDocument::readChart(autumn), autumn);
    ChartView& view = *document.chartView();
    ASSERT_EQ(view.activeSlot(), (SlotRef{0, 0}));
    ASSERT_TRUE(document.exportPdf(dir.filePath("focus.pdf")));
    const auto text = pdfText(dir.filePath("focus.pdf"));
    ASSERT_TRUE(text) << "pdftotext is not installed: install poppler-utils";
    expectEveryChordPrinted(document.model().chart(), *text);
    EXPECT_TRUE(text->contains("Autumn Leaves") && text->contains("2x")) << text->toStdString();
    // A chord being typed is stored first; one that fails its final check prints as stored.
    view.editSlot({3, 0});
    QTest::keyClicks(chordField(view), "b13");
    ASSERT_TRUE(document.exportPdf(dir.filePath("typed.pdf")));
    EXPECT_EQ(document.model().chart().array_at("Chords").at(3).array_at("Chords").at(0).as_string(), "B13");
    expectEveryChordPrinted(document.model().chart(), *pdfText(dir.filePath("typed.pdf")));
    view.editSlot({2, 0});
    QTest::keyClicks(chordField(view), "c7/");
    ASSERT_TRUE(document.exportPdf(dir.filePath("unfinished.pdf")));
    EXPECT_EQ(view.chordEntryError(), "Root must follow slash");
    const QString unfinished = *pdfText(dir.filePath("unfinished.pdf"));
    expectEveryChordPrinted(document.model().chart(), unfinished);
    EXPECT_FALSE(unfinished.contains("C7/"));
}

// A chart naming a font this machine lacks opens in the closest installed
// family, prints every chord, and keeps naming its own font when saved.
TEST(FontStandIn, ChartWithAFontThatIsNotInstalledOpensPrintsAndKeepsIt) {
    QTemporaryDir dir;
    const Plist missing = Plist::make_dictionary(
        {{"FontName", Plist::make_string("No Such Font Zz")}, {"PointSize", Plist::make_real(15)}});
    const Plist chart = MyDocument::readChart(autumn).with("Font", missing);
    saveChartDocument(dir.filePath("lacking.zub").toStdString(), chart);

    MyDocument document(MyDocument::readChart(dir.filePath("lacking.zub")), dir.filePath("lacking.zub"));
    const ChartView& view = *document.chartView();
    const QFont shown = view.chordFont().font();
    EXPECT_TRUE(QFontDatabase::hasFamily(shown.family())) << shown.family().toStdString();
    EXPECT_DOUBLE_EQ(shown.pointSizeF(), 15);
    EXPECT_EQ(document.model().barCount(), 32u);
    EXPECT_GT(view.layout().lineCount, 1u);
    EXPECT_TRUE(document.statusBar()->currentMessage().contains("No Such Font Zz"));

    ASSERT_TRUE(document.exportPdf(dir.filePath("lacking.pdf")));
    if (const auto text = pdfText(dir.filePath("lacking.pdf"))) expectEveryChordPrinted(chart, *text);

    ASSERT_TRUE(document.saveTo(dir.filePath("resaved.zub")));
    EXPECT_EQ(MyDocument::readChart(dir.filePath("resaved.zub")).dictionary_at("Font"), missing);
}

TEST(FontStandIn, UnusableDescriptionGivesThePreferredChordFont) {
    const QFont preferred = Preferences::shared().fontForKey(Preferences::chord_font_key);
    for (const Plist& font : {Plist::make_dictionary({{"FontName", Plist::make_string("")},
                                                       {"PointSize", Plist::make_real(12)}}),
                              Plist::make_dictionary({{"FontName", Plist::make_string("DejaVu Sans")},
                                                       {"PointSize", Plist::make_real(-3)}})}) {
        ViewOfChart owner(MyDocument::readChart(autumn).with("Font", font));
        EXPECT_EQ(owner.view.chordFont().font(), preferred);
        EXPECT_EQ(owner.model.chart().dictionary_at("Font"), font);  // stored as it came
    }
    EXPECT_TRUE(fontStandInNote(Plist::make_dictionary({{"PointSize", Plist::make_real(12)}}), preferred)
                    .contains(preferred.family()));
}

TEST(TemporaryDirectory, CreatedAndEmptiedAtQuit) {
    // A system temporary folder of its own: tests running beside this one keep their files.
    const QTemporaryDir system;
    const QByteArray before = qgetenv("TMPDIR");
    qputenv("TMPDIR", system.path().toLocal8Bit());
    createTemporaryDirectory();
    const std::filesystem::path dir = temporaryDirectoryName();
    EXPECT_EQ(dir, std::filesystem::path(system.path().toStdString()) / "ZUB2");
    std::ofstream(dir / "generated.mid") << "MThd";
    std::filesystem::create_directories(dir / "sub");
    deleteAllTemporaryFiles();
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    EXPECT_TRUE(std::filesystem::is_empty(dir));
    if (before.isEmpty()) qunsetenv("TMPDIR");
    else qputenv("TMPDIR", before);
}

TEST(ChartView, HidingTheTitleMovesEveryLineUp) {
    ViewOfChart owner(MyDocument::readChart(autumn));
    ChartView& view = owner.view;
    view.setEnclosingSize(700, 100);
    const float shownTitle = view.layout().titleHeight;
    const std::vector<BarPlacement> shown = view.layout().bars;
    view.setShowName(false);
    EXPECT_FLOAT_EQ(view.layout().titleHeight, 15);
    ASSERT_EQ(view.layout().bars.size(), shown.size());
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_FLOAT_EQ(shown[i].frame.y - view.layout().bars[i].frame.y, shownTitle - 15) << i;
    EXPECT_FALSE(titleField(view)->isVisibleTo(&view));
}

TEST(ChartView, NarrowerViewKeepsItsLinesAndFitsThemWhileTheyFit) {
    ViewOfChart owner(MyDocument::readChart(autumn));
    ChartView& view = owner.view;
    view.setEnclosingSize(1200, 100);
    const std::size_t wide = view.layout().lineCount;
    view.setEnclosingSize(500, 100);
    EXPECT_EQ(view.layout().lineCount, wide);
    EXPECT_EQ(view.width(), 500);
    view.setEnclosingSize(120, 100);  // too narrow for any line: the chart scrolls
    EXPECT_EQ(view.layout().lineCount, wide);
    EXPECT_GT(view.width(), 120);
}

TEST(ChartView, ChartThatFailsLeavesTheViewAsItWas) {
    ViewOfChart owner;
    ChartView& view = owner.view;
    const Plist chart = MyDocument::readChart(autumn);
    view.setChart(chart);
    view.setEnclosingSize(700, 100);
    const std::size_t bars = view.layout().bars.size();
    const Plist broken = chart.with("Chorus", Plist::make_dictionary({}));
    EXPECT_ANY_THROW(view.setChart(broken));
    EXPECT_EQ(view.layout().bars.size(), bars);
    EXPECT_EQ(titleField(view)->text().toStdString(), chart.string_at("Name"));
}

TEST(ChordFont, ShippedSubstitutionsDrawFlatsInDejaVuSans) {
    QFont serif("DejaVu Serif");
    serif.setPointSizeF(16);
    const ChordFont font = ChordFont::withResourceSubstitutions(serif);
    const AdornedText text = font.encodeAndAdorn(QString::fromUtf8("B\u266D7"));
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text[1].font.family(), "DejaVu Sans");
    EXPECT_DOUBLE_EQ(text[1].font.pointSizeF(), 16);
    EXPECT_EQ(font.decode(font.encode(QString::fromUtf8("F\u266F"))), QString::fromUtf8("F\u266F"));
}

}  // namespace
}  // namespace zub
