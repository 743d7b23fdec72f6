// The chart view: a chart drawn as a printed lead sheet, the title centred
// at the top, then lines of bars with their chords, a slash per beat, and
// bar lines (double where a section begins, repeat signs around the chorus).
// The arithmetic is chart_layout's; this widget measures text and draws.
#pragma once

#include <QFont>
#include <optional>
#include <QWidget>

#include "bridge/plist.h"
#include "editor/chart_layout.h"

class QPagedPaintDevice;
class QPainter;

namespace zub {

class ChartView : public QWidget {
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);

    // Loads a chart dictionary and lays it out.
    void setChart(const Plist& chart);
    const Plist& chart() const { return *chart_; }
    const QFont& chordFont() const { return chord_font_; }
    const ChordFontMetrics& metrics() const { return metrics_; }
    const Chart_layout& layout() const { return layout_; }

    // Lays the chart out for a view of the given width (the enclosing view's).
    void recomputeLayout(float view_width, float view_height);

    // Paints the chart onto a paged device (PDF or printer) set to 72 dots per
    // inch, fitted to the page width, breaking pages only between lines of bars.
    void printDocument(QPagedPaintDevice& device) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintChart(QPainter& painter, const Chart_layout& layout, float clip_top, float clip_bottom) const;
    void drawTitle(QPainter& painter, const Chart_layout& layout) const;
    void drawBar(QPainter& painter, const Chart_layout& layout, std::size_t i) const;
    void drawBarLineAt(QPainter& painter, float x, float y, Bar_line_type type) const;
    Layout_request layoutRequest(float view_width, float view_height) const;
    float titleHeight() const;

    std::optional<Plist> chart_;
    QFont chord_font_;
    QFont title_font_;
    ChordFontMetrics metrics_;
    Bar_line_context bar_lines_;
    std::vector<std::vector<QString>> chords_;  // per bar, per slot, display text
    std::vector<std::vector<float>> chord_widths_;
    Chart_layout layout_;
};

// The font of a font description {"FontName", "PointSize"}; the family falls
// back to the system's when it is not installed.
QFont fontDescriptionToFont(const Plist& description);

}  // namespace zub
