// What the editor benchmarks share: the one QApplication of the benchmark
// program (Qt allows a single application object per process), made on first
// use and offscreen unless a platform is chosen; a chart view; a key press; and a long text chart.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <string>

#include "editor/app/my_document.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"

inline QApplication& benchApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zub_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

// A chart view with the model and edits a document would give it (no undo stack).
struct BenchView {
    explicit BenchView(const zub::Plist& chart = zub::MyDocument::newChart())
        : model(chart), edits(model, nullptr), view(model, edits) {}
    zub::ChartModel model;
    zub::ChartEdits edits;
    zub::ChartView view;
};

// One key pressed and released over a widget, as the window system delivers it.
inline void pressKey(QWidget& target, int key, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &up);
}

// A text chart of common changes, two chords in every fourth bar.
inline std::string longChart(int bars) {
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
