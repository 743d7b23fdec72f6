// The chart view's costs on a long chart: a full relayout (it runs on every
// keystroke of chord entry) and opening a chart up to its first paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <string>

#include "bench/editor/editor_bench_support.h"
#include "bridge/chart_document.h"
#include "editor/app/my_document.h"
#include "editor/view/chart_view.h"

namespace {

zub::Plist longChartDictionary() {
    benchApplication();
    return zub::chartFromDocumentBytes(longChart(500), zub::MyDocument::newChart().dictionary_at("Font"));
}

void BM_FullRelayout500Bars(benchmark::State& state) {
    const zub::Plist chart = longChartDictionary();
    BenchView bench;
    zub::ChartView& view = bench.view;
    view.setChart(chart);
    view.setEnclosingSize(800, 600);
    for (auto _ : state) {
        view.setEnclosingSize(800, 600);  // lays the whole chart out again
        benchmark::DoNotOptimize(view.layout().height);
    }
}
BENCHMARK(BM_FullRelayout500Bars)->Unit(benchmark::kMillisecond);

void BM_OpenToFirstPaint500Bars(benchmark::State& state) {
    benchApplication();
    const std::string bytes = longChart(500);
    const zub::Plist font = zub::MyDocument::newChart().dictionary_at("Font");
    QImage target(800, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        BenchView bench(zub::chartFromDocumentBytes(bytes, font));
        zub::ChartView& view = bench.view;
        view.setEnclosingSize(800, 600);
        QPainter painter(&target);
        view.paintChart(painter, QRectF(0, 0, 800, 600), false);
    }
}
BENCHMARK(BM_OpenToFirstPaint500Bars)->Unit(benchmark::kMillisecond);

}  // namespace
