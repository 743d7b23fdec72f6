#include "editor/layout/form_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "bridge/chart_dictionary.h"

namespace zub {

namespace {

QFont scaled(const QFont& base, double ratio, bool bold, bool italic) {
    QFont font = base;
    font.setPointSizeF(std::max(1.0, base.pointSizeF() * ratio));
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// The band over the chords of the bar's line.
QRectF bandOf(const BarPlacement& placed) {
    return QRectF(placed.frame.x, placed.frame.y, placed.frame.width, placed.formBand);
}

// The coda sign: an oval crossed by a longer vertical and horizontal stroke.
void drawCodaSign(QPainter& painter, QPointF centre, double size) {
    const double r = size / 2;
    painter.drawEllipse(centre, r * 0.7, r * 0.85);
    painter.drawLine(QPointF(centre.x() - r, centre.y()), QPointF(centre.x() + r, centre.y()));
    painter.drawLine(QPointF(centre.x(), centre.y() - r * 1.15), QPointF(centre.x(), centre.y() + r * 1.15));
}

// The segno sign: a slanted S crossed by a stroke, a dot on each side.
void drawSegnoSign(QPainter& painter, QPointF c, double size, const QColor& ink) {
    const double r = size / 2;
    QPainterPath s;
    s.moveTo(c.x() + r * 0.45, c.y() - r * 0.7);
    s.cubicTo(c.x() + r * 0.2, c.y() - r * 1.05, c.x() - r * 0.6, c.y() - r * 0.8, c.x() - r * 0.4, c.y() - r * 0.3);
    s.cubicTo(c.x() - r * 0.2, c.y() + r * 0.1, c.x() + r * 0.55, c.y() + r * 0.05, c.x() + r * 0.4, c.y() + r * 0.55);
    s.cubicTo(c.x() + r * 0.25, c.y() + r * 1.0, c.x() - r * 0.3, c.y() + r * 0.95, c.x() - r * 0.45, c.y() + r * 0.7);
    painter.drawPath(s);
    painter.drawLine(QPointF(c.x() - r * 0.6, c.y() + r * 0.95), QPointF(c.x() + r * 0.6, c.y() - r * 0.95));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    const double dot = r * 0.14;
    painter.drawEllipse(QPointF(c.x() - r * 0.6, c.y() + r * 0.1), dot, dot);
    painter.drawEllipse(QPointF(c.x() + r * 0.6, c.y() - r * 0.1), dot, dot);
    painter.restore();
}

QString endingText(const std::vector<int>& endings) {
    QStringList numbers;
    for (int ending : endings) numbers << QString::number(ending) + ".";
    return numbers.join(QStringLiteral(" "));
}

// The bracket over an ending: a line across the bar, a hook down where it
// begins and, for an ending closed by a repeat, where it ends.
void drawEnding(QPainter& painter, const BarFormView& bar, const FormStyle& style) {
    const QRectF band = bandOf(bar.placed);
    const double top = band.top() + band.height() * 0.15;
    const double left = band.left() + (bar.beginsEnding ? 3 : 0);
    const double right = band.right() - (bar.endsEnding ? 3 : 0);
    painter.drawLine(QPointF(left, top), QPointF(right, top));
    if (bar.beginsEnding) {
        painter.drawLine(QPointF(left, top), QPointF(left, band.bottom()));
        painter.setFont(style.text);
        painter.drawText(QRectF(left + 3, top, band.width(), band.bottom() - top), Qt::AlignLeft | Qt::AlignVCenter,
                         endingText(bar.marks.endings));
    }
    if (bar.endsEnding && bar.marks.repeatEnd > 0) painter.drawLine(QPointF(right, top), QPointF(right, band.bottom()));
}

// The signs at the bar's start: segno, then the coda sign where the coda starts.
double drawStartSigns(QPainter& painter, const BarFormView& bar, const FormStyle& style) {
    const QRectF band = bandOf(bar.placed);
    const double size = band.height() * 0.8;
    double x = band.left() + size * 0.6 + (bar.marks.endings.empty() ? 0 : QFontMetricsF(style.text).horizontalAdvance(endingText(bar.marks.endings)) + 8);
    const double y = band.center().y();
    if (bar.marks.segno) {
        drawSegnoSign(painter, QPointF(x, y), size, style.ink);
        x += size * 1.1;
    }
    if (bar.marks.coda) {
        drawCodaSign(painter, QPointF(x, y), size);
        x += size * 1.1;
    }
    return x;
}

// The texts at the bar's end, right-aligned: the repeat count, Fine, the direction, To Coda.
void drawEndTexts(QPainter& painter, const BarFormView& bar, const FormStyle& style) {
    const QRectF band = bandOf(bar.placed);
    double right = band.right() - 4;
    auto text = [&](const QString& shown, const QFont& font) {
        painter.setFont(font);
        const double w = QFontMetricsF(font).horizontalAdvance(shown);
        painter.drawText(QRectF(right - w, band.top(), w + 1, band.height()), Qt::AlignRight | Qt::AlignVCenter, shown);
        right -= w + 6;
    };
    if (const QString count = repeatCountText(bar.marks.repeatEnd); !count.isEmpty()) text(count, style.text);
    if (bar.marks.toCoda) {
        const double size = band.height() * 0.8;
        drawCodaSign(painter, QPointF(right - size / 2, band.center().y()), size);
        right -= size + 4;
        text(QStringLiteral("To"), style.direction);
    }
    if (!bar.marks.direction.empty()) text(QString::fromStdString(bar.marks.direction), style.direction);
    if (bar.marks.fine) text(QStringLiteral("Fine"), style.direction);
}

// A section letter in a box in the margin left of the bar, level with the chords.
void drawSectionLetter(QPainter& painter, const BarFormView& bar, const ChordFontMetrics& m, const FormStyle& style) {
    if (bar.sectionMark == no_section_mark || bar.sectionMark <= 0) return;
    const QString letter(QChar(static_cast<char16_t>(bar.sectionMark)));
    painter.setFont(style.letter);
    const QFontMetricsF fm(style.letter);
    const double h = std::min<double>(m.charHeight(), fm.height() + 2);
    const double w = std::max(h * 0.9, fm.horizontalAdvance(letter) + 6);
    const double top = bar.placed.frame.y + bar.placed.chordsTop + (m.charHeight() + m.chordVerticalPadding() - h) / 2;
    const QRectF box(bar.placed.frame.x - 6 - w, top, w, h);
    painter.drawRect(box);
    painter.drawText(box, Qt::AlignCenter, letter);
}

// A time signature, the upper number over the lower, before the bar's first slash.
void drawTime(QPainter& painter, const BarFormView& bar, const ChordFontMetrics& m, const FormStyle& style) {
    const qsizetype slash = bar.time.indexOf('/');
    if (slash < 0) return;
    const double top = notationTop(bar.placed, m);
    const double half = m.notationHeight() / 2;
    const double x = bar.placed.frame.x + 3;
    const double w = std::max(4.0, m.slashOffset() - 4.0);
    painter.setFont(style.time);
    painter.drawText(QRectF(x, top, w, half), Qt::AlignCenter, bar.time.left(slash));
    painter.drawText(QRectF(x, top + half, w, half), Qt::AlignCenter, bar.time.mid(slash + 1));
}

}  // namespace

FormStyle::FormStyle(const QFont& chordFont, QColor inkColour)
    : letter(scaled(chordFont, 0.75, true, false)), text(scaled(chordFont, 0.7, true, false)),
      direction(scaled(chordFont, 0.72, false, true)), time(scaled(chordFont, 0.55, true, false)), ink(inkColour) {}

QString repeatCountText(int times) { return times > 2 ? QString::number(times) + QChar(0x00D7) : QString(); }

void drawBarForm(QPainter& painter, const BarFormView& bar, const ChordFontMetrics& m, const FormStyle& style) {
    painter.save();
    painter.setPen(QPen(style.ink, 1.2));
    painter.setBrush(Qt::NoBrush);
    drawSectionLetter(painter, bar, m, style);
    if (!bar.time.isEmpty()) drawTime(painter, bar, m, style);
    if (bar.placed.formBand > 0 && drawsAboveChords(bar.marks)) {
        if (!bar.marks.endings.empty()) drawEnding(painter, bar, style);
        drawStartSigns(painter, bar, style);
        drawEndTexts(painter, bar, style);
    }
    painter.restore();
}

}  // namespace zub
