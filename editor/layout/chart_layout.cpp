#include "editor/layout/chart_layout.h"

#include <algorithm>
#include <string>

#include "bridge/bridge_exception.h"

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

std::vector<Line> partitionIntoLines(const std::vector<float>& minWidths, float width) {
    std::vector<Line> lines(1);
    float running = 0;
    for (std::size_t i = 0; i < minWidths.size(); ++i) {
        const float w = minWidths[i];
        if (!lines.back().empty() && running + w > width) {
            lines.emplace_back();
            running = 0;
        }
        lines.back().push_back({i, w});
        running += w;
    }
    return lines;
}

std::vector<LayoutRect> chordFramesInBar(const LayoutRect& frame, const std::vector<float>& widths,
                                         const ChordFontMetrics& m, bool showAnalysis) {
    std::vector<LayoutRect> frames;
    if (widths.empty()) return frames;
    frames.reserve(widths.size());
    const float slot = frame.width / static_cast<float>(widths.size());
    float x = m.chordOffset();
    const float y = showAnalysis ? m.analysisHeight() : 0;
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

void placeLine(const Line& line, const LayoutRect& rect, float scale, const std::vector<LayoutBar>& bars,
               const ChordFontMetrics& m, bool showAnalysis, ChartLayout& out) {
    float x = rect.x;
    for (std::size_t k = 0; k < line.size(); ++k) {
        BarPlacement& placed = out.bars[line[k].bar];
        placed.frame = {x, rect.y, line[k].width * scale, rect.height};
        placed.firstInLine = k == 0;
        placed.lastInLine = k + 1 == line.size();
        placed.chordFrames = chordFramesInBar(placed.frame, bars[line[k].bar].chordWidths, m, showAnalysis);
        x += placed.frame.width;
    }
}

float totalWidth(const Line& line) {
    float total = 0;
    for (const LineEntry& e : line) total += e.width;
    return total;
}

}  // namespace

ChartLayout layoutChart(const std::vector<LayoutBar>& bars, const ChordFontMetrics& m, const LayoutArea& area) {
    const float lineHeight = m.lineHeight() + (area.showAnalysis ? m.analysisHeight() : 0);
    const float width = area.viewWidth - 2 * m.xInset();
    std::vector<float> minWidths;
    minWidths.reserve(bars.size());
    for (const LayoutBar& bar : bars) minWidths.push_back(barMinWidth(bar.chordWidths, m));
    const std::vector<Line> lines = partitionIntoLines(minWidths, width);

    ChartLayout out;
    out.titleHeight = area.titleHeight;
    out.lineCount = lines.size();
    out.width = area.viewWidth;
    out.height = std::max(area.viewHeight,
                          static_cast<float>(lines.size()) * lineHeight + area.titleHeight + 2 * m.yInset());
    out.bars.resize(bars.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LayoutRect rect{m.xInset(), m.yInset() + area.titleHeight + static_cast<float>(i) * lineHeight, width,
                              lineHeight};
        const bool last = i + 1 == lines.size();
        const float total = totalWidth(lines[i]);
        const float scale = last || total <= 0 ? 1.0f : rect.width / total;
        placeLine(lines[i], rect, scale, bars, m, area.showAnalysis, out);
    }
    return out;
}

std::vector<Stroke> slashStrokes(const LayoutRect& bar, std::size_t slotCount, const ChordFontMetrics& m,
                                 bool showAnalysis) {
    std::vector<Stroke> strokes;
    if (slotCount == 0) return strokes;
    const float y = bar.y + m.charHeight() + m.chordVerticalPadding() + m.chordNotationSpacing() +
                    (showAnalysis ? m.analysisHeight() : 0);
    const float d = (m.notationHeight() - m.slashHeight()) / 2;
    const float slot = bar.width / static_cast<float>(slotCount);
    for (std::size_t k = 0; k < slotCount; ++k) {
        const float x = bar.x + m.slashOffset() + static_cast<float>(k) * slot;
        strokes.push_back({x, y + m.notationHeight() - d, x + m.slashWidth(), y + d});
    }
    return strokes;
}

BarLineRules::BarLineRules(std::vector<std::int64_t> marks, const Chorus& chorus)
    : section_marks_(std::move(marks)), chorus_begin_(chorus.begin), chorus_end_(chorus.lastBarIndex(section_marks_.size())) {}

bool BarLineRules::barBeginsSection(std::int64_t i) const {
    if (i < 0 || i >= static_cast<std::int64_t>(section_marks_.size())) return false;
    return section_marks_[static_cast<std::size_t>(i)] != 32;
}

BarLineType BarLineRules::forFirstInLineBar(std::int64_t i) const {
    if (i == chorus_begin_ - 1) return BarLineType::repeatStart;
    return barBeginsSection(i) ? BarLineType::doubleLine : BarLineType::single;
}

BarLineType BarLineRules::forMiddleOfLineBar(std::int64_t i) const {
    if (i == chorus_begin_ - 1) return BarLineType::repeatStart;
    if (i - 1 == chorus_end_) return BarLineType::repeatEnd;
    return barBeginsSection(i) ? BarLineType::doubleLine : BarLineType::single;
}

BarLineType BarLineRules::forLastInLineBar(std::int64_t i) const {
    if (i == chorus_end_) return BarLineType::repeatEnd;
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

namespace zub {

std::vector<PageBand> pageBands(const ChartLayout& layout, float pageHeight) {
    if (!(pageHeight > 0)) throw Bridge_exception("pageBands", "Invalid page height: " + std::to_string(pageHeight));
    std::vector<PageBand> pages;
    float top = 0;
    do {
        const float bottom = std::min(adjustPageBottom(layout, top, top + pageHeight), layout.height);
        pages.push_back({top, bottom});
        top = bottom;
    } while (top < layout.height);
    return pages;
}

}  // namespace zub
