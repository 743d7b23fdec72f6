#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "editor/app/print_pdf_option.h"
#include "../pdf_text.h"

namespace zub {
namespace {

const std::string autumn = ZUB_TEST_DATA "/../../resources/examples/autumn-leaves.txt";

TEST(PrintPdf, PrintsTheComposerUnderTheTitle) {
    QTemporaryDir dir;
    const Plist& font = MyConstants::shared().newDocumentChartTemplate().at("Font");
    const QString chart = dir.filePath("autumn.zub"), pdf = dir.filePath("autumn.pdf");
    saveChartDocument(chart.toStdString(),
                      openChartDocument(autumn, font).with("Composer", Plist::make_string("Joseph Kosma")));
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

}  // namespace
}  // namespace zub
