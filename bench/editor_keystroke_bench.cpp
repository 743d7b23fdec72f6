// One keystroke of chord entry in a 500-bar chart: the key reaches the shared
// chord field editor, the chart is laid out again (the chord may widen its bar)
// and the window's visible part is repainted. It must stay well under a frame (16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <string>

#include "bridge/chart_document.h"
#include "editor/chart_view.h"
#include "editor/my_document.h"

namespace {

QApplication& application() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zub_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

std::string longChart(int bars) {
    const char* changes[] = {"Cm7", "F7", "BbMaj7", "EbMaj7", "Am7b5", "D7b9", "Gm", "Gm7 C7"};
    std::string text = "Name: Long Chart\nMeter: 4/4\nStyle: Swing\nKey: Gm\nTempo: 160\n";
    for (int bar = 0; bar < bars; bar += 4) {
        text += "|";
        for (int k = 0; k < 4; ++k) text += std::string(" ") + changes[(bar + k) % 8] + " |";
        text += "\n";
    }
    return text;
}

void press(QWidget* target, int key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &up);
}

void BM_KeystrokeIn500BarChart(benchmark::State& state) {
    application();
    const zub::Plist font = zub::MyDocument::newChart().dictionary_at("Font");
    zub::MyDocument document(zub::chartFromDocumentBytes(longChart(500), font), QString());
    document.resize(820, 640);
    document.show();
    zub::ChartView* view = document.chartView();
    view->editSlot({250, 1});
    QLineEdit* field = view->chordFieldEditor();
    field->end(false);
    // The window's visible part around the slot being edited.
    const QRect visible = field->geometry().adjusted(-400, -300, 400, 300).intersected(view->rect());
    QImage target(visible.size(), QImage::Format_ARGB32_Premultiplied);
    bool typeNext = true;
    for (auto _ : state) {
        // Alternate a typed character and its deletion so the chord stays the same length.
        if (typeNext) press(field, Qt::Key_9, QStringLiteral("9"));
        else press(field, Qt::Key_Backspace, QString());
        typeNext = !typeNext;
        QPainter painter(&target);
        view->render(&painter, QPoint(), QRegion(visible));
        benchmark::DoNotOptimize(target.bits());
    }
    state.counters["bars"] = static_cast<double>(view->barCount());
}
BENCHMARK(BM_KeystrokeIn500BarChart)->Unit(benchmark::kMillisecond);

}  // namespace
