// One keystroke of chord entry in a 500-bar chart: the key reaches the shared
// chord field editor, the chart is laid out again (the chord may widen its bar)
// and the window's visible part is repainted. It must stay well under a frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

#include <string>

#include "bench/editor/editor_bench_support.h"
#include "bridge/chart_document.h"
#include "editor/app/my_document.h"
#include "editor/entry/chord_field_editor.h"
#include "editor/view/chart_view.h"

namespace {

void BM_KeystrokeIn500BarChart(benchmark::State& state) {
    benchApplication();
    const zub::Plist font = zub::MyDocument::newChart().dictionary_at("Font");
    zub::MyDocument document(zub::chartFromDocumentBytes(longChart(500), font), QString());
    document.resize(820, 640);
    document.show();
    zub::ChartView* view = document.chartView();
    view->editSlot({250, 1});
    QLineEdit* field = view->findChild<zub::ChordFieldEditor*>();
    pressKey(*field, Qt::Key_D, QStringLiteral("d"));
    pressKey(*field, Qt::Key_M, QStringLiteral("m"));
    if (field->text() != QStringLiteral("Dm")) state.SkipWithError("keystrokes do not reach the field editor");
    // The window's visible part around the slot being edited.
    const QRect visible = field->geometry().adjusted(-400, -300, 400, 300).intersected(view->rect());
    QImage target(visible.size(), QImage::Format_ARGB32_Premultiplied);
    bool typeNext = true;
    for (auto _ : state) {
        // Alternate a typed character and its deletion so the chord stays the same length.
        if (typeNext) pressKey(*field, Qt::Key_7, QStringLiteral("7"));
        else pressKey(*field, Qt::Key_Backspace, QString());
        typeNext = !typeNext;
        QPainter painter(&target);
        view->render(&painter, QPoint(), QRegion(visible));
        benchmark::DoNotOptimize(target.bits());
    }
    state.counters["bars"] = static_cast<double>(document.model().barCount());
}
BENCHMARK(BM_KeystrokeIn500BarChart)->Unit(benchmark::kMillisecond);

}  // namespace
