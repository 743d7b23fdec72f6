#include "playback/time_map.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "playback/playback_error.h"

namespace zub::playback {

namespace {

constexpr std::int64_t chorus_to_last_bar = 2147483647;

}  // namespace

Time_map::Time_map(int bar_count, int chorus_begin, int chorus_end, int repeats, int beats_per_bar)
    : bar_count_(bar_count), begin_(chorus_begin), end_(chorus_end), repeats_(std::max(repeats, 0)),
      bar_beats_(beats_per_bar) {
    if (beats_per_bar < 1 || beats_per_bar > 16) throw Playback_error("Invalid meter: " + std::to_string(beats_per_bar));
    if (chorus_begin < 1 || chorus_begin > chorus_end || chorus_end > bar_count)
        throw Playback_error("Invalid chorus: bars " + std::to_string(chorus_begin) + " to " +
                             std::to_string(chorus_end) + " of " + std::to_string(bar_count));
}

Time_map Time_map::of_chart(const Plist& chart) {
    const int bars = static_cast<int>(chart.array_at("Chords").size());
    const Plist& chorus = chart.dictionary_at("Chorus");
    const std::int64_t end = chorus.integer_at("End");
    const auto clamp = [](std::int64_t value) { return static_cast<int>(std::clamp<std::int64_t>(value, -1, 1 << 30)); };
    Time_map map(bars, clamp(chorus.integer_at("Begin")), end == chorus_to_last_bar ? bars : clamp(end),
                 clamp(chorus.integer_at("Repeats")), clamp(chart.dictionary_at("Style").integer_at("Meter")));
    if (hasForm(chart)) map.played_ = playedBars(chart);
    return map;
}

int Time_map::played_bars() const {
    if (!played_.empty()) return static_cast<int>(played_.size());
    return bar_count_ - (end_ - begin_ + 1) * (1 - repeats_);
}

int Time_map::chart_bar_of(int played_index) const {
    if (!played_.empty())
        return static_cast<int>(played_[static_cast<std::size_t>(std::clamp(played_index, 0, played_bars() - 1))].bar) + 1;
    const int head = begin_ - 1, length = end_ - begin_ + 1;
    if (played_index < head) return played_index + 1;
    if (played_index < head + length * repeats_) return begin_ + (played_index - head) % length;
    return played_index - length * repeats_ + length + 1;
}

Played_position Time_map::at_beat(double beat) const {
    const int last_beat = total_beats() - 1;
    const int whole = static_cast<int>(std::clamp(std::floor(beat), 0.0, static_cast<double>(last_beat)));
    const int bar_index = whole / bar_beats_, slot = whole % bar_beats_;
    if (bar_index < count_in_bars) return {true, bar_index + 1, slot, 0, repeats_, -1};
    const int played = bar_index - count_in_bars;
    if (!played_.empty())
        return {false, chart_bar_of(played), slot, played_[static_cast<std::size_t>(played)].pass, repeats_, played};
    const int head = begin_ - 1, length = end_ - begin_ + 1;
    const bool in_chorus = played >= head && played < head + length * repeats_;
    return {false, chart_bar_of(played), slot, in_chorus ? (played - head) / length + 1 : 0, repeats_, played};
}

std::optional<int> Time_map::first_beat_of(int bar) const {
    if (bar < 1 || bar > bar_count_) return std::nullopt;
    if (!played_.empty()) {
        for (std::size_t k = 0; k < played_.size(); ++k)
            if (played_[k].bar + 1 == static_cast<std::size_t>(bar)) return (count_in_bars + static_cast<int>(k)) * bar_beats_;
        return std::nullopt;
    }
    const int length = end_ - begin_ + 1;
    int played = bar - 1;
    if (bar > end_) played -= length * (1 - repeats_);
    else if (bar >= begin_ && repeats_ == 0) return std::nullopt;
    return (count_in_bars + played) * bar_beats_;
}

}  // namespace zub::playback
