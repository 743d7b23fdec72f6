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
        return std::any_of(bar.begin(), bar.end(), [](const Chart::Entry& entry) { return !entry.symbol.empty() && !is_no_chord(entry.symbol); });
    });
}

// The chart's meter: the first bar's beats in 3/4 to 7/4, else 4 (x/8 and 2/4 bars carry their own mark).
int meter_of(const Ireal_cells::Written_bar& first) {
    const Time_signature time = Time_signature::of_string(first.time);
    return time.lower() == 4 && time.upper() >= 3 ? time.upper() : 4;
}

std::vector<Chart::Marks> marks_of(const std::vector<Bar_form>& forms) {
    std::vector<Chart::Marks> marks;
    for (std::size_t k = 0; k < forms.size(); ++k)
        if (!forms[k].empty()) marks.push_back({static_cast<int>(k + 1), forms[k]});
    return marks;
}

}  // namespace

Ireal_chart chart_of_ireal_song(const Ireal_song& song) {
    const auto written = Ireal_cells::read_cells(song.progression);
    auto bars = Ireal_beats::bars_of(written);
    if (!holds_a_chord(bars)) throw Failure("No chords");
    const int meter = meter_of(written.front());
    const auto forms = Ireal_form::forms_of(written, Time_signature::of_beats(meter));
    const auto tune = Ireal_form::tune_of(written, forms);

    std::vector<Chart::Section> sections;
    for (std::size_t k = 0; k < written.size(); ++k)
        if (char mark = mark_of(written[k].section)) sections.push_back({static_cast<int>(k + 1), mark});
    const int repeats = song.repeats > 0 ? song.repeats : 3;
    const int tempo = song.tempo > 0 ? song.tempo : Ireal_style::usual_tempo(song.style);
    const int type = Ireal_style::style_type(song.style, song.groove);
    Chart chart(song.title, {meter, type}, key_of(song.key), tempo, std::move(bars), {tune.begin, tune.end, repeats},
                std::move(sections), marks_of(forms));
    return {std::move(chart), song.composer};
}

}  // namespace zub
