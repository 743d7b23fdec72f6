#include "editor/layout/analysis_display.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPen>

#include <cmath>
#include <map>
#include <numbers>

#include "bridge/accidentals.h"
#include "bridge/bridge_exception.h"
#include "editor/layout/chord_font.h"
#include "editor/layout/my_parameters.h"

namespace zub {

namespace {
constexpr double pi = std::numbers::pi;
}  // namespace

std::vector<AnalysisBar> analysisBars(const ChartLayout& layout, const std::vector<std::vector<float>>& widths) {
    std::vector<AnalysisBar> bars;
    bars.reserve(layout.bars.size());
    for (std::size_t i = 0; i < layout.bars.size(); ++i) {
        const BarPlacement& placed = layout.bars[i];
        AnalysisBar bar{{}, i < widths.size() ? widths[i] : std::vector<float>{}, placed.firstInLine,
                        placed.lastInLine};
        for (const LayoutRect& c : placed.chordFrames)
            bar.chordFrames.push_back({placed.frame.x + c.x, placed.frame.y + c.y, c.width, c.height});
        bar.textWidths.resize(bar.chordFrames.size(), 0);
        bars.push_back(std::move(bar));
    }
    return bars;
}

AnalysisGeometry::AnalysisGeometry(std::vector<AnalysisBar> bars, const ChordFontMetrics& metrics)
    : bars_(std::move(bars)), metrics_(metrics) {}

const LayoutRect& AnalysisGeometry::frame(SlotRef v) const {
    if (v.bar >= bars_.size() || v.slot >= bars_[v.bar].chordFrames.size())
        throw Bridge_exception("AnalysisGeometry", "Chord index out of range: " + std::to_string(v.bar) + "/" + std::to_string(v.slot));
    return bars_[v.bar].chordFrames[v.slot];
}

float AnalysisGeometry::textWidth(SlotRef v) const {
    frame(v);
    const std::vector<float>& widths = bars_[v.bar].textWidths;
    return v.slot < widths.size() ? widths[v.slot] : 0;
}

QPointF AnalysisGeometry::upperLeft(SlotRef v) const {
    const LayoutRect& r = frame(v);
    return {r.x, r.y + metrics_.analysisArrowStartVerticalAdjustment()};
}

QPointF AnalysisGeometry::upperRight(SlotRef v) const {
    const LayoutRect& r = frame(v);
    return {r.right(), r.y + metrics_.analysisArrowStartVerticalAdjustment()};
}

QPointF AnalysisGeometry::upperRightOfString(SlotRef v) const {
    const LayoutRect& r = frame(v);
    return {r.x + textWidth(v) + metrics_.analysisArrowStartHorizontalAdjustment(),
            r.y + metrics_.analysisArrowStartVerticalAdjustment()};
}

QPointF AnalysisGeometry::arcTopAboveUpperLeft(SlotRef v) const {
    const LayoutRect& r = frame(v);
    return {r.x, r.y};
}

QPointF AnalysisGeometry::arcTopAboveUpperRight(SlotRef v) const {
    const LayoutRect& r = frame(v);
    return {r.right(), r.y};
}

QPointF AnalysisGeometry::midPointBelow(SlotRef v) const {
    const LayoutRect& r = frame(v);
    return {r.x + textWidth(v) / 2, r.bottom()};
}

QPointF AnalysisGeometry::arcTop(QPointF p, QPointF q) const {
    return {(p.x() + q.x()) / 2, p.y() - metrics_.analysisArrowStartVerticalAdjustment()};
}

bool AnalysisGeometry::sameLine(SlotRef a, SlotRef b) const {
    frame(a);
    frame(b);
    for (std::size_t bar = a.bar; bar < bars_.size(); ++bar) {
        if (bar == b.bar) return true;
        if (bars_[bar].lastInLine) return false;
    }
    return false;
}

SlotRef AnalysisGeometry::lastSlotOfLineAfter(SlotRef v) const {
    frame(v);
    std::size_t bar = v.bar;
    while (bar + 1 < bars_.size() && !bars_[bar].lastInLine) ++bar;
    // A bar always has a slot; an empty one (never made by the readers) stands for itself.
    const std::size_t count = bars_[bar].chordFrames.size();
    return count == 0 ? v : SlotRef{bar, count - 1};
}

SlotRef AnalysisGeometry::firstSlotOfLineBefore(SlotRef v) const {
    frame(v);
    std::size_t bar = v.bar;
    while (bar > 0 && !bars_[bar].firstInLine) --bar;
    return bars_[bar].chordFrames.empty() ? v : SlotRef{bar, 0};
}

bool AnalysisGeometry::beginsLine(SlotRef v) const {
    frame(v);
    return v.slot == 0 && bars_[v.bar].firstInLine;
}

QPointF AnalysisGeometry::endOfLineAfter(SlotRef v) const {
    const LayoutRect& r = frame(lastSlotOfLineAfter(v));
    return {r.right(), r.y};
}

QPointF AnalysisGeometry::beginningOfLineBefore(SlotRef v) const {
    const LayoutRect& r = frame(firstSlotOfLineBefore(v));
    return {r.x, r.y};
}

double controlRodAngle(double height, double width) {
    const double a = std::atan2(height, width);
    return a < pi / 6 ? 2 * a : a + (pi / 2 - a) / 4;
}

QPainterPath leftArc(QPointF p, QPointF t) {
    const double angle = controlRodAngle(p.y() - t.y(), t.x() - p.x());
    const double d = 0.33 * (t.x() - p.x());
    QPainterPath path(p);
    path.cubicTo(QPointF(p.x() + std::cos(angle) * d, p.y() - std::sin(angle) * d), QPointF(t.x() - d, t.y()), t);
    return path;
}

QPainterPath rightArc(QPointF t, QPointF e, double* incomingAngle) {
    const double angle = controlRodAngle(e.y() - t.y(), e.x() - t.x());
    const double d = 0.33 * (e.x() - t.x());
    QPainterPath path(t);
    path.cubicTo(QPointF(t.x() + d, t.y()), QPointF(e.x() - std::cos(angle) * d, e.y() - std::sin(angle) * d), e);
    if (incomingAngle) *incomingAngle = angle;
    return path;
}

QPolygonF arrowhead(QPointF q, double angle, double size) {
    return QPolygonF({q, q - size * QPointF(std::cos(angle - pi / 6), std::sin(angle - pi / 6)),
                      q - size * QPointF(std::cos(angle + pi / 6), std::sin(angle + pi / 6))});
}

namespace {

QPainterPath straight(QPointF from, QPointF to) {
    QPainterPath path(from);
    path.lineTo(to);
    return path;
}

class FigureBuilder {
public:
    FigureBuilder(const AnalysisGeometry& g, const ArrowParameters& p, AnalysisFigures& out)
        : g_(g), p_(p), out_(out) {}

    void bracket(SlotRef s, SlotRef d, bool dotted) {
        const float spacing = g_.metrics().chordNotationSpacing();
        for (SlotRef v : {s, d}) {
            const QPointF mid = g_.midPointBelow(v);
            out_.brackets.push_back({straight(mid - QPointF(0, spacing), mid), false, false});
        }
        const QPointF from = g_.midPointBelow(s), to = g_.midPointBelow(d);
        if (g_.sameLine(s, d)) {
            out_.brackets.push_back({straight(from, to), dotted, false});
            return;
        }
        out_.brackets.push_back({straight(from, QPointF(g_.endOfLineAfter(s).x(), from.y())), dotted, false});
        out_.brackets.push_back({straight(QPointF(g_.beginningOfLineBefore(d).x(), to.y()), to), dotted, false});
    }

    void arrow(SlotRef s, SlotRef d, bool dotted) {
        const QPointF p = g_.upperRightOfString(s), e = g_.upperLeft(d);
        if (g_.sameLine(s, d)) {
            const QPointF t = g_.arcTop(p, e);
            arcs(p, t, t, e, dotted);
        } else if (g_.beginsLine(d)) {
            // Out over the end of S's line, then in from the margin before D: one
            // curve from line end to line start would cut across the whole next line.
            const float vAdj = g_.metrics().analysisArrowStartVerticalAdjustment();
            arcs(p, g_.arcTopAboveUpperRight(g_.lastSlotOfLineAfter(s)),
                 QPointF(e.x() - 2 * p_.arrowSize, e.y() - 2 * vAdj), e, dotted);
        } else {
            arcs(p, g_.arcTopAboveUpperRight(g_.lastSlotOfLineAfter(s)),
                 g_.arcTopAboveUpperLeft(g_.firstSlotOfLineBefore(d)), e, dotted);
        }
    }

    void passthru(SlotRef s, SlotRef d) {
        const QPointF p = g_.upperRightOfString(s), e = g_.upperLeft(d);
        const QPointF k(p_.passthruEndAdjustment, 0);
        if (g_.sameLine(s, d)) {
            dottedArrow(p, e - k);
        } else if (g_.beginsLine(d)) {
            dottedArrow(p, g_.upperRight(g_.lastSlotOfLineAfter(s)) - k);
        } else {
            out_.arrows.push_back({straight(p, g_.upperRight(g_.lastSlotOfLineAfter(s))), true, false});
            dottedArrow(g_.upperLeft(g_.firstSlotOfLineBefore(d)), e - k);
        }
    }

private:
    void arcs(QPointF p, QPointF t1, QPointF t2, QPointF e, bool dotted) {
        double angle = 0;
        out_.arrows.push_back({leftArc(p, t1), dotted, true});
        out_.arrows.push_back({rightArc(t2, e, &angle), dotted, true});
        out_.arrowheads.push_back(arrowhead(e, angle, p_.arrowSize));
    }

    void dottedArrow(QPointF from, QPointF to) {
        out_.arrows.push_back({straight(from, to), true, false});
        out_.arrowheads.push_back(arrowhead(to, 0, p_.arrowSize));
    }

    const AnalysisGeometry& g_;
    const ArrowParameters& p_;
    AnalysisFigures& out_;
};

void addRomans(const ChartAnalysis& analysis, const AnalysisGeometry& g, AnalysisFigures& out) {
    const auto& romans = analysis.romans();
    for (std::size_t bar = 0; bar < romans.size(); ++bar)
        for (std::size_t slot = 0; slot < romans[bar].size(); ++slot) {
            if (romans[bar][slot].empty()) continue;
            const QPointF at = g.arcTopAboveUpperLeft({bar, slot}) - QPointF(0, g.metrics().romanHeight());
            out.romans.push_back({at, QString::fromStdString(romans[bar][slot])});
        }
}

void addArrow(const ChartAnalysis& analysis, std::size_t i, FigureBuilder& build) {
    const std::vector<AnalysisArrow>& arrows = analysis.result().arrows;
    const std::optional<SlotRef> s = analysis.slotAt(static_cast<std::int64_t>(i));
    const std::optional<std::int64_t> dest = arrows[i].destination;
    if (!s || !dest) return;
    const ArrowKind kind = arrows[i].kind;
    if (kind == ArrowKind::passthru1) {
        // The arrow arches over the pass-through chord to where that one goes.
        if (*dest < 0 || static_cast<std::uint64_t>(*dest) >= arrows.size()) return;
        const AnalysisArrow& second = arrows[static_cast<std::size_t>(*dest)];
        if (second.kind != ArrowKind::passthru2) return;
        if (const auto d = second.destination ? analysis.slotAt(*second.destination) : std::nullopt)
            build.arrow(*s, *d, false);
        return;
    }
    const std::optional<SlotRef> d = analysis.slotAt(*dest);
    if (!d) return;
    switch (kind) {
    case ArrowKind::solid: build.arrow(*s, *d, false); return;
    case ArrowKind::dotted: build.arrow(*s, *d, true); return;
    case ArrowKind::passthru2: build.passthru(*s, *d); return;
    case ArrowKind::none:
    case ArrowKind::passthru1: return;
    }
}

}  // namespace

AnalysisFigures analysisFigures(const ChartAnalysis& analysis, const AnalysisGeometry& g,
                                const ArrowParameters& parameters) {
    AnalysisFigures out;
    addRomans(analysis, g, out);
    FigureBuilder build(g, parameters, out);
    const std::vector<AnalysisBracket>& brackets = analysis.result().brackets;
    for (std::size_t i = 0; i < brackets.size(); ++i) {
        if (brackets[i].kind == BracketKind::none) continue;
        const std::optional<SlotRef> s = analysis.slotAt(static_cast<std::int64_t>(i));
        const std::optional<SlotRef> d =
            brackets[i].destination ? analysis.slotAt(*brackets[i].destination) : std::nullopt;
        if (s && d) build.bracket(*s, *d, brackets[i].kind == BracketKind::dotted);
    }
    for (std::size_t i = 0; i < analysis.result().arrows.size(); ++i) addArrow(analysis, i, build);
    return out;
}

std::vector<AnalysisText> keyLabels(const std::vector<std::vector<std::string>>& keys, const AnalysisGeometry& g) {
    std::vector<AnalysisText> labels;
    const ChordFontMetrics& m = g.metrics();
    const float below = m.charHeight() + m.chordVerticalPadding() + m.chordNotationSpacing() + m.notationHeight();
    std::string previous = "!";
    for (std::size_t bar = 0; bar < keys.size(); ++bar)
        for (std::size_t slot = 0; slot < keys[bar].size(); ++slot) {
            const std::string& key = keys[bar][slot];
            if (key.empty() || key == previous) continue;
            const QPointF at = g.arcTopAboveUpperLeft({bar, slot}) + QPointF(0, below);
            labels.push_back({at, QString::fromStdString(replaceWithUnicodeSharpsAndFlats(key)) + ":"});
            previous = key;
        }
    return labels;
}

ArrowParameters arrowParametersFromTable() {
    const MyParameters& p = MyParameters::shared();
    return {p.floatForKey("ArrowSize"), p.floatForKey("PassthruArrowEndHorizontalAdjustment")};
}

namespace {

QFont tableFont(const char* key) {
    const Plist& description = MyParameters::shared().fontForKey(key);
    try {
        return fontFromDescription(description);
    } catch (const std::exception&) {
        QFont font = QGuiApplication::font();
        font.setPointSizeF(description.real_at("PointSize"));
        return font;
    }
}

void strokeAll(QPainter& painter, const std::vector<AnalysisStroke>& strokes, const QColor& ink) {
    for (const AnalysisStroke& s : strokes) {
        QPen pen(ink, 1, Qt::SolidLine, Qt::FlatCap);
        if (s.dotted) {
            pen.setDashPattern({2, 2});  // in pen widths, which are 1 point
            pen.setDashOffset(s.arc ? 1 : 0);
        }
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(s.path);
    }
}

void drawTexts(QPainter& painter, const std::vector<AnalysisText>& texts, const QFont& font, const QColor& ink) {
    painter.setFont(font);
    painter.setPen(ink);
    const double ascent = QFontMetricsF(font).ascent();
    for (const AnalysisText& t : texts) painter.drawText(t.topLeft + QPointF(0, ascent), t.text);
}

}  // namespace

QFont analysisRomanFont() { return tableFont("AnalysisRomanFont"); }
QFont analysisKeyFont() { return tableFont("AnalysisKeyFont"); }

void draw_analysis(QPainter& painter, const AnalysisFigures& figures, const QFont& romanFont, const QColor& ink) {
    painter.save();
    drawTexts(painter, figures.romans, romanFont, ink);
    strokeAll(painter, figures.brackets, ink);
    strokeAll(painter, figures.arrows, ink);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const QPolygonF& head : figures.arrowheads) painter.drawPolygon(head);
    painter.restore();
}

void draw_keys(QPainter& painter, const std::vector<AnalysisText>& labels, const QFont& keyFont, const QColor& ink) {
    painter.save();
    drawTexts(painter, labels, keyFont, ink);
    painter.restore();
}

}  // namespace zub
