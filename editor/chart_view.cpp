#include "editor/chart_view.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "bridge/chart_dictionary.h"
#include "bridge/my_constants.h"

namespace zub {

namespace {

QString qstring(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

QFont fontDescriptionToFont(const Plist& description) {
    QFont font(qstring(description.string_at("FontName")));
    // A point is one unit of the chart's coordinates on screen and on paper
    // alike, so the layout is the same wherever it is drawn.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(description.real_at("PointSize")))));
    return font;
}

ChartView::ChartView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    QPalette page = palette();
    page.setColor(QPalette::Window, Qt::white);
    page.setColor(QPalette::WindowText, Qt::black);
    setPalette(page);
}

void ChartView::setChart(const Plist& chart) {
    checkChartDictionary(chart);
    chart_ = chart;
    chord_font_ = fontDescriptionToFont(chart.dictionary_at("Font"));
    title_font_ = chord_font_;
    title_font_.setPixelSize(chord_font_.pixelSize() * 3 / 2);
    title_font_.setBold(true);
    // Measured on a fixed resolution so screen, PDF and printer agree.
    const QFontMetricsF fm(chord_font_);
    metrics_ = ChordFontMetrics::make(static_cast<float>(fm.averageCharWidth()), static_cast<float>(fm.height()),
                                      shared_parameters());
    const float padding = static_cast<float>(MyConstants::shared().chordViewHorizontalPadding());
    const Plist::Array& bars = chart.array_at("Chords");
    chords_.assign(bars.size(), {});
    chord_widths_.assign(bars.size(), {});
    bar_lines_.begins_section.assign(bars.size(), false);
    for (std::size_t i = 0; i < bars.size(); ++i) {
        for (const Plist& slot : bars[i].array_at("Chords")) {
            chords_[i].push_back(qstring(slot.as_string()));
            chord_widths_[i].push_back(static_cast<float>(fm.horizontalAdvance(chords_[i].back())) + padding);
        }
        bar_lines_.begins_section[i] = bars[i].integer_at("SectionMark") != no_section_mark;
    }
    const Plist& chorus = chart.dictionary_at("Chorus");
    bar_lines_.chorus_begin = static_cast<int>(chorus.integer_at("Begin"));
    bar_lines_.chorus_end = chorusEnd(chorus.integer_at("End"), bars.size());
    recomputeLayout(static_cast<float>(std::max(width(), 600)), static_cast<float>(height()));
}

float ChartView::titleHeight() const {
    return static_cast<float>(QFontMetricsF(title_font_).height()) *
           static_cast<float>(shared_parameters().at("PrintingNameHeightNameFontHeightRatio"));
}

Layout_request ChartView::layoutRequest(float view_width, float view_height) const {
    Layout_request request;
    request.chord_widths = chord_widths_;
    request.view_width = view_width;
    request.view_height = view_height;
    request.title_height = titleHeight();
    return request;
}

void ChartView::recomputeLayout(float view_width, float view_height) {
    if (!chart_) return;
    layout_ = layoutChart(layoutRequest(view_width, view_height), metrics_);
    setMinimumHeight(static_cast<int>(layout_.height));
    resize(static_cast<int>(layout_.width), static_cast<int>(layout_.height));
    update();
}

void ChartView::paintEvent(QPaintEvent* event) {
    if (!chart_) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawTitle(painter, layout_);
    paintChart(painter, layout_, static_cast<float>(event->rect().top()), static_cast<float>(event->rect().bottom()));
}

void ChartView::drawTitle(QPainter& painter, const Chart_layout& layout) const {
    const QString name = qstring(chart_->string_at("Name"));
    painter.setFont(title_font_);
    const QFontMetricsF fm(title_font_);
    const float width = layout.width;
    const float field_width = static_cast<float>(fm.horizontalAdvance(name)) + 10;
    painter.drawText(QRectF((width - field_width) / 2, metrics_.yInset, field_width, fm.height() + 6),
                     Qt::AlignCenter, name);
    QFont small = chord_font_;
    small.setPixelSize(std::max(1, chord_font_.pixelSize() * 4 / 5));
    painter.setFont(small);
    const QString tempo = QString("\u2669 = %1").arg(chart_->integer_at("Tempo"));
    const float t = titleHeight();
    painter.drawText(QPointF(metrics_.xInset, metrics_.yInset + t - QFontMetricsF(small).descent()), tempo);
}

void ChartView::paintChart(QPainter& painter, const Chart_layout& layout, float clip_top, float clip_bottom) const {
    for (std::size_t i = 0; i < layout.bars.size(); ++i) {
        const Rect& f = layout.bars[i].frame;
        if (f.y + f.height < clip_top || f.y > clip_bottom) continue;
        drawBar(painter, layout, i);
    }
}

void ChartView::drawBar(QPainter& painter, const Chart_layout& layout, std::size_t i) const {
    const Bar_layout& bar = layout.bars[i];
    const Rect& f = bar.frame;
    const std::size_t n = chords_[i].size();
    const ChordFontMetrics& m = metrics_;
    // Slashes first, a stroke rising to the right per beat.
    painter.setPen(QPen(Qt::black, 2));
    const float slash_y = f.y + m.charHeight + m.chordVerticalPadding + m.chordNotationSpacing;
    const float d = (m.notationHeight - m.slashHeight) / 2;
    for (std::size_t k = 0; k < n; ++k) {
        const float x = f.x + m.slashOffset + static_cast<float>(k) * (f.width / static_cast<float>(n));
        painter.drawLine(QPointF(x, slash_y + m.notationHeight - d), QPointF(x + m.slashWidth, slash_y + d));
    }
    painter.setFont(chord_font_);
    for (std::size_t k = 0; k < n && k < bar.chords.size(); ++k) {
        const Rect& c = bar.chords[k];
        painter.drawText(QRectF(f.x + c.x, f.y + c.y, c.width + m.chordVerticalPadding, c.height),
                         Qt::AlignLeft | Qt::AlignVCenter, chords_[i][k]);
    }
    const Bar_line_type left = bar.firstInLine ? barLineTypeForFirstInLineBar(i, bar_lines_)
                                               : barLineTypeForMiddleOfLineBar(i, bar_lines_);
    drawBarLineAt(painter, f.x, f.y, left);
    if (bar.lastInLine) drawBarLineAt(painter, f.x + f.width, f.y, barLineTypeForLastInLineBar(i, bar_lines_));
}

void ChartView::drawBarLineAt(QPainter& painter, float x, float y, Bar_line_type type) const {
    const ChordFontMetrics& m = metrics_;
    const float y0 = y + m.charHeight + m.chordVerticalPadding + m.chordNotationSpacing;
    const float y1 = y0 + m.notationHeight;
    auto line = [&](float at, float width) {
        painter.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(at, y0), QPointF(at, y1));
    };
    auto dots = [&](float left) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawEllipse(QRectF(left, y0 + m.notationHeight / 3, 3, 3));
        painter.drawEllipse(QRectF(left, y0 + 2 * m.notationHeight / 3 - 3, 3, 3));
        painter.setBrush(Qt::NoBrush);
    };
    switch (type) {
        case Bar_line_type::single: line(x, 1); break;
        case Bar_line_type::double_line:
            line(x - 1.5f, 1);
            line(x + 1.5f, 1);
            break;
        case Bar_line_type::repeat_start:
            line(x - 2.5f, 2);
            line(x, 1);
            dots(x + 1.5f);
            break;
        case Bar_line_type::repeat_end: {
            line(x + 2.5f, 2);
            line(x, 1);
            dots(x - 4.5f);
            QFont count;
            count.setPixelSize(9);
            painter.setFont(count);
            painter.setPen(Qt::black);
            const QString text = QString("%1x").arg(chart_->dictionary_at("Chorus").integer_at("Repeats"));
            const QFontMetricsF fm(count);
            painter.drawText(QPointF(x - fm.horizontalAdvance(text) / 2, y0 - fm.descent()), text);
            break;
        }
    }
}

void ChartView::printDocument(QPagedPaintDevice& device) const {
    if (!chart_) return;
    QPainter painter(&device);
    const QRectF page = device.pageLayout().paintRectPoints();
    // Lay out for the page width in points; the callers print at 72 dots per
    // inch, so a point is a device unit and fonts keep their sizes.
    const Chart_layout layout = layoutChart(layoutRequest(static_cast<float>(page.width()), 0), metrics_);
    const float page_height = static_cast<float>(page.height());
    float page_top = 0;
    drawTitle(painter, layout);
    for (std::size_t i = 0; i < layout.bars.size(); ++i) {
        const Rect& f = layout.bars[i].frame;
        // A new page starts at a line that would not fit.
        if (f.y + f.height - page_top > page_height) {
            device.newPage();
            page_top = f.y - metrics_.yInset;
            painter.resetTransform();
            painter.translate(0, -page_top);
        }
        drawBar(painter, layout, i);
    }
}

}  // namespace zub
