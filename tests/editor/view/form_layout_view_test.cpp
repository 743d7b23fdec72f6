// The lines of a chart in the window: the form's, whatever the window's width or chord font.
#include <gtest/gtest.h>

#include "bridge/bridge_exception.h"
#include "bridge/chart_document.h"
#include "editor/app/my_document.h"
#include "../view_testing.h"
#include "../failure_testing.h"

namespace zub {
namespace {

using testing::ViewOfChart;

const QString examples = QStringLiteral(ZUB_TEST_DATA "/../../resources/examples/");

// The first bar of every line.
std::vector<std::size_t> lineStarts(const ChartView& view) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < view.layout().bars.size(); ++i)
        if (view.layout().bars[i].firstInLine) starts.push_back(i);
    return starts;
}

Plist withFont(const Plist& chart, double points) {
    return chart.with("Font", chart.dictionary_at("Font").with("PointSize", Plist::make_real(points)));
}

TEST(FormLayoutView, LinesAreTheSameAtEveryWidthAndFont) {
    struct Case { const char* file; std::vector<std::size_t> starts; };
    const Case cases[] = {
        {"blues-in-f.txt", {0, 4, 8}},
        {"autumn-leaves.txt", {0, 4, 8, 12, 16, 20, 24, 28}},
    };
    for (const Case& c : cases) {
        const Plist chart = MyDocument::readChart(examples + c.file);
        for (double points : {10.0, 24.0}) {
            ViewOfChart owner(withFont(chart, points));
            for (float width : {320.0f, 820.0f, 1400.0f}) {
                owner.view.setEnclosingSize(width, 600);
                EXPECT_EQ(lineStarts(owner.view), c.starts) << c.file << " at " << width << " in " << points;
                // The chart scrolls rather than squeezing a line below what its chords need.
                EXPECT_GE(owner.view.width(), static_cast<int>(width) - 1) << c.file;
            }
        }
    }
}

TEST(FormLayoutView, BarsPerLineFromTheChartThenThePreference) {
    const Plist chart = MyDocument::readChart(examples + "blues-in-f.txt");
    ViewOfChart six(chart.with("BarsPerLine", Plist::make_integer(6)));
    EXPECT_EQ(six.view.barsPerLine(), 6);
    EXPECT_EQ(lineStarts(six.view), (std::vector<std::size_t>{0, 6}));
    ViewOfChart plain(chart);
    EXPECT_EQ(plain.view.barsPerLine(), 4);
    std::string bytes = chartDocumentBytes(chart);
    bytes.insert(bytes.find("<key>Chords</key>"), "<key>BarsPerLine</key><integer>9</integer>");
    EXPECT_EQ(testing::reasonOf([&] { chartFromDocumentBytes(bytes, chart.dictionary_at("Font")); }),
              "Invalid bars per line: 9");
}

// An edit that widens a bar never moves bars to another line.
TEST(FormLayoutView, AWiderChordDoesNotReflow) {
    ViewOfChart owner(MyDocument::readChart(examples + "blues-in-f.txt"));
    owner.view.setEnclosingSize(500, 400);
    const auto before = lineStarts(owner.view);
    const int width = owner.view.width();
    owner.edits.setChord({1, 0}, QString::fromUtf8("B\u266D13\u266F11\u266D9"), QString::fromUtf8("B\u266D7"));
    EXPECT_EQ(lineStarts(owner.view), before);
    EXPECT_GE(owner.view.width(), width);
}

}  // namespace
}  // namespace zub
