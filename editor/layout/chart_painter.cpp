#include "editor/layout/chart_painter.h"

#include <QGuiApplication>
#include <QPainter>

#include "bridge/bridge_exception.h"

namespace zub {

namespace {

void drawAdorned(QPainter& painter, QPointF baseline, const AdornedText& text) {
    for (const AdornedRun& run : text) {
        painter.setFont(run.font);
        painter.drawText(baseline, run.text);
        baseline.rx() += QFontMetricsF(run.font).horizontalAdvance(run.text);
    }
}

// The composer sits at the right of the line under the title, as on lead sheets.
void drawComposer(QPainter& painter, const ChartPicture& p) {
    if (!p.composer) return;
    painter.setPen(Qt::black);
    painter.setFont(p.composer->font);
    painter.drawText(p.composer->frame, Qt::AlignRight | Qt::AlignVCenter, p.composer->text);
}

void drawTitle(QPainter& painter, const ChartPicture& p) {
    painter.setPen(Qt::black);
    if (p.title) {
        painter.setFont(p.title->font);
        painter.drawText(p.title->frame, Qt::AlignCenter, p.title->text);
    }
    if (p.tempo) {
        painter.setFont(p.tempo->font);
        painter.drawText(p.tempo->frame, Qt::AlignLeft | Qt::AlignVCenter, p.tempo->text);
    }
}

void drawBar(QPainter& painter, const ChartPicture& p, std::size_t index, bool printing) {
    const ChordFontMetrics& m = p.font.metrics();
    const BarPlacement& placed = p.layout.bars[index];
    const ShownBar& bar = p.bars[index];
    // Slashes first, then the chords above them.
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    for (const Stroke& s : slashStrokes(placed.frame, bar.widths.size(), m, p.showAnalysis))
        painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
    painter.setPen(Qt::black);
    const double ascent = QFontMetricsF(p.font.font()).ascent();
    for (qsizetype k = 0; k < bar.shown.size(); ++k) {
        const auto slot = static_cast<std::size_t>(k);
        const bool edited = p.editedSlot && *p.editedSlot == SlotRef{index, slot};
        if (edited && !printing) continue;
        const LayoutRect& c = placed.chordFrames[slot];
        drawAdorned(painter, QPointF(placed.frame.x + c.x + m.chordVerticalPadding() / 2,
                                     placed.frame.y + c.y + m.chordVerticalPadding() / 2 + ascent),
                    p.font.adorn(edited ? p.storedChordOfEditedSlot : bar.shown[k]));
    }
}

void drawBarLineAt(QPainter& painter, const ChartPicture& p, QPointF at, BarLineType type) {
    const ChordFontMetrics& m = p.font.metrics();
    const double y0 = at.y() + m.charHeight() + m.chordVerticalPadding() + m.chordNotationSpacing();
    const double y1 = y0 + m.notationHeight();
    const double x = at.x();
    auto line = [&](double lx, double width) {
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(lx, y0), QPointF(lx, y1));
    };
    auto dots = [&](double left) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(left, y0 + m.notationHeight() / 3, 3, 3));
        painter.drawEllipse(QRectF(left, y0 + 2 * m.notationHeight() / 3 - 3, 3, 3));
        painter.setBrush(Qt::NoBrush);
    };
    switch (type) {
    case BarLineType::single: line(x, 1); return;
    case BarLineType::doubleLine: line(x - 1.5, 1); line(x + 1.5, 1); return;
    case BarLineType::repeatStart: line(x - 2.5, 2); line(x, 1); dots(x + 1.5); return;
    case BarLineType::repeatEnd: {
        line(x + 2.5, 2);
        line(x, 1);
        dots(x - 4.5);
        QFont small = QGuiApplication::font();
        small.setPointSizeF(9);
        painter.setFont(small);
        painter.setPen(Qt::black);
        const QString count = QString::number(p.chorus.repeats) + "x";
        const double w = QFontMetricsF(small).horizontalAdvance(count);
        painter.drawText(QPointF(x - w / 2, y0 - QFontMetricsF(small).descent()), count);
        return;
    }
    }
    throw Bridge_exception("drawBarLineAt::", "Unknown BarLineType");
}

void drawBarLines(QPainter& painter, const ChartPicture& p, std::size_t index, const BarLineRules& rules) {
    const BarPlacement& placed = p.layout.bars[index];
    const auto i = static_cast<std::int64_t>(index);
    const float y = placed.frame.y + (p.showAnalysis ? p.font.metrics().analysisHeight() : 0);
    const BarLineType left = placed.firstInLine ? rules.forFirstInLineBar(i) : rules.forMiddleOfLineBar(i);
    drawBarLineAt(painter, p, QPointF(placed.frame.x, y), left);
    if (placed.lastInLine) drawBarLineAt(painter, p, QPointF(placed.frame.right(), y), rules.forLastInLineBar(i));
}

}  // namespace

void paintChart(QPainter& painter, const ChartPicture& p, const QRectF& area, bool printing) {
    if (printing) drawTitle(painter, p);
    drawComposer(painter, p);
    std::vector<std::int64_t> marks;
    marks.reserve(p.bars.size());
    for (const ShownBar& bar : p.bars) marks.push_back(bar.sectionMark);
    const BarLineRules rules(std::move(marks), p.chorus);
    for (std::size_t i = 0; i < p.bars.size() && i < p.layout.bars.size(); ++i) {
        const LayoutRect& f = p.layout.bars[i].frame;
        if (!area.intersects(QRectF(f.x - 10, f.y - 10, f.width + 20, f.height + 20))) continue;
        drawBarLines(painter, p, i, rules);
        drawBar(painter, p, i, printing);
    }
    if (p.analysis) draw_analysis(painter, *p.analysis, p.romanFont);
    draw_keys(painter, p.keyLabels, p.keyFont);
}

}  // namespace zub
