#include "playback/schedule.h"

#include <algorithm>
#include <string>

#include "playback/playback_error.h"

namespace zub::playback {

int start_tick(const Accompaniment& accompaniment, std::optional<int> from_bar) {
    if (!from_bar) return 0;
    const auto beat = accompaniment.time_map.first_beat_of(*from_bar);
    if (!beat)
        throw Playback_error("Bar " + std::to_string(*from_bar) + " is not played (the chart has " +
                             std::to_string(accompaniment.chart.array_at("Chords").size()) + " bars)");
    return *beat * accompaniment.time_map.ticks_per_beat();
}

Loop_ticks loop_ticks(const Accompaniment& accompaniment, std::optional<int> first_bar, std::optional<int> last_bar) {
    const int start = start_tick(accompaniment, first_bar);
    const Time_map& map = accompaniment.time_map;
    if (!last_bar) return {start, map.total_ticks()};
    // The loop ends where the last bar's first playing does, whatever its beats.
    const int last_start = start_tick(accompaniment, last_bar);
    const int end = last_start + map.beats_of_played(map.at_tick(last_start).played) * map.ticks_per_beat();
    if (end <= start)
        throw Playback_error("Bar " + std::to_string(*last_bar) + " is played before bar " +
                             std::to_string(first_bar.value_or(0)));
    return {start, end};
}

namespace {

class Schedule_builder {
public:
    Schedule_builder(const Accompaniment& accompaniment, const Play_options& options)
        : map_(accompaniment.time_map), options_(options), chart_bpm_(accompaniment.tempo) {
        if (options.count_in_bars < 0 || options.count_in_bars > 2)
            throw Playback_error("The count-in is 0, 1 or 2 bars: " + std::to_string(options.count_in_bars));
        const int bar_ticks = map_.beats_per_bar() * map_.ticks_per_beat();
        count_in_start_ = std::max(0, map_.count_in_ticks() - options.count_in_bars * bar_ticks);
    }

    void count_in(double tempo_bpm, int pass) {
        if (count_in_start_ < map_.count_in_ticks())
            schedule_.legs.push_back({count_in_start_, map_.count_in_ticks(), tempo_bpm, pass, true});
    }
    void leg(int start, int end, double tempo_bpm, int pass) { schedule_.legs.push_back({start, end, tempo_bpm, pass}); }
    void repeat_from(std::size_t leg) { schedule_.repeat_from = leg; }
    std::size_t size() const { return schedule_.legs.size(); }

    // The trainer's tempo at pass 1, 2, ...
    double pass_bpm(int pass) const {
        const double first = options_.tempo_bpm > 0 ? options_.tempo_bpm : chart_bpm_;
        return std::clamp(first + options_.tempo_step_bpm * (pass - 1), slowest_bpm, fastest_bpm);
    }
    Schedule take() { return std::move(schedule_); }

private:
    const Time_map& map_;
    const Play_options& options_;
    double chart_bpm_;
    int count_in_start_ = 0;
    Schedule schedule_;
};

// The whole chart, as a loop, starts at its first bar: the count-in is a leg of its own.
Loop_ticks loop_of(const Accompaniment& accompaniment, const Play_options& options) {
    Loop_ticks loop = loop_ticks(accompaniment, options.from_bar, options.loop_last_bar);
    if (!options.from_bar) loop.start = accompaniment.time_map.count_in_ticks();
    if (loop.end <= loop.start) throw Playback_error("Nothing is played");
    return loop;
}

Schedule trainer(const Accompaniment& accompaniment, const Play_options& options) {
    const Loop_ticks loop = loop_of(accompaniment, options);
    Schedule_builder builder(accompaniment, options);
    int pass = 1;
    if (options.from_tick) {
        pass = std::clamp(options.from_pass, 1, options.passes);
        if (*options.from_tick < loop.end)
            builder.leg(std::max(*options.from_tick, loop.start), loop.end, builder.pass_bpm(pass), pass);
        ++pass;
    }
    for (; pass <= options.passes; ++pass) {
        if (options.count_in_each_pass || builder.size() == 0) builder.count_in(builder.pass_bpm(pass), pass);
        builder.leg(loop.start, loop.end, builder.pass_bpm(pass), pass);
    }
    return builder.take();
}

Schedule loop(const Accompaniment& accompaniment, const Play_options& options) {
    const Loop_ticks loop = loop_of(accompaniment, options);
    Schedule_builder builder(accompaniment, options);
    if (options.from_tick) {
        // A pause resumed past the loop's end plays on to the end of the chart.
        if (*options.from_tick >= loop.end) {
            builder.leg(*options.from_tick, accompaniment.time_map.total_ticks(), 0, 0);
            return builder.take();
        }
        builder.leg(*options.from_tick, loop.end, 0, 0);
    }
    const std::size_t again = builder.size();
    if (!options.from_tick || options.count_in_each_pass) builder.count_in(0, 0);
    builder.repeat_from(options.count_in_each_pass ? again : builder.size());
    builder.leg(loop.start, loop.end, 0, 0);
    return builder.take();
}

}  // namespace

Schedule schedule_of(const Accompaniment& accompaniment, const Play_options& options) {
    if (options.passes > 0) return trainer(accompaniment, options);
    if (options.looping) return loop(accompaniment, options);
    Schedule_builder builder(accompaniment, options);
    const int end = accompaniment.time_map.total_ticks();
    int start = options.from_tick.value_or(0);
    if (!options.from_tick) {
        builder.count_in(0, 0);
        start = options.from_bar ? start_tick(accompaniment, options.from_bar) : accompaniment.time_map.count_in_ticks();
    }
    if (start < end) builder.leg(start, end, 0, 0);
    return builder.take();
}

double schedule_seconds(const Schedule& schedule, int ticks_per_beat, double playing_bpm) {
    double seconds = 0;
    for (const Leg& leg : schedule.legs)
        seconds += (leg.end_tick - leg.start_tick) * 60.0 / (ticks_per_beat * (leg.tempo_bpm > 0 ? leg.tempo_bpm : playing_bpm));
    return seconds;
}

}  // namespace zub::playback
