// An iReal Pro song as our chart: the cells read into bars, the form played
// out, the header fields translated.
#include <algorithm>

#include "core/charts/ireal_beats.h"
#include "core/charts/ireal_cells.h"
#include "core/charts/ireal_form.h"
#include "core/charts/ireal_playlist.h"
#include "core/charts/ireal_style.h"
#include "core/failure.h"

namespace zub {

namespace {

// "Eb" -> "Eb", "C-" -> "Cm", "" -> "C".
std::string key_of(std::string_view key) {
    if (key.empty()) return "C";
    std::string_view tonic = key;
    const bool minor = tonic.ends_with('-');
    if (minor) tonic.remove_suffix(1);
    const bool valid = !tonic.empty() && tonic.size() <= 2 && tonic[0] >= 'A' && tonic[0] <= 'G' &&
                       (tonic.size() == 1 || tonic[1] == 'b' || tonic[1] == '#');
    if (!valid) throw Failure("Invalid key: " + std::string(key));
    return std::string(tonic) + (minor ? "m" : "");
}

// Our section marks: A and B as written; C and D are contrasting sections like
// B; a verse opens the chart like A; an intro gets none (the chorus tells it apart).
char mark_of(char written) {
    switch (written) {
        case 'A': case 'v': return 'A';
        case 'B': case 'C': case 'D': return 'B';
        default: return 0;
    }
}

bool holds_a_chord(const std::vector<Chart::Bar>& bars) {
    return std::any_of(bars.begin(), bars.end(), [](const Chart::Bar& bar) {
        return std::any_of(bar.begin(), bar.end(), [](const Chart::Entry& entry) { return !entry.symbol.empty(); });
    });
}

}  // namespace

Ireal_chart chart_of_ireal_song(const Ireal_song& song) {
    const auto written = Ireal_cells::read_cells(song.progression);
    const auto written_bars = Ireal_beats::bars_of(written);
    if (!holds_a_chord(written_bars)) throw Failure("No chords");
    const auto played = Ireal_form::play(written);

    std::vector<Chart::Bar> bars;
    std::vector<Chart::Section> sections;
    auto add = [&](const std::vector<std::size_t>& order) {
        for (std::size_t k : order) {
            bars.push_back(written_bars[k]);
            if (char mark = mark_of(written[k].section))
                sections.push_back({static_cast<int>(bars.size()), mark});
        }
    };
    add(played.intro);
    add(played.chorus);
    const int begin = static_cast<int>(played.intro.size()) + 1;
    const int end = static_cast<int>(bars.size());
    add(played.ending);
    if (played.chorus.empty()) throw Failure("No chords");

    const int meter = written.front().beats == 3 ? 3 : 4;
    const int repeats = song.repeats > 0 ? song.repeats : 3;
    const int tempo = song.tempo > 0 ? song.tempo : Ireal_style::usual_tempo(song.style);
    const int type = Ireal_style::style_type(song.style, song.groove);
    Chart chart(song.title, {meter, type}, key_of(song.key), tempo, std::move(bars), {begin, end, repeats},
                std::move(sections));
    return {std::move(chart), song.composer};
}

}  // namespace zub
