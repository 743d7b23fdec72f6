#include "core/generate/perform.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/failure.h"
#include "core/generate/exact.h"

namespace zub::Perform {

namespace {

using Midi_event = Event<Midi_payload>;

Midi_event with_velocity(const Midi_event& event, int velocity) {
    return {event.time, event.duration, {event.payload.first, velocity}};
}

int grooved_velocity(const Groove_lookup& groove, const Midi_event& event) {
    return static_cast<int>(std::trunc(event.payload.second * groove.factor(event.time)));
}

mpq_class swing_delay(double ratio) { return num_of_float_approx(ratio / (1.0 + ratio), swing_grid) - mpq_class(1, 2); }

// The event moved by delay when it is off the beat.
Midi_event swung(const Midi_event& event, const mpq_class& delay, int velocity) {
    if (event.time.get_den() == 1) return {event.time, event.duration, {event.payload.first, velocity}};
    mpq_class duration = event.duration - delay;
    if (sgn(duration) < 0) throw Invalid_argument("Negative swung duration: " + event.time.get_str());
    return Midi_event{event.time + delay, std::move(duration), {event.payload.first, velocity}};
}

}  // namespace

double swing_ratio_at(int tempo) { return std::clamp(2.8 - tempo / 200.0, 1.2, 2.5); }

Groove_table groove_in_eighths(const std::vector<int>& groups, double strong, double beat, double offbeat) {
    Groove_table table;
    long start = 0;
    for (int group : groups) {
        for (long k = 0; k < group; ++k) {
            table.emplace_back(mpq_class(start + k), k == 0 ? strong : beat);
            table.emplace_back(mpq_class(2 * (start + k) + 1, 2), offbeat);
        }
        start += group;
    }
    return table;
}

Groove_table groove_by_steps(int beats, const std::vector<double>& per_step) {
    Groove_table table;
    const auto steps = static_cast<long>(per_step.size());
    for (long beat = 0; beat < beats; ++beat)
        for (long step = 0; step < steps; ++step) table.emplace_back(mpq_class(beat * steps + step, steps), per_step[step]);
    return table;
}

double groove_factor(const Groove_table& groove, const mpq_class& period, const mpq_class& time) {
    const mpq_class position = Exact::modulo(time, period);
    // One pass over the table: every drum hit asks.
    const auto found = std::find_if(groove.begin(), groove.end(),
                                    [&position](const auto& entry) { return cmp(entry.first, position) == 0; });
    return found != groove.end() ? found->second : 1.0;
}

Groove_lookup::Groove_lookup(const Groove_table& groove, const mpq_class& period) : groove_(groove), period_(period) {
    // A longer period is left to the exact path rather than tabled.
    constexpr long most_ticks = 64L * swing_grid;
    const auto period_ticks = Exact::small_ticks(period, swing_grid);
    if (!period_ticks || *period_ticks <= 0 || *period_ticks > most_ticks) return;
    by_tick_.assign(static_cast<std::size_t>(*period_ticks), 1.0);
    // Backwards, so that the first of equal positions wins as in the exact lookup.
    // A position off the grid or outside the period matches no tick.
    for (auto entry = groove.rbegin(); entry != groove.rend(); ++entry)
        if (const auto tick = Exact::small_ticks(entry->first, swing_grid); tick && *tick >= 0 && *tick < *period_ticks)
            by_tick_[static_cast<std::size_t>(*tick)] = entry->second;
}

double Groove_lookup::factor(const mpq_class& time) const {
    const auto tick = by_tick_.empty() ? std::nullopt : Exact::small_ticks(time, swing_grid);
    if (!tick) return groove_factor(groove_, period_, time);
    const auto period_ticks = static_cast<long>(by_tick_.size());
    const long in_period = (*tick % period_ticks + period_ticks) % period_ticks;
    return by_tick_[static_cast<std::size_t>(in_period)];
}

int duration_velocity(const Duration_velocity_table& table, const mpq_class& duration) {
    for (const auto& [threshold, velocity] : table)
        if (cmp(threshold, duration) >= 0) return velocity;
    throw Not_found();
}

Midi_seq groove_velocity_scaling(const Groove_table& groove, const mpq_class& period, const Midi_seq& seq) {
    const Groove_lookup lookup(groove, period);
    return seq.map([&](const Midi_event& event) { return with_velocity(event, grooved_velocity(lookup, event)); });
}

Midi_seq duration_velocity_map(const Duration_velocity_table& table, const Midi_seq& seq) {
    return seq.map([&](const Midi_event& event) { return with_velocity(event, duration_velocity(table, event.duration)); });
}

mpq_class num_of_float_approx(double f, long n) {
    if (n == 0) throw Invalid_argument("Division_by_zero");
    const double scaled = std::trunc(f * static_cast<double>(n));
    if (!std::isfinite(scaled)) throw Invalid_argument("Not a finite number: " + std::to_string(scaled));
    mpq_class result(scaled);  // a whole double converts exactly
    result /= n;
    return result;
}

Midi_seq swing(double ratio, const Midi_seq& seq) {
    const mpq_class delay = swing_delay(ratio);
    return seq.map([&](const Midi_event& event) { return swung(event, delay, event.payload.second); });
}

Midi_seq groove_and_swing(const Groove_table& groove, const mpq_class& period, std::optional<double> ratio,
                          const Midi_seq& seq) {
    if (!ratio) return groove_velocity_scaling(groove, period, seq);
    const mpq_class delay = swing_delay(*ratio);
    const Groove_lookup lookup(groove, period);
    return seq.map([&](const Midi_event& event) { return swung(event, delay, grooved_velocity(lookup, event)); });
}

}  // namespace zub::Perform
