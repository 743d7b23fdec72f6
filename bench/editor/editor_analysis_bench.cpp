// Analysing a chart in the chart view: the core's key centers and annotation,
// the matching of the result to the slots, the relayout with the
// analysis band and a paint of the whole chart with romans, brackets and arrows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <string>

#include "bench/editor/editor_bench_support.h"
#include "bridge/chart_document.h"
#include "editor/app/analysis_menu.h"
#include "editor/app/my_document.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"

namespace {

// Autumn Leaves' changes repeated to the given length.
zub::Plist changes(int bars) {
    benchApplication();
    const char* lines[] = {"| Cm7 | F7 | BbMaj7 | EbMaj7 |\n", "| Am7b5 | D7b9 | Gm | Gm |\n",
                           "| Am7b5 | D7b9 | Gm | Gm |\n", "| Cm7 | F7 | BbMaj7 | EbMaj7 |\n"};
    std::string text = "Name: Analysed\nMeter: 4/4\nStyle: Swing\nKey: Gm\nTempo: 160\n";
    for (int bar = 0; bar < bars; bar += 4) text += lines[(bar / 4) % 4];
    return zub::chartFromDocumentBytes(text, zub::MyDocument::newChart().dictionary_at("Font"));
}

void BM_AnalyseRelayoutPaint(benchmark::State& state) {
    const zub::Plist chart = changes(static_cast<int>(state.range(0)));
    BenchView bench;
    zub::ChartView& view = bench.view;
    view.setChart(chart);
    view.setEnclosingSize(800, 600);
    QImage target(800, static_cast<int>(view.layout().height) * 2, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        if (zub::analyze(bench.model, bench.edits)) state.SkipWithError("analysis failed");
        QPainter painter(&target);
        view.paintChart(painter, QRectF(0, 0, view.layout().width, view.layout().height), true);
        painter.end();
        benchmark::DoNotOptimize(view.analysisFigures().arrows.size());
        state.PauseTiming();
        view.setChart(chart);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AnalyseRelayoutPaint)->Arg(32)->Arg(500)->Unit(benchmark::kMillisecond);

void BM_RelayoutWithAnalysis500Bars(benchmark::State& state) {
    BenchView bench;
    zub::ChartView& view = bench.view;
    view.setChart(changes(500));
    view.setEnclosingSize(800, 600);
    if (zub::analyze(bench.model, bench.edits)) state.SkipWithError("analysis failed");
    for (auto _ : state) {
        view.setEnclosingSize(800, 600);  // lays the whole chart out again
        benchmark::DoNotOptimize(view.layout().height);
    }
}
BENCHMARK(BM_RelayoutWithAnalysis500Bars)->Unit(benchmark::kMillisecond);

}  // namespace
