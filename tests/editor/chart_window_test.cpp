#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "bridge/my_constants.h"
#include "editor/chart_view.h"
#include "editor/chart_window.h"

namespace zub {
namespace {

QApplication& application() {
    static int argc = 1;
    static char name[] = "test_editor";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

const QString example = ZUB_RESOURCE_DIR "/examples/autumn-leaves.txt";

TEST(ChartWindow, OpensAndLaysOutAChart) {
    application();
    QString error;
    std::unique_ptr<ChartWindow> window(ChartWindow::open(example, nullptr, &error));
    ASSERT_TRUE(window) << error.toStdString();
    const Chart_layout& layout = window->chartView()->layout();
    EXPECT_EQ(layout.bars.size(), 32u);
    EXPECT_TRUE(layout.bars[0].firstInLine);
    for (const auto& bar : layout.bars) EXPECT_LE(bar.frame.x + bar.frame.width, layout.width + 0.5f);
    EXPECT_EQ(window->chartView()->chart().string_at("Name"), "Autumn Leaves");

    EXPECT_EQ(ChartWindow::open("/no/such/chart.zub", nullptr, &error), nullptr);
    EXPECT_EQ(error.toStdString(), "Can't read input file: /no/such/chart.zub");
}

TEST(ChartWindow, PrintsToPdf) {
    application();
    std::unique_ptr<ChartWindow> window(ChartWindow::open(example));
    ASSERT_TRUE(window);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("chart.pdf");
    ASSERT_TRUE(window->exportPdf(pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST(ChartWindow, NewChartsStartFromTheTemplate) {
    application();
    std::unique_ptr<ChartWindow> window(ChartWindow::newChart());
    EXPECT_EQ(window->chartView()->layout().bars.size(), 8u);
}

}  // namespace
}  // namespace zub
