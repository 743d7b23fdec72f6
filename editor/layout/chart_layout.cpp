#include "editor/layout/chart_layout.h"

#include <algorithm>

namespace zub {

float barMinWidth(const std::vector<float>& w, const ChordFontMetrics& m) {
    if (w.empty()) return 0;
    const float minWidth = m.chordMinWidth();
    float base = 0;
    if (w.size() == 1) {
        base = std::max(w[0], m.chordMinLayoutWidth());
    } else {
        // A wide chord followed by a short one lends it space: the pair needs only the average.
        float pairs = 0;
        for (std::size_t i = 1; i < w.size(); ++i) {
            float a = std::max(w[i - 1], minWidth);
            if (w[i] < minWidth) a = (a + minWidth) / 2;
            pairs = std::max(pairs, a);
        }
        base = std::max(std::max(w.back(), pairs), m.chordMinLayoutWidth());
    }
    return static_cast<float>(w.size()) * (base + m.chordHorizontalPadding() + m.chordHorizontalSpacing());
}

float tightBarWidth(const LayoutBar& bar, const ChordFontMetrics& m) {
    const std::vector<float>& w = bar.chordWidths;
    const std::size_t n = w.size();
    if (n == 0) return 0;
    auto held = [&](std::size_t k) { return bar.held.empty() || bar.held[k]; };
    // A beat keeps room for its slash and a little air.
    float slot = m.slashOffset() + m.slashWidth();
    for (std::size_t k = 0; k < n; ++k) {
        if (!held(k)) continue;
        std::size_t next = k + 1;
        while (next < n && !held(next)) ++next;
        const float need = w[k] + m.chordHorizontalPadding() + m.chordHorizontalSpacing();
        slot = std::max(slot, need / static_cast<float>(next - k));
    }
    return static_cast<float>(n) * slot + m.chordOffset();
}

float formBandHeight(const ChordFontMetrics& m) { return 0.9f * m.charHeight(); }

std::vector<LayoutRect> chordFramesInBar(const LayoutRect& frame, const std::vector<float>& widths,
                                         const ChordFontMetrics& m, float chordsTop) {
    std::vector<LayoutRect> frames;
    if (widths.empty()) return frames;
    frames.reserve(widths.size());
    const float slot = frame.width / static_cast<float>(widths.size());
    float x = m.chordOffset();
    const float y = chordsTop;
    const float h = m.charHeight() + m.chordVerticalPadding();
    float available = slot;
    for (float width : widths) {
        const float need = width + m.chordHorizontalPadding() + m.chordHorizontalSpacing();
        // The frame width takes off the vertical padding, as the drawn chords always have.
        if (need <= available) {
            frames.push_back({x, y, available - m.chordVerticalPadding(), h});
            x += available;
            available = slot;
        } else {
            frames.push_back({x, y, need - m.chordVerticalPadding(), h});
            x += need;
            available = 2 * slot - need;  // the next chord gives up what this one borrowed
        }
    }
    return frames;
}

namespace {

// What each bar asks for: its minimal width, which sets the proportions, and its tight width.
struct BarWidths {
    std::vector<float> min, tight;
};

float totalWidth(const std::vector<float>& widths, LineSpan line) {
    float total = 0;
    for (std::size_t i = line.first; i < line.end(); ++i) total += widths[i];
    return total;
}

// The width of the full lines: what the view offers, or what the widest line needs.
float fullLineWidth(const BarWidths& widths, const std::vector<LineSpan>& lines, float offered) {
    float width = offered;
    for (LineSpan line : lines) width = std::max(width, totalWidth(widths.tight, line));
    return width;
}

// The widths of a line's bars filling width: the minimal widths scaled up, or
// squeezed from them towards the tight widths, never below.
std::vector<float> barWidthsInLine(const BarWidths& widths, LineSpan line, float width) {
    const float total = totalWidth(widths.min, line), tight = totalWidth(widths.tight, line);
    std::vector<float> out;
    for (std::size_t i = line.first; i < line.end(); ++i) {
        if (width >= total || total <= tight)
            out.push_back(total > 0 ? widths.min[i] * width / total : 0);
        else
            out.push_back(widths.tight[i] + (widths.min[i] - widths.tight[i]) * (width - tight) / (total - tight));
    }
    return out;
}

// A short line takes its share of the full width, or what its bars need at least.
float lineWidth(float tight, LineSpan line, float fullWidth, int barsPerLine) {
    if (line.count >= static_cast<std::size_t>(barsPerLine)) return fullWidth;
    const float share = fullWidth * static_cast<float>(line.count) / static_cast<float>(barsPerLine);
    return std::min(fullWidth, std::max(share, tight));
}

void placeLine(const LaidLine& line, const BarWidths& widths, const std::vector<LayoutBar>& bars,
               const ChordFontMetrics& m, float chordsTop, ChartLayout& out) {
    const std::vector<float> inLine = barWidthsInLine(widths, line.bars, line.rect.width);
    float x = line.rect.x;
    for (std::size_t i = line.bars.first; i < line.bars.end(); ++i) {
        BarPlacement& placed = out.bars[i];
        placed.frame = {x, line.rect.y, inLine[i - line.bars.first], line.rect.height};
        placed.firstInLine = i == line.bars.first;
        placed.lastInLine = i + 1 == line.bars.end();
        placed.formBand = line.formBand;
        placed.chordsTop = chordsTop;
        placed.chordFrames = chordFramesInBar(placed.frame, bars[i].chordWidths, m, chordsTop);
        x += placed.frame.width;
    }
}

std::vector<LineSpan> formLines(const std::vector<LayoutBar>& bars, int barsPerLine) {
    std::vector<std::int64_t> sectionMarks;
    std::vector<BarMarks> marks;
    sectionMarks.reserve(bars.size());
    marks.reserve(bars.size());
    for (const LayoutBar& bar : bars) {
        sectionMarks.push_back(bar.sectionMark);
        marks.push_back(bar.marks);
    }
    return linesByForm(formLineStarts(sectionMarks, marks), barsPerLine);
}

bool lineDrawsAboveChords(const std::vector<LayoutBar>& bars, LineSpan line) {
    for (std::size_t i = line.first; i < line.end(); ++i)
        if (drawsAboveChords(bars[i].marks)) return true;
    return false;
}

}  // namespace

ChartLayout layoutChart(const std::vector<LayoutBar>& bars, const ChordFontMetrics& m, const LayoutArea& area) {
    const float analysis = area.showAnalysis ? m.analysisHeight() : 0;
    BarWidths widths;
    widths.min.reserve(bars.size());
    widths.tight.reserve(bars.size());
    for (const LayoutBar& bar : bars) {
        widths.min.push_back(barMinWidth(bar.chordWidths, m));
        widths.tight.push_back(std::min(widths.min.back(), tightBarWidth(bar, m)));
    }
    const std::vector<LineSpan> spans = formLines(bars, area.barsPerLine);
    const float full = fullLineWidth(widths, spans, area.viewWidth - 2 * m.xInset());

    ChartLayout out;
    out.titleHeight = area.titleHeight;
    out.lineCount = spans.size();
    out.width = full + 2 * m.xInset();
    out.bars.resize(bars.size());
    float y = m.yInset() + area.titleHeight;
    for (LineSpan span : spans) {
        const float band = lineDrawsAboveChords(bars, span) ? formBandHeight(m) : 0;
        const float width = lineWidth(totalWidth(widths.tight, span), span, full, area.barsPerLine);
        const LaidLine line{span, {m.xInset(), y, width, m.lineHeight() + band + analysis + area.keyRowHeight}, band};
        placeLine(line, widths, bars, m, band + analysis, out);
        out.lines.push_back(line);
        y += line.rect.height;
    }
    out.height = std::max(area.viewHeight, y + m.yInset());
    return out;
}

std::vector<Stroke> slashStrokes(const LayoutRect& bar, std::size_t slotCount, const ChordFontMetrics& m,
                                 float chordsTop) {
    std::vector<Stroke> strokes;
    if (slotCount == 0) return strokes;
    const float y = bar.y + chordsTop + m.charHeight() + m.chordVerticalPadding() + m.chordNotationSpacing();
    const float d = (m.notationHeight() - m.slashHeight()) / 2;
    const float slot = bar.width / static_cast<float>(slotCount);
    for (std::size_t k = 0; k < slotCount; ++k) {
        const float x = bar.x + m.slashOffset() + static_cast<float>(k) * slot;
        strokes.push_back({x, y + m.notationHeight() - d, x + m.slashWidth(), y + d});
    }
    return strokes;
}

float notationTop(const BarPlacement& placed, const ChordFontMetrics& m) {
    return placed.frame.y + placed.chordsTop + m.charHeight() + m.chordVerticalPadding() + m.chordNotationSpacing();
}

BarLineRules::BarLineRules(std::vector<std::int64_t> sectionMarks, const Chorus& chorus, std::vector<BarMarks> marks)
    : section_marks_(std::move(sectionMarks)), marks_(std::move(marks)), chorus_begin_(chorus.begin),
      chorus_end_(chorus.lastBarIndex(section_marks_.size())) {}

bool BarLineRules::barBeginsSection(std::int64_t i) const {
    if (i < 0 || i >= static_cast<std::int64_t>(section_marks_.size())) return false;
    return section_marks_[static_cast<std::size_t>(i)] != no_section_mark;
}

bool BarLineRules::startsRepeat(std::int64_t i) const {
    if (i == chorus_begin_ - 1) return true;
    return i >= 0 && i < static_cast<std::int64_t>(marks_.size()) && marks_[static_cast<std::size_t>(i)].repeatStart;
}

bool BarLineRules::endsRepeat(std::int64_t i) const {
    if (i == chorus_end_) return true;
    return i >= 0 && i < static_cast<std::int64_t>(marks_.size()) && marks_[static_cast<std::size_t>(i)].repeatEnd > 0;
}

BarLineType BarLineRules::forFirstInLineBar(std::int64_t i) const {
    if (startsRepeat(i)) return BarLineType::repeatStart;
    return barBeginsSection(i) ? BarLineType::doubleLine : BarLineType::single;
}

BarLineType BarLineRules::forMiddleOfLineBar(std::int64_t i) const {
    const bool start = startsRepeat(i), end = endsRepeat(i - 1);
    if (start && end) return BarLineType::repeatEndStart;
    if (start) return BarLineType::repeatStart;
    if (end) return BarLineType::repeatEnd;
    return barBeginsSection(i) ? BarLineType::doubleLine : BarLineType::single;
}

BarLineType BarLineRules::forLastInLineBar(std::int64_t i) const {
    if (endsRepeat(i)) return BarLineType::repeatEnd;
    if (i + 1 == static_cast<std::int64_t>(section_marks_.size())) return BarLineType::final;
    return barBeginsSection(i + 1) ? BarLineType::doubleLine : BarLineType::single;
}

float adjustPageBottom(const ChartLayout& layout, float top, float proposedBottom) {
    for (const BarPlacement& bar : layout.bars) {
        if (bar.frame.bottom() <= proposedBottom) continue;
        return bar.frame.y > top ? std::min(proposedBottom, bar.frame.y) : proposedBottom;
    }
    return proposedBottom;
}

}  // namespace zub
