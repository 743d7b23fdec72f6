#include "editor/app/print_pdf_option.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

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
