#include "editor/layout/form_lines.h"

#include <algorithm>

#include "bridge/chart_dictionary.h"

namespace zub {

bool beginsEnding(const std::vector<BarMarks>& marks, std::size_t bar) {
    if (bar >= marks.size() || marks[bar].endings.empty()) return false;
    return bar == 0 || marks[bar - 1].endings != marks[bar].endings;
}

std::vector<bool> formLineStarts(const std::vector<std::int64_t>& sectionMarks, const std::vector<BarMarks>& marks) {
    const std::size_t count = std::min(sectionMarks.size(), marks.size());
    std::vector<bool> starts(count, false);
    for (std::size_t i = 0; i < count; ++i)
        starts[i] = sectionMarks[i] != no_section_mark || marks[i].repeatStart || marks[i].coda ||
                    beginsEnding(marks, i);
    return starts;
}

std::vector<LineSpan> linesByForm(const std::vector<bool>& starts, int barsPerLine) {
    const auto most = static_cast<std::size_t>(std::max(barsPerLine, 1));
    std::vector<LineSpan> lines(1);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        LineSpan& line = lines.back();
        if (line.count > 0 && (starts[i] || line.count == most)) lines.push_back({i, 0});
        ++lines.back().count;
    }
    return lines;
}

bool drawsAboveChords(const BarMarks& m) {
    return !m.endings.empty() || m.segno || m.coda || m.toCoda || m.fine || !m.direction.empty() ||
           m.repeatEnd > 2;
}

}  // namespace zub
