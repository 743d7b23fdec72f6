#include "core/charts/ireal_beats.h"

#include <algorithm>

#include "core/failure.h"

namespace zub::Ireal_beats {

namespace {

using Kind = Ireal_cells::Cell::Kind;

int total(const Chart::Bar& bar) {
    int sum = 0;
    for (const auto& entry : bar) sum += entry.duration;
    return sum;
}

void fit_to(Chart::Bar& bar, int beats) {
    int sum = total(bar);
    while (sum > beats)
        for (auto entry = bar.rbegin(); entry != bar.rend() && sum > beats; ++entry)
            if (entry->duration > 1) {
                --entry->duration;
                --sum;
            }
    while (sum < beats)
        for (auto entry = bar.begin(); entry != bar.end() && sum < beats; ++entry) {
            ++entry->duration;
            ++sum;
        }
}

bool holds_chord(const Ireal_cells::Written_bar& bar) {
    return std::any_of(bar.cells.begin(), bar.cells.end(),
                       [](const auto& cell) { return cell.kind == Kind::chord || cell.kind == Kind::no_chord; });
}

bool holds(const Ireal_cells::Written_bar& bar, Kind kind) {
    return std::any_of(bar.cells.begin(), bar.cells.end(), [&](const auto& cell) { return cell.kind == kind; });
}

}  // namespace

Chart::Bar fit_bar(const std::vector<Ireal_cells::Cell>& cells, int beats, const std::string& carried) {
    Chart::Bar bar;
    int leading = 0;
    for (const auto& cell : cells) {
        if (cell.kind == Kind::chord)
            bar.push_back({cell.symbol, 1});
        else if (cell.kind == Kind::no_chord)
            bar.push_back({std::string(no_chord_symbol), 1});
        else if (bar.empty())
            ++leading;
        else
            ++bar.back().duration;
    }
    if (bar.empty()) return {{carried, beats}};
    if (leading > 0) {
        if (carried.empty())
            bar.front().duration += leading;
        else
            bar.insert(bar.begin(), {carried, leading});
    }
    if (static_cast<int>(bar.size()) > beats)
        throw Failure("More chords than beats: " + std::to_string(bar.size()) + " in " + std::to_string(beats));
    fit_to(bar, beats);
    return bar;
}

std::vector<Chart::Bar> bars_of(const std::vector<Ireal_cells::Written_bar>& written) {
    std::vector<Chart::Bar> bars;
    bars.reserve(written.size());
    std::string carried;
    bool second_of_two = false;  // the bar after an "r" repeats the second bar of the two
    for (std::size_t k = 0; k < written.size(); ++k) {
        const auto& bar = written[k];
        const std::string where = " in bar " + std::to_string(k + 1);
        const bool chords = holds_chord(bar);
        std::size_t copy_back = 0;
        if (!chords && holds(bar, Kind::repeat_two))
            copy_back = 2;
        else if (!chords && holds(bar, Kind::repeat_bar))
            copy_back = 1;
        else if (!chords && second_of_two)
            copy_back = 2;
        second_of_two = !chords && holds(bar, Kind::repeat_two);
        if (copy_back > bars.size()) throw Failure("Repeat sign without bars before it" + where);
        if (copy_back > 0) {
            // A copy in a bar of other beats (a 6/8 "x" after a 12/8 bar) is fitted to them.
            Chart::Bar copy = bars[bars.size() - copy_back];
            if (static_cast<int>(copy.size()) > bar.beats)
                throw Failure("More chords than beats: " + std::to_string(copy.size()) + " in " +
                              std::to_string(bar.beats) + where);
            fit_to(copy, bar.beats);
            bars.push_back(std::move(copy));
        } else {
            try {
                bars.push_back(fit_bar(bar.cells, bar.beats, carried));
            } catch (const Failure& failure) {
                throw Failure(failure.what() + where);
            }
        }
        carried = bars.back().back().symbol;
    }
    return bars;
}

}  // namespace zub::Ireal_beats
