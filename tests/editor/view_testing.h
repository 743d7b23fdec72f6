// A chart view for the editor's widget tests, with the chart model and edits a
// document would give it (no undo stack), and what a user reaches in it.
#pragma once

#include <QLineEdit>

#include "editor/app/my_document.h"
#include "editor/entry/chord_field_editor.h"
#include "editor/model/chart_edits.h"
#include "editor/model/chart_model.h"
#include "editor/view/chart_view.h"

namespace zub::testing {

struct ViewOfChart {
    explicit ViewOfChart(const Plist& chart = MyDocument::newChart()) : model(chart), edits(model, nullptr), view(model, edits) {}
    ChartModel model;
    ChartEdits edits;
    ChartView view;
};

// The field editor the user types chords into.
inline ChordFieldEditor* chordField(const ChartView& view) { return view.findChild<ChordFieldEditor*>(); }
// The title and tempo fields above the first line.
inline QLineEdit* titleField(const ChartView& view) { return view.findChild<QLineEdit*>(QStringLiteral("title")); }
inline QLineEdit* tempoField(const ChartView& view) { return view.findChild<QLineEdit*>(QStringLiteral("tempo")); }

}  // namespace zub::testing
