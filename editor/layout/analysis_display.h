// The analysis drawn over a chart (chart_analysis): the figures drawn from it - romans above the chords,
// brackets under ii-V pairs, arcs with arrowheads from chords to their
// resolutions, dotted pass-through arrows - plus the key labels under the
// slash rows. Geometry is computed from the chord frames alone, so it needs no
// display; draw_analysis and draw_keys only stroke what it computed.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bridge/chart_analysis.h"
#include "editor/layout/chart_layout.h"
#include "editor/layout/chord_font_metrics.h"

class QPainter;

namespace zub {

// What the analysis figures know of one bar: its chord frames in chart
// coordinates, the width of each chord's text in the roman font, and its line flags.
struct AnalysisBar {
    std::vector<LayoutRect> chordFrames;
    std::vector<float> textWidths;
    bool firstInLine = false;
    bool lastInLine = false;
};

// analysisBars(layout, widths) -> the layout's chord frames moved into chart coordinates.
std::vector<AnalysisBar> analysisBars(const ChartLayout& layout, const std::vector<std::vector<float>>& textWidths);

// The reference points and line relations of slots in a laid-out chart.
// Every function takes chord indexes inside the bars given; others throw
// Invalid_argument "Chord index out of range: 9/0".
class AnalysisGeometry {
public:
    AnalysisGeometry(std::vector<AnalysisBar> bars, const ChordFontMetrics& metrics);

    QPointF upperLeft(SlotRef v) const;          // (R.x, R.y + vAdj)
    QPointF upperRight(SlotRef v) const;         // (R.right, R.y + vAdj)
    QPointF upperRightOfString(SlotRef v) const; // (R.x + text width + hAdj, R.y + vAdj)
    QPointF arcTopAboveUpperLeft(SlotRef v) const;   // (R.x, R.y)
    QPointF arcTopAboveUpperRight(SlotRef v) const;  // (R.right, R.y)
    QPointF midPointBelow(SlotRef v) const;      // (R.x + text width / 2, R.bottom)
    QPointF arcTop(QPointF p, QPointF q) const;     // ((p.x + q.x) / 2, p.y - vAdj)

    // sameLine(a, b): same bar, or b's bar reached from a's going forward before a line ends.
    bool sameLine(SlotRef a, SlotRef b) const;
    SlotRef lastSlotOfLineAfter(SlotRef v) const;
    SlotRef firstSlotOfLineBefore(SlotRef v) const;
    // beginsLine(v): slot 0 of a bar that is first in its line.
    bool beginsLine(SlotRef v) const;
    QPointF endOfLineAfter(SlotRef v) const;        // top-right of that frame
    QPointF beginningOfLineBefore(SlotRef v) const; // top-left of that frame

    const ChordFontMetrics& metrics() const { return metrics_; }

private:
    const LayoutRect& frame(SlotRef v) const;
    float textWidth(SlotRef v) const;
    std::vector<AnalysisBar> bars_;
    ChordFontMetrics metrics_;
};

// A stroked figure: a path, dotted or solid; arcs start their dashes at phase 1.
struct AnalysisStroke {
    QPainterPath path;
    bool dotted = false;
    bool arc = false;
};

// A text drawn with its top-left corner at a point.
struct AnalysisText {
    QPointF topLeft;
    QString text;
    bool operator==(const AnalysisText&) const = default;
};

// Everything draw_analysis strokes, in drawing order.
struct AnalysisFigures {
    std::vector<AnalysisText> romans;
    std::vector<AnalysisStroke> brackets;
    std::vector<AnalysisStroke> arrows;
    std::vector<QPolygonF> arrowheads;  // filled
};

// controlRodAngle(h, w): a = atan2(h, w); 2a below pi/6, else a + (pi/2 - a) / 4.
double controlRodAngle(double height, double width);
// leftArc(P, T): a cubic from P up to T, horizontal at T.
QPainterPath leftArc(QPointF p, QPointF t);
// rightArc(T, E): a cubic from T down to E; incomingAngle gets the angle at E.
QPainterPath rightArc(QPointF t, QPointF e, double* incomingAngle);
// arrowhead(Q, angle, size): the triangle Q, Q - size x (cos, sin)(angle -+ pi/6).
QPolygonF arrowhead(QPointF q, double angle, double size);

// The figures of an analysis over the slots: romans, brackets, arrows
// (arrows and brackets whose ends have no slot are left out).
// "ArrowSize" and "PassthruArrowEndHorizontalAdjustment" are given by the caller.
struct ArrowParameters {
    double arrowSize = 6;
    double passthruEndAdjustment = 4;
};
AnalysisFigures analysisFigures(const ChartAnalysis& analysis, const AnalysisGeometry& geometry,
                                const ArrowParameters& parameters);

// keyLabels(key slots per bar, geometry): "F:" under the first slot of each run
// of one key (display flats and sharps), nothing for empty or repeated keys.
std::vector<AnalysisText> keyLabels(const std::vector<std::vector<std::string>>& keys,
                                     const AnalysisGeometry& geometry);

// The parameters table's values for the figures.
ArrowParameters arrowParametersFromTable();
// The fonts "AnalysisRomanFont" and "AnalysisKeyFont" of the parameters table
// (the application font at that size when the family is not installed).
QFont analysisRomanFont();
QFont analysisKeyFont();

// draw_analysis(painter, figures, romanFont, ink): romans, then brackets, then arrows.
void draw_analysis(QPainter& painter, const AnalysisFigures& figures, const QFont& romanFont,
                   const QColor& ink = Qt::black);
// draw_keys(painter, labels, keyFont, ink).
void draw_keys(QPainter& painter, const std::vector<AnalysisText>& labels, const QFont& keyFont,
               const QColor& ink = Qt::black);

}  // namespace zub
