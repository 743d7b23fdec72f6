// A full relayout of a long chart, as after every keystroke, and opening a
// long chart up to its first paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "bridge/my_constants.h"
#include "editor/chart_layout.h"
#include "editor/chart_view.h"

namespace {

zub::ChordFontMetrics metrics() { return zub::ChordFontMetrics::make(8, 17, zub::shared_parameters()); }

void BM_RelayoutChart(benchmark::State& state) {
    zub::Layout_request request;
    for (int i = 0; i < state.range(0); ++i) request.chord_widths.push_back({40.0f + static_cast<float>(i % 5) * 9, 6, 38, 6});
    request.view_width = 800;
    request.view_height = 900;
    const zub::ChordFontMetrics m = metrics();
    for (auto _ : state) benchmark::DoNotOptimize(zub::layoutChart(request, m));
}
BENCHMARK(BM_RelayoutChart)->Arg(500)->Unit(benchmark::kMillisecond);

zub::Plist long_chart(int bars) {
    const zub::Plist& empty = zub::MyConstants::shared().newDocumentChartTemplate();
    const zub::Plist& bar = empty.array_at("Chords")[0];
    const char* chords[] = {"Cm7", "F7", "B\u266DMaj7", "E\u266DMaj7", "Am7\u266D5", "D7\u266D9", "Gm", "G7"};
    zub::Plist::Array all;
    for (int i = 0; i < bars; ++i) {
        zub::Plist::Array grid = bar.array_at("Chords");
        grid[0] = zub::Plist::make_string(chords[i % 8]);
        all.push_back(bar.with("Chords", zub::Plist::make_array(std::move(grid))));
    }
    return empty.with("Chords", zub::Plist::make_array(std::move(all)));
}

void BM_OpenChartToFirstPaint(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    const zub::Plist chart = long_chart(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        zub::ChartView view;
        view.setChart(chart);
        QImage image(800, 1000, QImage::Format_ARGB32);
        view.render(&image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_OpenChartToFirstPaint)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
