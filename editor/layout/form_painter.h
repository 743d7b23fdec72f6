// Drawing the form of a laid-out chart: the boxed section letter at a section's
// start, ending brackets with their numbers, segno and coda signs, "To Coda",
// D.C./D.S. directions, Fine and repeat counts in the band over the chords, and
// a time signature at the start of the slash row where the meter changes.
// Signs are drawn as paths, so no music font is needed.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

#include "bridge/bar_marks.h"
#include "editor/layout/chart_layout.h"

class QPainter;

namespace zub {

// One bar's form as drawn: where it is, its marks, whether it begins or ends
// the ending it is in, and the time signature shown at its start ("" for none).
struct BarFormView {
    const BarPlacement& placed;
    const BarMarks& marks;
    std::int64_t sectionMark = 32;
    bool beginsEnding = false;
    bool endsEnding = false;
    QString time;
};

// The fonts and ink the form is drawn with, sized from the chord font.
struct FormStyle {
    FormStyle(const QFont& chordFont, QColor ink);
    QFont letter, text, direction, time;
    QColor ink;
};

// drawBarForm(painter, bar, m, style) draws what the bar's form shows.
void drawBarForm(QPainter& painter, const BarFormView& bar, const ChordFontMetrics& metrics, const FormStyle& style);

// repeatCountText(3) -> "3×"; "" for 2 or fewer (two times goes without saying).
QString repeatCountText(int times);

}  // namespace zub
