#include "playback/time_map.h"

#include <algorithm>
#include <cmath>

#include "playback/playback_error.h"

namespace zub::playback {

Time_map::Time_map(Played_form form) : form_(std::move(form)) {
    if (form_.bars.empty() || form_.beats_per_bar < 1 || form_.ticks_per_beat < 1)
        throw Playback_error("Nothing is played");
    for (const Played_bar& played : form_.bars) passes_ = std::max(passes_, played.pass);
}

Time_map Time_map::of_chart(const Plist& chart) { return Time_map(Entry_points::zub2lite_played_form(chart)); }

Played_position Time_map::at_beat(double beat) const {
    const int last_beat = total_beats() - 1;
    const int whole = static_cast<int>(std::clamp(std::floor(beat), 0.0, static_cast<double>(last_beat)));
    const int bar_index = whole / form_.beats_per_bar, slot = whole % form_.beats_per_bar;
    if (bar_index < form_.count_in_bars) return {true, bar_index + 1, slot, 0, passes_, -1};
    const int played = bar_index - form_.count_in_bars;
    const Played_bar& at = form_.bars[static_cast<std::size_t>(played)];
    return {false, at.bar, slot, at.pass, passes_, played};
}

std::optional<int> Time_map::first_beat_of(int bar) const {
    const auto first = std::find_if(form_.bars.begin(), form_.bars.end(),
                                    [bar](const Played_bar& played) { return played.bar == bar; });
    if (first == form_.bars.end()) return std::nullopt;
    return (form_.count_in_bars + static_cast<int>(first - form_.bars.begin())) * form_.beats_per_bar;
}

}  // namespace zub::playback
