// The chart view's costs on a long chart: a full relayout (it runs on every
// keystroke of chord entry) and opening a chart up to its first paint.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <string>

#include "bench/editor_bench_application.h"
#include "bridge/chart_document.h"
#include "editor/chart_view.h"
#include "editor/my_document.h"

namespace {

// A 500-bar text chart of common changes, two chords in every fourth bar.
std::string longChart(int bars) {
    const char* changes[] = {"Cm7", "F7", "BbMaj7", "EbMaj7", "Am7b5", "D7b9", "Gm", "Gm7 C7"};
    std::string text = "Name: Long Chart\nMeter: 4/4\nStyle: Swing\nKey: Gm\nTempo: 160\n";
    text += "Chorus: bars 1 to " + std::to_string(bars) + " (repeat 2 times)\nSections: 1A 9B\n";
    for (int bar = 0; bar < bars; bar += 4) {
        text += "|";
        for (int k = 0; k < 4; ++k) text += std::string(" ") + changes[(bar + k) % 8] + " |";
        text += "\n";
    }
    return text;
}

zub::Plist longChartDictionary() {
    benchApplication();
    return zub::chartFromDocumentBytes(longChart(500), zub::MyDocument::newChart().dictionary_at("Font"));
}

void BM_FullRelayout500Bars(benchmark::State& state) {
    const zub::Plist chart = longChartDictionary();
    zub::ChartView view;
    view.setChart(chart);
    view.setEnclosingSize(800, 600);
    for (auto _ : state) {
        view.recomputeLayoutResettingAnalysis(true);
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
        zub::ChartView view;
        view.setChart(zub::chartFromDocumentBytes(bytes, font));
        view.setEnclosingSize(800, 600);
        QPainter painter(&target);
        view.paintChart(painter, QRectF(0, 0, 800, 600), false);
    }
}
BENCHMARK(BM_OpenToFirstPaint500Bars)->Unit(benchmark::kMillisecond);

}  // namespace
