#include "editor/app/print_pdf_option.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "../pdf_text.h"

namespace zub {
namespace {

const QString autumn = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt");

TEST(PrintPdf, PrintsThePartForAnInstrumentUnderItsTitle) {
    QTemporaryDir dir;
    const QString concert = dir.filePath("concert.pdf"), part = dir.filePath("alto.pdf");
    ASSERT_EQ(printPdfOption({"--print-pdf", concert, autumn}), 0);
    ASSERT_EQ(printPdfOption({"--print-pdf", part, "--for", "Eb", "--analyze", autumn}), 0);
    const auto concertText = testing::pdfText(concert);
    if (!concertText) FAIL() << "pdftotext is not installed: install poppler-utils";
    EXPECT_FALSE(concertText->contains("part"));
    const QString text = *testing::pdfText(part);
    // Autumn Leaves in Gm, for an E♭ instrument: up a major sixth, in Em.
    EXPECT_TRUE(text.contains(QString::fromUtf8("E\u266D part"))) << text.toStdString();
    for (const char* chord : {"Am7", "D7", "GMaj7", "CMaj7", "F\u266Fm7\u266D5", "B7\u266D9", "Em"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(chord))) << chord << " in\n" << text.toStdString();
    EXPECT_FALSE(text.contains("Cm7"));
}

TEST(PrintPdf, PrintsTheComposerUnderTheTitle) {
    QTemporaryDir dir;
    const Plist& font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    const QString chart = dir.filePath("autumn.zub"), pdf = dir.filePath("autumn.pdf");
    saveChartDocument(chart.toStdString(),
                      openChartDocument(autumn.toStdString(), font).with("Composer", Plist::make_string("Joseph Kosma")));
    ASSERT_EQ(printPdfOption({"--print-pdf", pdf, chart}), 0);
    const auto text = testing::pdfText(pdf);
    if (!text) FAIL() << "pdftotext is not installed: install poppler-utils";
    const auto title = text->indexOf("Autumn Leaves"), composer = text->indexOf("Joseph Kosma");
    ASSERT_GE(title, 0) << text->toStdString();
    EXPECT_GT(composer, title) << text->toStdString();
    // Under the title and above the chords.
    const auto words = *testing::pdfWords(pdf);
    auto top = [&](const QString& word) {
        for (const auto& w : words.words)
            if (w.text == word) return w.yMin;
        return -1.0;
    };
    EXPECT_GT(top("Kosma"), top("Autumn"));
    EXPECT_LT(top("Kosma"), top("Cm7"));
}

TEST(PrintPdf, RefusesWhatItCannotRead) {
    QTemporaryDir dir;
    const QString out = dir.filePath("out.pdf");
    EXPECT_EQ(printPdfOption({"--print-pdf", out}), 2);
    EXPECT_EQ(printPdfOption({"--print-pdf", out, "--for", autumn}), 2);
    EXPECT_EQ(printPdfOption({"--print-pdf", out, "--sideways", autumn}), 2);
    EXPECT_EQ(printPdfOption({"--print-pdf", out, "--for", "G", autumn}), 2);  // no such instrument
    EXPECT_EQ(printPdfOption({"--print-pdf", out, "--paper", "a5", autumn}), 2);
    EXPECT_EQ(printPdfOption({"--print-pdf", out, "--one-page", "--one-page", autumn}), 2);
    EXPECT_EQ(printPdfOption({"--print-pdf", out, "/no/such/chart.txt"}), 1);
    EXPECT_FALSE(QFile::exists(out));
}

}  // namespace
}  // namespace zub
