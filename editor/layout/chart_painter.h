// Drawing a laid-out chart: bar lines, slashes, chords, the form (form_painter),
// the analysis figures and key labels, the composer under the title, and (when
// printing from the view) the title and tempo as text. One painter
// serves the screen, printing and the drag image; it reads what it draws from
// a ChartPicture and changes nothing.
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

#include "bridge/bar_marks.h"
#include "editor/layout/analysis_display.h"
#include "editor/layout/chart_layout.h"
#include "editor/layout/chord_font.h"
#include "editor/model/bar_operations.h"

class QPainter;

namespace zub {

// One bar as shown: its chords encoded in the chord font, one per slot, the
// width of each slot, its section mark and its form marks.
struct ShownBar {
    QStringList shown;
    std::vector<float> widths;
    std::int64_t sectionMark = 32;
    BarMarks marks{};
};

// The title and tempo as drawn in print: their text, font and place.
struct TitleText {
    QString text;
    QFont font;
    QRect frame;
};

struct ChartPicture {
    const ChartLayout& layout;
    const std::vector<ShownBar>& bars;
    const ChordFont& font;
    const Chorus& chorus;
    bool showAnalysis = false;
    const AnalysisFigures* analysis = nullptr;  // none without an analysis
    const QFont& romanFont;
    const std::vector<AnalysisText>& keyLabels;
    const QFont& keyFont;
    // The slot the chord field editor shows: left out on screen, drawn with its
    // stored chord when printing.
    std::optional<SlotRef> editedSlot;
    QString storedChordOfEditedSlot;
    std::optional<TitleText> title, tempo;  // drawn only when printing
    // Drawn on screen too: no field shows it there.
    std::optional<TitleText> composer;
    // The colour of everything drawn: the palette's text colour on screen, black on paper.
    QColor ink = Qt::black;
    // The chart's meter shown at its start when it is not 4/4 ("3/4"), else "".
    QString openingTime;
};

// paintChart(painter, picture, area, printing): everything that meets area.
void paintChart(QPainter& painter, const ChartPicture& picture, const QRectF& area, bool printing);

}  // namespace zub
