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
    EXPECT_LT(composer, text->indexOf("Cm7")) << text->toStdString();
}

}  // namespace
}  // namespace zub
