// The lead-sheet layout's costs: laying out and painting a 200-bar chart after
// an edit, opening a 200-bar chart written with repeats, endings and a coda up to
// its first paint, and printing a 32-bar chart to PDF.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "bench/editor/editor_bench_support.h"
#include "bridge/chart_document.h"
#include "editor/layout/chart_printer.h"

namespace {

zub::Plist chartOfBars(int bars) {
    benchApplication();
    return zub::chartFromDocumentBytes(longChart(bars), zub::MyDocument::newChart().dictionary_at("Font"));
}

// Every 16 bars: a repeated 8-bar A with two endings, a B with a segno, To Coda and D.S.
zub::Plist writtenChart(int bars) {
    const zub::Plist chart = chartOfBars(bars);
    zub::Plist::Array written = chart.array_at("Chords");
    const zub::Plist yes = zub::Plist::make_boolean(true);
    auto one = [](int n) { return zub::Plist::make_array({zub::Plist::make_integer(n)}); };
    for (std::size_t at = 0; at + 16 <= written.size(); at += 16) {
        written[at] = written[at].with("RepeatStart", yes);
        written[at + 6] = written[at + 6].with("Endings", one(1));
        written[at + 7] = written[at + 7].with("Endings", one(1)).with("RepeatEnd", zub::Plist::make_integer(2));
        written[at + 8] = written[at + 8].with("Endings", one(2));
        written[at + 10] = written[at + 10].with("Segno", yes);
        written[at + 13] = written[at + 13].with("ToCoda", yes);
        written[at + 15] = written[at + 15].with("Direction", zub::Plist::make_string("D.S. al Coda"));
    }
    return chart.with("Chords", zub::Plist::make_array(written));
}

void BM_LayoutAndPaint200BarsAfterEdit(benchmark::State& state) {
    BenchView bench(writtenChart(200));
    zub::ChartView& view = bench.view;
    view.setEnclosingSize(900, 700);
    QImage target(900, 700, QImage::Format_ARGB32_Premultiplied);
    const QString chords[] = {QStringLiteral("C7"), QStringLiteral("F\u266F7\u266F11")};
    int k = 0;
    for (auto _ : state) {
        // The edit lays the chart out again; then the window paints what it shows.
        bench.edits.setChord({100, 1}, chords[k % 2], chords[(k + 1) % 2]);
        ++k;
        QPainter painter(&target);
        view.paintChart(painter, QRectF(0, 0, 900, 700), false);
    }
}
BENCHMARK(BM_LayoutAndPaint200BarsAfterEdit)->Unit(benchmark::kMillisecond);

void BM_OpenWritten200BarsLaidOut(benchmark::State& state) {
    const std::string bytes = zub::chartDocumentBytes(writtenChart(200));
    const zub::Plist font = zub::MyDocument::newChart().dictionary_at("Font");
    QImage target(900, 700, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        BenchView bench(zub::chartFromDocumentBytes(bytes, font));
        bench.view.setEnclosingSize(900, 700);
        QPainter painter(&target);
        bench.view.paintChart(painter, QRectF(0, 0, 900, 700), false);
    }
}
BENCHMARK(BM_OpenWritten200BarsLaidOut)->Unit(benchmark::kMillisecond);

void BM_Print32BarsToPdf(benchmark::State& state) {
    BenchView bench(writtenChart(32));
    const QTemporaryDir dir;
    const QString pdf = dir.filePath("chart.pdf");
    const zub::PrintOptions options{zub::pageHeaderOf(bench.model.chart()), false};
    for (auto _ : state) zub::printChartToPdf(bench.view, pdf, options);
}
BENCHMARK(BM_Print32BarsToPdf)->Unit(benchmark::kMillisecond);

}  // namespace
