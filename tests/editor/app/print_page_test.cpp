// The printed page as a musician reads it, checked in the PDF's words and their boxes.
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "bridge/chart_document.h"
#include "editor/app/my_document.h"
#include "editor/app/print_pdf_option.h"
#include "../chart_testing.h"
#include "../pdf_text.h"

namespace zub {
namespace {

using testing::PdfWord;
using testing::PdfWords;

const QString examples = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/");

std::set<QString> chordsOf(const Plist& chart) {
    std::set<QString> chords;
    for (const Plist& bar : chart.array_at("Chords"))
        for (const Plist& slot : bar.array_at("Chords"))
            if (!slot.as_string().empty()) chords.insert(QString::fromStdString(slot.as_string()));
    return chords;
}

// The rows of chords, top to bottom, each left to right.
std::vector<std::vector<PdfWord>> chordRows(const PdfWords& pdf, const std::set<QString>& chords) {
    std::map<std::pair<int, long>, std::vector<PdfWord>> rows;
    for (const PdfWord& w : pdf.words)
        if (chords.count(w.text)) rows[{w.page, std::lround(w.yMax / 4)}].push_back(w);
    std::vector<std::vector<PdfWord>> out;
    for (auto& [at, row] : rows) {
        std::sort(row.begin(), row.end(), [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
        out.push_back(row);
    }
    return out;
}

struct Printed {
    QTemporaryDir dir;
    PdfWords pdf;
};

// printed({"--paper", "a4"}, chart) prints the chart document through zubaroo --print-pdf.
void print(Printed& out, const QStringList& options, const QString& chart) {
    const QString pdf = out.dir.filePath("out.pdf");
    ASSERT_EQ(printPdfOption(QStringList{"--print-pdf", pdf} + options + QStringList{chart}), 0);
    const auto words = testing::pdfWords(pdf);
    if (!words) FAIL() << "pdftotext is not installed: install poppler-utils";
    out.pdf = *words;
}

bool hasWord(const PdfWords& pdf, const QString& text) {
    return std::any_of(pdf.words.begin(), pdf.words.end(), [&](const PdfWord& w) { return w.text == text; });
}

TEST(PrintedPage, TheBluesIsThreeLinesOfFourBarsAtAReadableSize) {
    Printed printed;
    print(printed, {"--paper", "a4"}, examples + "blues-in-f.txt");
    const PdfWords& pdf = printed.pdf;
    EXPECT_EQ(pdf.pages, 1);
    EXPECT_NEAR(pdf.pageWidth, 595, 1);
    const auto rows = chordRows(pdf, chordsOf(MyDocument::readChart(examples + "blues-in-f.txt")));
    ASSERT_EQ(rows.size(), 3u);
    QStringList first;
    for (const PdfWord& w : rows[0]) first << w.text;
    EXPECT_EQ(first.join(' '), QString::fromUtf8("F7 B\u266D7 F7 Cm7 F7"));
    for (const auto& row : rows)
        for (const PdfWord& chord : row) EXPECT_GE(chord.height(), 14) << chord.text.toStdString();
    for (const char* field : {"Blues", "Swing", "\u2669", "160", "major"})
        EXPECT_TRUE(hasWord(pdf, QString::fromUtf8(field))) << field;
    EXPECT_FALSE(hasWord(pdf, "1/1"));
}

TEST(PrintedPage, AutumnLeavesIsAabaWithEachSectionOnItsOwnLines) {
    Printed printed;
    print(printed, {"--paper", "letter"}, examples + "autumn-leaves.txt");
    const PdfWords& pdf = printed.pdf;
    EXPECT_NEAR(pdf.pageWidth, 612, 1);
    EXPECT_EQ(pdf.pages, 1);
    const auto rows = chordRows(pdf, chordsOf(MyDocument::readChart(examples + "autumn-leaves.txt")));
    ASSERT_EQ(rows.size(), 8u);
    // Each letter stands left of the first chord of its section's first line, level with it.
    const QString letters[] = {"A", "A", "B", "A"};
    for (std::size_t section = 0; section < 4; ++section) {
        const PdfWord& chord = rows[section * 2].front();
        const bool found = std::any_of(pdf.words.begin(), pdf.words.end(), [&](const PdfWord& w) {
            return w.text == letters[section] && w.xMax < chord.xMin && w.yMin < chord.yMax && w.yMax > chord.yMin;
        });
        EXPECT_TRUE(found) << "section " << section;
    }
}

// 48 bars written: a repeated A with two endings, a B from the segno, a D.S. al Coda and a coda.
Plist writtenChart() {
    Plist::Array bars = testing::chartOfBars(48).array_at("Chords");
    auto mark = [&](std::size_t bar, const char* key, Plist value) { bars[bar] = bars[bar].with(key, std::move(value)); };
    const Plist yes = Plist::make_boolean(true);
    mark(0, "SectionMark", Plist::make_integer('A'));
    mark(0, "RepeatStart", yes);
    for (std::size_t bar : {6, 7}) mark(bar, "Endings", Plist::make_array({Plist::make_integer(1)}));
    mark(7, "RepeatEnd", Plist::make_integer(2));
    for (std::size_t bar : {8, 9}) mark(bar, "Endings", Plist::make_array({Plist::make_integer(2)}));
    mark(10, "SectionMark", Plist::make_integer('B'));
    mark(10, "Segno", yes);
    mark(26, "SectionMark", Plist::make_integer('C'));
    mark(37, "ToCoda", yes);
    mark(41, "Direction", Plist::make_string("D.S. al Coda"));
    mark(42, "Coda", yes);
    return testing::chartOfBars(48).with("Chords", Plist::make_array(bars));
}

TEST(PrintedPage, AWrittenChartOf48BarsFitsOnePage) {
    Printed printed;
    const QString chart = printed.dir.filePath("written.zub");
    saveChartDocument(chart.toStdString(), writtenChart());
    print(printed, {"--paper", "a4"}, chart);
    const PdfWords& pdf = printed.pdf;
    EXPECT_EQ(pdf.pages, 1);
    for (const QString& chord : chordsOf(writtenChart())) EXPECT_TRUE(hasWord(pdf, chord)) << chord.toStdString();
    for (const char* text : {"1.", "2.", "D.S.", "Coda", "To"}) EXPECT_TRUE(hasWord(pdf, text)) << text;
}

TEST(PrintedPage, PagesAreNumberedWhenThereAreSeveral) {
    Printed printed;
    const QString chart = printed.dir.filePath("long.zub");
    saveChartDocument(chart.toStdString(), testing::chartOfBars(240));
    print(printed, {}, chart);
    const PdfWords& pdf = printed.pdf;
    ASSERT_GT(pdf.pages, 1);
    const QString count = QString::number(pdf.pages);
    EXPECT_TRUE(hasWord(pdf, "1/" + count));
    EXPECT_TRUE(hasWord(pdf, count + "/" + count));
    // Fit to One Page is not offered for so long a chart: it prints as before.
    Printed fitted;
    print(fitted, {"--one-page"}, chart);
    EXPECT_EQ(fitted.pdf.pages, pdf.pages);
}

TEST(PrintedPage, FitToOnePageShrinksAChartThatAllowsIt) {
    Printed printed;
    const QString chart = printed.dir.filePath("long.zub");
    saveChartDocument(chart.toStdString(), testing::chartOfBars(96));
    print(printed, {"--paper", "a4"}, chart);
    ASSERT_GT(printed.pdf.pages, 1);
    Printed fitted;
    print(fitted, {"--paper", "a4", "--one-page"}, chart);
    EXPECT_EQ(fitted.pdf.pages, 1);
    EXPECT_TRUE(hasWord(fitted.pdf, "D96"));
}

// The window's Export as PDF gives the page zubaroo --print-pdf gives, whatever the window's width.
TEST(PrintedPage, TheWindowPrintsTheCommandLinesPage) {
    Printed cli;
    print(cli, {}, examples + "autumn-leaves.txt");
    for (int width : {500, 1400}) {
        MyDocument document(MyDocument::readChart(examples + "autumn-leaves.txt"), examples + "autumn-leaves.txt");
        document.resize(width, 700);
        const QString pdf = cli.dir.filePath("window.pdf");
        ASSERT_TRUE(document.exportPdf(pdf));
        const PdfWords window = *testing::pdfWords(pdf);
        ASSERT_EQ(window.words.size(), cli.pdf.words.size()) << width;
        for (std::size_t i = 0; i < window.words.size(); ++i) {
            EXPECT_EQ(window.words[i].text, cli.pdf.words[i].text) << width;
            EXPECT_NEAR(window.words[i].xMin, cli.pdf.words[i].xMin, 0.5) << width;
            EXPECT_NEAR(window.words[i].yMin, cli.pdf.words[i].yMin, 0.5) << width;
        }
    }
}

}  // namespace
}  // namespace zub
