#include "editor/chart_layout.h"

#include <algorithm>

namespace zub {

float barMinWidth(const std::vector<float>& w, const ChordFontMetrics& m) {
    if (w.empty()) return 0;
    float pairs = 0;
    for (std::size_t i = 1; i < w.size(); ++i) {
        float a = std::max(w[i - 1], m.chordMinWidth);
        if (w[i] < m.chordMinWidth) a = (a + m.chordMinWidth) / 2;
        pairs = std::max(pairs, a);
    }
    float base = w.size() == 1 ? w[0] : std::max(w.back(), pairs);
    base = std::max(base, m.chordMinLayoutWidth);
    return static_cast<float>(w.size()) * (base + m.chordHorizontalPadding + m.chordHorizontalSpacing);
}

std::vector<Line> partitionIntoLinesOfWidth(const std::vector<float>& bar_widths, float width) {
    std::vector<Line> lines(1);
    float running = 0;
    for (std::size_t i = 0; i < bar_widths.size(); ++i) {
        const float w = bar_widths[i];
        if (!lines.back().empty() && running + w > width) {
            lines.emplace_back();
            running = 0;
        }
        lines.back().push_back({i, w});
        running += w;
    }
    return lines;
}

std::vector<Rect> chordFrames(float bar_width, const std::vector<float>& chord_widths, const ChordFontMetrics& m,
                              bool show_analysis) {
    std::vector<Rect> frames;
    if (chord_widths.empty()) return frames;
    const float slot = bar_width / static_cast<float>(chord_widths.size());
    const float y = show_analysis ? m.analysisHeight : 0;
    const float h = m.charHeight + m.chordVerticalPadding;
    float x = m.chordOffset;
    float available = slot;
    for (float width : chord_widths) {
        const float need = width + m.chordHorizontalPadding + m.chordHorizontalSpacing;
        if (need <= available) {
            frames.push_back({x, y, available - m.chordVerticalPadding, h});
            x += available;
            available = slot;
        } else {
            // This chord borrows from the next slot, which gives it up.
            frames.push_back({x, y, need - m.chordVerticalPadding, h});
            x += need;
            available = 2 * slot - need;
        }
    }
    return frames;
}

namespace {

void layoutLine(const Line& line, const Rect& rect, bool stretched, const Layout_request& request,
                const ChordFontMetrics& m, Chart_layout& layout) {
    float total = 0;
    for (const auto& entry : line) total += entry.width;
    const float scale = stretched && total > 0 ? rect.width / total : 1;
    float x = rect.x;
    for (std::size_t k = 0; k < line.size(); ++k) {
        Bar_layout& bar = layout.bars[line[k].bar];
        bar.frame = {x, rect.y, line[k].width * scale, rect.height};
        bar.chords = chordFrames(bar.frame.width, request.chord_widths[line[k].bar], m, request.show_analysis);
        bar.firstInLine = k == 0;
        bar.lastInLine = k + 1 == line.size();
        x += bar.frame.width;
    }
}

}  // namespace

Chart_layout layoutChart(const Layout_request& request, const ChordFontMetrics& m) {
    Chart_layout layout;
    layout.lineHeight = m.lineHeight + (request.show_analysis ? m.analysisHeight : 0);
    const float width = request.view_width - 2 * m.xInset;
    std::vector<float> bar_widths;
    for (const auto& chords : request.chord_widths) bar_widths.push_back(barMinWidth(chords, m));
    const std::vector<Line> lines = partitionIntoLinesOfWidth(bar_widths, width);
    const auto n = static_cast<float>(lines.size());
    layout.width = request.view_width;
    layout.height = std::max(request.view_height, n * layout.lineHeight + request.title_height + 2 * m.yInset);
    layout.bars.resize(request.chord_widths.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Rect rect{m.xInset, m.yInset + request.title_height + static_cast<float>(i) * layout.lineHeight, width,
                        layout.lineHeight};
        layoutLine(lines[i], rect, i + 1 < lines.size(), request, m, layout);
    }
    return layout;
}

int chorusEnd(long long end, std::size_t bar_count) {
    if (end == 2147483647) return static_cast<int>(bar_count) - 1;
    return static_cast<int>(end - 1);
}

namespace {

bool begins_section(std::size_t i, const Bar_line_context& c) { return i < c.begins_section.size() && c.begins_section[i]; }

}  // namespace

Bar_line_type barLineTypeForFirstInLineBar(std::size_t i, const Bar_line_context& c) {
    if (static_cast<long long>(i) == c.chorus_begin - 1) return Bar_line_type::repeat_start;
    return begins_section(i, c) ? Bar_line_type::double_line : Bar_line_type::single;
}

Bar_line_type barLineTypeForMiddleOfLineBar(std::size_t i, const Bar_line_context& c) {
    if (static_cast<long long>(i) == c.chorus_begin - 1) return Bar_line_type::repeat_start;
    if (static_cast<long long>(i) - 1 == c.chorus_end) return Bar_line_type::repeat_end;
    return begins_section(i, c) ? Bar_line_type::double_line : Bar_line_type::single;
}

Bar_line_type barLineTypeForLastInLineBar(std::size_t i, const Bar_line_context& c) {
    if (static_cast<long long>(i) == c.chorus_end) return Bar_line_type::repeat_end;
    return begins_section(i + 1, c) ? Bar_line_type::double_line : Bar_line_type::single;
}

}  // namespace zub
