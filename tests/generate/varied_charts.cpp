#include "varied_charts.h"

#include <algorithm>

#include "core/theory/chordtype.h"

namespace zub::testing {

namespace {

const std::vector<std::string> roots = {"C",  "C#", "Db", "D",  "D#", "Eb", "E",  "E#", "Fb", "F", "F#",
                                        "Gb", "G",  "G#", "Ab", "A",  "A#", "Bb", "B",  "Cb", "B#"};

const std::string& root(std::size_t k) { return roots[k % roots.size()]; }

std::vector<std::string> sorted_types() {
    std::vector<std::string> types = Chordtype::all_names();
    std::sort(types.begin(), types.end());
    return types;
}

// Two chords sharing a bar: the first gets the larger half of an odd meter.
Chart::Bar halves(const std::string& first, const std::string& second, int meter) {
    return {{first, meter - meter / 2}, {second, meter / 2}};
}

Chart chart_of(const std::string& name, std::vector<Chart::Bar> bars, int meter, int style) {
    const int count = static_cast<int>(bars.size());
    return Chart(name, {meter, style}, "C", 120, std::move(bars), {1, count, 1}, {{1, 'A'}, {std::min(count, 5), 'B'}});
}

std::vector<Chart::Bar> whole_bars(int meter) {
    std::vector<Chart::Bar> bars;
    const auto types = sorted_types();
    for (std::size_t k = 0; k < types.size(); ++k) bars.push_back({{root(5 * k) + types[k], meter}});
    return bars;
}

std::vector<Chart::Bar> split_bars(int meter) {
    std::vector<Chart::Bar> bars;
    const auto types = sorted_types();
    for (std::size_t k = 0; k + 1 < types.size(); k += 2)
        bars.push_back(halves(root(7 * k + 3) + types[k], root(11 * k + 1) + types[k + 1], meter));
    return bars;
}

std::vector<Chart::Bar> edge_bars(int meter) {
    const std::vector<std::string> symbols = {"Cb7",  "B#m7", "E#7",    "Fb",     "C7/E", "Dm7/G", "F/A",   "Bb/C",
                                              "G#m7", "D#7",  "A#m7b5", "Gb7/Db", "E/G#", "Ab/Eb", "C#7/B", "Cb/Eb"};
    std::vector<Chart::Bar> bars;
    for (const auto& symbol : symbols) bars.push_back({{symbol, meter}});
    for (std::size_t k = 0; k < symbols.size(); k += 2) bars.push_back(halves(symbols[k], symbols[k + 1], meter));
    return bars;
}

std::vector<Chart::Bar> short_chord_bars(int meter) {
    const std::vector<std::string> symbols = {"Cm7", "F7",  "BbMaj7", "EbMaj7", "Am7b5", "D7b9",
                                              "Gm",  "C#7", "F#m7",   "B7",     "E7",    "A7"};
    std::vector<Chart::Bar> bars;
    const std::size_t n = symbols.size();
    for (std::size_t k = 0; k < n; ++k) {
        Chart::Bar ones;
        for (int beat = 0; beat < meter; ++beat) ones.push_back({symbols[(k + beat) % n], 1});
        bars.push_back(ones);
    }
    for (std::size_t k = 0; k < n; ++k) bars.push_back({{symbols[k], meter - 1}, {symbols[(k + 5) % n], 1}});
    for (std::size_t k = 0; k < n; ++k) bars.push_back({{symbols[k], 1}, {symbols[(k + 5) % n], meter - 1}});
    return bars;
}

std::vector<Chart::Bar> long_bars(int meter) {
    const std::vector<std::string> symbols = {"Dm7", "G7",  "CMaj7", "A7",  "C#7",    "F#m7b5", "B7", "Em",
                                              "C/E", "Bb7", "Ebm7",  "Ab7", "DbMaj7", "Gm7",    "C7", "F"};
    std::vector<Chart::Bar> bars;
    for (std::size_t k = 0; k < 160; ++k) {
        if (k % 3 == 0)
            bars.push_back(halves(symbols[k % 16], symbols[(k + 7) % 16], meter));
        else
            bars.push_back({{symbols[k % 16], meter}});
    }
    return bars;
}

}  // namespace

std::vector<Named_chart> varied_charts(int meter, int style) {
    return {{"every type, whole bars", chart_of("whole", whole_bars(meter), meter, style), 300},
            {"every type, two a bar", chart_of("split", split_bars(meter), meter, style), 300},
            {"edge roots and slash basses", chart_of("edges", edge_bars(meter), meter, style), 300},
            {"one-beat chords", chart_of("short", short_chord_bars(meter), meter, style), 200},
            {"long chart", chart_of("long", long_bars(meter), meter, style), 40}};
}

}  // namespace zub::testing
