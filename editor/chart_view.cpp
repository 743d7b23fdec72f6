#include "editor/chart_view.h"

#include <QGuiApplication>
#include <QLabel>
#include <QIntValidator>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include "bridge/my_constants.h"
#include "bridge/bridge_exception.h"
#include "bridge/key_centers.h"
#include "core/failure.h"
#include "editor/my_parameters.h"
#include "editor/preferences.h"

namespace zub {

namespace {
constexpr float hidden_title_height = 15;

void drawAdorned(QPainter& painter, QPointF baseline, const AdornedText& text) {
    for (const AdornedRun& run : text) {
        painter.setFont(run.font);
        painter.drawText(baseline, run.text);
        baseline.rx() += QFontMetricsF(run.font).horizontalAdvance(run.text);
    }
}
}  // namespace

ChartView::ChartView(QWidget* parent)
    : QWidget(parent), title_field_(new QLineEdit(this)), tempo_field_(new QLineEdit(this)),
      field_(new ChordFieldEditor(ChordFont(font(), {}), this)), error_label_(new QLabel(this)) {
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    for (QLineEdit* field : {title_field_, tempo_field_}) {
        field->setFrame(false);
        field->setStyleSheet(QStringLiteral("background: transparent; color: black"));
    }
    title_field_->setAlignment(Qt::AlignCenter);
    title_field_->setFont(Preferences::shared().fontForKey(Preferences::title_font_key));
    tempo_field_->setValidator(new QIntValidator(1, 999, tempo_field_));
    tempo_field_->setFixedWidth(60);
    connect(title_field_, &QLineEdit::textChanged, this, [this] { recomputeLayoutResettingAnalysis(false); });
    connect(title_field_, &QLineEdit::editingFinished, this, [this] {
        const QString old = QString::fromStdString(chart_.string_at("Name"));
        if (old != title_field_->text()) emit nameEdited(old, title_field_->text());
    });
    connect(tempo_field_, &QLineEdit::editingFinished, this, [this] {
        const qint64 old = chart_.integer_at("Tempo");
        const qint64 now = tempo_field_->text().toLongLong();
        if (now > 0 && now != old) emit tempoEdited(old, now);
    });
    setUpEditing();
}

void ChartView::setChart(const Plist& chart) {
    // Everything is read before anything changes, so a chart that fails leaves the view as it was.
    const QFont preferred = Preferences::shared().fontForKey(Preferences::chord_font_key);
    ChordFont font =
        ChordFont::withResourceSubstitutions(chartFontFromDescription(chart.dictionary_at("Font"), preferred));
    std::vector<Bar> bars = readBars(chart, font);
    const QString name = QString::fromStdString(chart.string_at("Name"));
    const qint64 tempo = chart.integer_at("Tempo");
    const Chorus bounds = Chorus::of_plist(chart.dictionary_at("Chorus"));
    stopEditing();
    selection_active_ = false;
    disableInsertionPoint();
    chord_font_.emplace(std::move(font));
    field_->setChordFont(*chord_font_);
    bars_ = std::move(bars);
    chorus_ = bounds;
    chart_ = chart;
    title_field_->blockSignals(true);
    title_field_->setText(name);
    title_field_->blockSignals(false);
    tempo_field_->setText(QString::number(tempo));
    recomputeLayoutResettingAnalysis(true);
    if (!bars_.empty()) editSlot({0, 0});
}

Plist ChartView::chart() const {
    Plist::Array bars;
    bars.reserve(bars_.size());
    for (const Bar& bar : bars_) bars.push_back(bar.dictionary);
    return chart_.with("Chords", Plist::make_array(std::move(bars)));
}

void ChartView::setName(const QString& name) {
    chart_ = chart_.with("Name", Plist::make_string(name.toStdString()));
    if (title_field_->text() != name) title_field_->setText(name);
    recomputeLayoutResettingAnalysis(false);
}

void ChartView::setTempo(qint64 tempo) {
    chart_ = chart_.with("Tempo", Plist::make_integer(tempo));
    tempo_field_->setText(QString::number(tempo));
}

ChartView::Bar ChartView::makeBar(const Plist& dictionary, const ChordFont& font) {
    Bar shownBar{dictionary, {}, {}, dictionary.integer_at("SectionMark")};
    for (const Plist& slot : dictionary.array_at("Chords")) {
        const QString shown = font.encode(QString::fromStdString(slot.as_string()));
        shownBar.shown.push_back(shown);
        shownBar.widths.push_back(chordViewWidth(font, shown));
    }
    return shownBar;
}

std::vector<ChartView::Bar> ChartView::readBars(const Plist& chart, const ChordFont& font) {
    std::vector<Bar> bars;
    for (const Plist& bar : chart.array_at("Chords")) bars.push_back(makeBar(bar, font));
    return bars;
}

float ChartView::chordViewWidth(const ChordFont& font, const QString& shown) {
    // No analysis is shown, so the roman numeral adds no width.
    return static_cast<float>(adornedWidth(font.adorn(shown)) +
                              MyConstants::shared().chordViewHorizontalPadding());
}

QString ChartView::shownChord(std::size_t bar, std::size_t slot) const {
    if (bar >= bars_.size()) throw Invalid_argument("Bar index out of range: " + std::to_string(bar));
    if (slot >= static_cast<std::size_t>(bars_[bar].shown.size()))
        throw Invalid_argument("Slot index out of range: " + std::to_string(slot));
    return bars_[bar].shown[static_cast<qsizetype>(slot)];
}

void ChartView::setEnclosingSize(float width, float height) {
    enclosing_width_ = width;
    enclosing_height_ = height;
    recomputeLayoutResettingAnalysis(false);
}

void ChartView::setShowName(bool show) {
    show_name_ = show;
    title_field_->setVisible(show);
    tempo_field_->setVisible(show);
    recomputeLayoutResettingAnalysis(false);
}

void ChartView::adjustTitleField() {
    const QFontMetricsF fm(title_field_->font());
    const float w = static_cast<float>(fm.horizontalAdvance(title_field_->text()) + 10);
    const float h = static_cast<float>(fm.height() + 6);
    const float yInset = chord_font_->metrics().yInset();
    title_field_->setGeometry(QRectF((enclosing_width_ - w) / 2, yInset, w, h).toRect());
}

void ChartView::recomputeLayoutResettingAnalysis(bool resetAnalysis) {
    if (!chord_font_) return;
    if (resetAnalysis) {
        show_analysis_ = false;
        analysis_.reset();
    }
    const ChordFontMetrics& m = chord_font_->metrics();
    float title = hidden_title_height;
    if (show_name_) {
        adjustTitleField();
        title = static_cast<float>(title_field_->height() *
                                   MyParameters::shared().floatForKey("PrintingNameHeightNameFontHeightRatio"));
    }
    std::vector<LayoutBar> bars;
    bars.reserve(bars_.size());
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        std::vector<float> widths = bars_[i].widths;
        // A chord view is never narrower than its roman.
        for (std::size_t k = 0; k < widths.size(); ++k) widths[k] = std::max(widths[k], romanWidthForChordView(i, k));
        bars.push_back({std::move(widths), bars_[i].sectionMark});
    }
    layout_ = layoutChart(bars, m, {enclosing_width_, enclosing_height_, title, show_analysis_});
    updateAnalysisFigures();
    setFixedSize(static_cast<int>(layout_.width), static_cast<int>(std::ceil(layout_.height)));
    if (show_name_)
        tempo_field_->move(static_cast<int>(m.xInset()), static_cast<int>(title - tempo_field_->height()));
    placeFieldEditor();
    update();
}

void ChartView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintChart(painter, event->rect(), false);
    drawCursor(painter);
}

void ChartView::paintChart(QPainter& painter, const QRectF& area, bool printing) const {
    if (!chord_font_) return;
    if (printing && show_name_) drawTitle(painter);
    std::vector<std::int64_t> marks;
    for (const Bar& bar : bars_) marks.push_back(bar.sectionMark);
    const BarLineRules rules(std::move(marks), chorus_.begin, chorus_.end);
    for (std::size_t i = 0; i < bars_.size(); ++i) {
        const LayoutRect& f = layout_.bars[i].frame;
        if (!area.intersects(QRectF(f.x - 10, f.y - 10, f.width + 20, f.height + 20))) continue;
        drawBarLines(painter, i, rules);
        drawBar(painter, i, printing);
    }
    if (analysis_) draw_analysis(painter, analysis_figures_, roman_font_);
    draw_keys(painter, key_labels_, key_font_);
}

void ChartView::drawTitle(QPainter& painter) const {
    painter.setPen(Qt::black);
    painter.setFont(title_field_->font());
    const QRect title = title_field_->geometry();
    painter.drawText(title, Qt::AlignCenter, title_field_->text());
    painter.setFont(tempo_field_->font());
    painter.drawText(tempo_field_->geometry(), Qt::AlignLeft | Qt::AlignVCenter, tempo_field_->text());
}

void ChartView::drawBar(QPainter& painter, std::size_t index, bool printing) const {
    const ChordFontMetrics& m = chord_font_->metrics();
    const BarPlacement& placed = layout_.bars[index];
    const Bar& bar = bars_[index];
    // Slashes first, then the chords above them.
    painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap));
    for (const Stroke& s : slashStrokes(placed.frame, bar.widths.size(), m, show_analysis_))
        painter.drawLine(QPointF(s.x1, s.y1), QPointF(s.x2, s.y2));
    painter.setPen(Qt::black);
    for (qsizetype k = 0; k < bar.shown.size(); ++k) {
        const auto slot = static_cast<std::size_t>(k);
        const bool edited = editing_ && editing_->bar == index && editing_->slot == slot;
        // On screen the field editor shows the slot being edited; a print shows
        // no editing widget and no unstored text, only the chord as stored.
        if (edited && !printing) continue;
        const QString shown =
            edited ? chord_font_->encode(QString::fromStdString(bar.dictionary.array_at("Chords").at(slot).as_string()))
                   : bar.shown[k];
        const LayoutRect& c = placed.chordFrames[slot];
        const AdornedText text = chord_font_->adorn(shown);
        const double ascent = QFontMetricsF(chord_font_->font()).ascent();
        drawAdorned(painter, QPointF(placed.frame.x + c.x + m.chordVerticalPadding() / 2,
                                     placed.frame.y + c.y + m.chordVerticalPadding() / 2 + ascent), text);
    }
}

void ChartView::drawBarLines(QPainter& painter, std::size_t index, const BarLineRules& rules) const {
    const BarPlacement& placed = layout_.bars[index];
    const auto i = static_cast<std::int64_t>(index);
    const float y = placed.frame.y + (show_analysis_ ? chord_font_->metrics().analysisHeight() : 0);
    const BarLineType left = placed.firstInLine ? rules.forFirstInLineBar(i) : rules.forMiddleOfLineBar(i);
    drawBarLineAt(painter, QPointF(placed.frame.x, y), left);
    if (placed.lastInLine) drawBarLineAt(painter, QPointF(placed.frame.right(), y), rules.forLastInLineBar(i));
}

void ChartView::drawBarLineAt(QPainter& painter, QPointF at, BarLineType type) const {
    const ChordFontMetrics& m = chord_font_->metrics();
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
        const QString count = QString::number(chorus_.repeats) + "x";
        const double w = QFontMetricsF(small).horizontalAdvance(count);
        painter.drawText(QPointF(x - w / 2, y0 - QFontMetricsF(small).descent()), count);
        return;
    }
    }
    throw Bridge_exception("drawBarLineAt::", "Unknown BarLineType");
}

// The analysis hooks: key centers in the key slots, and the analysis figures
// recomputed with every layout.

std::vector<std::vector<std::string>> ChartView::slotStrings(std::string_view key) const {
    std::vector<std::vector<std::string>> result;
    for (const Bar& bar : bars_) {
        std::vector<std::string> row;
        for (const Plist& slot : bar.dictionary.array_at(key)) row.push_back(slot.as_string());
        result.push_back(std::move(row));
    }
    return result;
}

Plist ChartView::keyCenters() const { return zub::keyCenters(chart().array_at("Chords")); }

void ChartView::setKeyCenters(const Plist& keyCenterList) {
    // The bars hold the chart's bar dictionaries, so the key slots are written there.
    Plist::Array bars = zub::setKeyCenters(chart().array_at("Chords"), keyCenterList.as_array());
    for (std::size_t i = 0; i < bars_.size(); ++i) bars_[i].dictionary = std::move(bars[i]);
    recomputeLayoutResettingAnalysis(true);
}

void ChartView::setAnalysis(const Plist& analysis) {
    ChartAnalysis matched = ChartAnalysis::computeRomansAndChordIndexes(analysis, slotStrings("Chords"));
    std::vector<std::vector<float>> widths;
    const QFontMetricsF fm(roman_font_);
    for (const Bar& bar : bars_) {
        std::vector<float> row;
        for (const QString& shown : bar.shown) row.push_back(static_cast<float>(fm.horizontalAdvance(shown)));
        widths.push_back(std::move(row));
    }
    recomputeLayoutResettingAnalysis(true);
    roman_font_text_widths_ = std::move(widths);
    analysis_ = std::move(matched);
    show_analysis_ = true;
    recomputeLayoutResettingAnalysis(false);
}

float ChartView::romanWidthForChordView(std::size_t bar, std::size_t slot) const {
    if (!analysis_) return 0;
    const std::string& roman = analysis_->roman(bar, slot);
    return roman.empty() ? 0 : static_cast<float>(QFontMetricsF(roman_font_).horizontalAdvance(QString::fromStdString(roman)));
}

void ChartView::updateAnalysisFigures() {
    const AnalysisGeometry geometry(analysisBars(layout_, roman_font_text_widths_), chord_font_->metrics());
    key_labels_ = zub::keyLabels(slotStrings("Keys"), geometry);
    analysis_figures_ = analysis_ ? zub::analysisFigures(*analysis_, geometry, arrowParametersFromTable())
                                  : AnalysisFigures{};
}

}  // namespace zub
