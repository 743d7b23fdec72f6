#include "editor/layout/chart_painter.h"

#include <QGuiApplication>
#include <QPainter>

#include "bridge/bridge_exception.h"
#include "editor/layout/form_painter.h"

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
    painter.setPen(p.ink);
    painter.setFont(p.composer->font);
    painter.drawText(p.composer->frame, Qt::AlignRight | Qt::AlignVCenter, p.composer->text);
}

void drawTitle(QPainter& painter, const ChartPicture& p) {
    painter.setPen(p.ink);
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
    painter.setPen(QPen(p.ink, 2, Qt::SolidLine, Qt::RoundCap));
    for (const Stroke& s : slashStrokes(placed.frame, bar.widths.size(), m, placed.chordsTop))
        painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
    painter.setPen(p.ink);
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

// One bar line at x, down the slash row that starts at y0.
void drawBarLineAt(QPainter& painter, const ChartPicture& p, double x, double y0, BarLineType type) {
    const ChordFontMetrics& m = p.font.metrics();
    const double y1 = y0 + m.notationHeight();
    auto line = [&](double lx, double width) {
        painter.setPen(QPen(p.ink, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(lx, y0), QPointF(lx, y1));
    };
    auto dots = [&](double left) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(p.ink);
        painter.drawEllipse(QRectF(left, y0 + m.notationHeight() / 3, 3, 3));
        painter.drawEllipse(QRectF(left, y0 + 2 * m.notationHeight() / 3 - 3, 3, 3));
        painter.setBrush(Qt::NoBrush);
    };
    switch (type) {
    case BarLineType::single: line(x, 1); return;
    case BarLineType::doubleLine: line(x - 1.5, 1); line(x + 1.5, 1); return;
    case BarLineType::repeatStart: line(x - 2.5, 2); line(x, 1); dots(x + 1.5); return;
    case BarLineType::repeatEnd: line(x + 2.5, 2); line(x, 1); dots(x - 4.5); return;
    case BarLineType::repeatEndStart:
        line(x - 1.5, 1); line(x + 1.5, 1); dots(x - 6); dots(x + 3); return;
    case BarLineType::final: line(x - 2, 1); line(x + 1, 2); return;
    }
    throw Bridge_exception("drawBarLineAt::", "Unknown BarLineType");
}

// The chorus's count over its repeat end ("2x"), centred on the bar line, its bottom on y0.
void drawChorusCount(QPainter& painter, const ChartPicture& p, double x, double y0) {
    QFont small = QGuiApplication::font();
    small.setPointSizeF(9);
    painter.setFont(small);
    painter.setPen(p.ink);
    const QString count = QString::number(p.chorus.repeats) + "x";
    const double w = QFontMetricsF(small).horizontalAdvance(count);
    painter.drawText(QPointF(x - w / 2, y0 - QFontMetricsF(small).descent()), count);
}

void drawBarLines(QPainter& painter, const ChartPicture& p, std::size_t index, const BarLineRules& rules) {
    const BarPlacement& placed = p.layout.bars[index];
    const auto i = static_cast<std::int64_t>(index);
    const double y0 = notationTop(placed, p.font.metrics());
    const BarLineType left = placed.firstInLine ? rules.forFirstInLineBar(i) : rules.forMiddleOfLineBar(i);
    drawBarLineAt(painter, p, placed.frame.x, y0, left);
    if (!placed.firstInLine && i - 1 == rules.chorusEnd()) drawChorusCount(painter, p, placed.frame.x, y0);
    if (!placed.lastInLine) return;
    drawBarLineAt(painter, p, placed.frame.right(), y0, rules.forLastInLineBar(i));
    if (i == rules.chorusEnd()) drawChorusCount(painter, p, placed.frame.right(), y0);
}

void drawForm(QPainter& painter, const ChartPicture& p, std::size_t index, const FormStyle& style) {
    const ShownBar& bar = p.bars[index];
    const std::vector<int>* before = index > 0 ? &p.bars[index - 1].marks.endings : nullptr;
    const std::vector<int>* after = index + 1 < p.bars.size() ? &p.bars[index + 1].marks.endings : nullptr;
    QString time = QString::fromStdString(bar.marks.time);
    if (index == 0 && time.isEmpty()) time = p.openingTime;
    const BarFormView view{p.layout.bars[index],
                           bar.marks,
                           bar.sectionMark,
                           !bar.marks.endings.empty() && (!before || *before != bar.marks.endings),
                           !bar.marks.endings.empty() && (!after || *after != bar.marks.endings),
                           time};
    drawBarForm(painter, view, p.font.metrics(), style);
}

}  // namespace

void paintChart(QPainter& painter, const ChartPicture& p, const QRectF& area, bool printing) {
    if (printing) drawTitle(painter, p);
    drawComposer(painter, p);
    std::vector<std::int64_t> marks;
    marks.reserve(p.bars.size());
    std::vector<BarMarks> form;
    form.reserve(p.bars.size());
    for (const ShownBar& bar : p.bars) {
        marks.push_back(bar.sectionMark);
        form.push_back(bar.marks);
    }
    const BarLineRules rules(std::move(marks), p.chorus, std::move(form));
    const FormStyle style(p.font.font(), p.ink);
    for (std::size_t i = 0; i < p.bars.size() && i < p.layout.bars.size(); ++i) {
        const LayoutRect& f = p.layout.bars[i].frame;
        if (!area.intersects(QRectF(f.x - 10, f.y - 10, f.width + 20, f.height + 20))) continue;
        drawBarLines(painter, p, i, rules);
        drawForm(painter, p, i, style);
        drawBar(painter, p, i, printing);
    }
    if (p.analysis) draw_analysis(painter, *p.analysis, p.romanFont, p.ink);
    draw_keys(painter, p.keyLabels, p.keyFont, p.ink);
}

}  // namespace zub
