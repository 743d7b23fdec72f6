#include "playback/time_map.h"

#include <algorithm>
#include <cmath>

#include "playback/playback_error.h"

namespace zub::playback {

Time_map::Time_map(Played_form form) : form_(std::move(form)) {
    if (form_.bars.empty() || form_.beats_per_bar < 1 || form_.ticks_per_beat < 1)
        throw Playback_error("Nothing is played");
    // A form without the beats of its bars has bars of the meter.
    if (form_.bar_beats.empty()) form_.bar_beats.assign(form_.bars.size(), form_.beats_per_bar);
    if (form_.bar_beats.size() != form_.bars.size() ||
        std::any_of(form_.bar_beats.begin(), form_.bar_beats.end(), [](int beats) { return beats < 1; }))
        throw Playback_error("The played bars' beats do not match the bars");
    for (const Played_bar& played : form_.bars) passes_ = std::max(passes_, played.pass);
    starts_.push_back(count_in_beats());
    for (const int beats : form_.bar_beats) starts_.push_back(starts_.back() + beats);
}

Time_map Time_map::of_chart(const Plist& chart) { return Time_map(Entry_points::zub2lite_played_form(chart)); }

Played_position Time_map::at_beat(double beat) const {
    const int last_beat = total_beats() - 1;
    const int whole = static_cast<int>(std::clamp(std::floor(beat), 0.0, static_cast<double>(last_beat)));
    if (whole < count_in_beats())
        return {true, whole / form_.beats_per_bar + 1, whole % form_.beats_per_bar, 0, passes_, -1};
    // The last start not after the beat: the bar it falls in.
    const auto next = std::upper_bound(starts_.begin(), starts_.end() - 1, whole);
    const int played = static_cast<int>(next - starts_.begin()) - 1;
    const Played_bar& at = form_.bars[static_cast<std::size_t>(played)];
    return {false, at.bar, whole - starts_[static_cast<std::size_t>(played)], at.pass, passes_, played};
}

std::optional<int> Time_map::first_beat_of(int bar) const {
    const auto first = std::find_if(form_.bars.begin(), form_.bars.end(),
                                    [bar](const Played_bar& played) { return played.bar == bar; });
    if (first == form_.bars.end()) return std::nullopt;
    return starts_[static_cast<std::size_t>(first - form_.bars.begin())];
}

}  // namespace zub::playback
