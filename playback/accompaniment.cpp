#include "playback/accompaniment.h"

#include "bridge/generation.h"

namespace zub::playback {

Accompaniment generate(const Plist& chart, std::optional<std::uint64_t> seed) {
    if (seed) Entry_points::zub2lite_init_random_with(*seed);
    Plist::Data midi = Entry_points::zub2lite_gen(chart);
    return {chart, std::move(midi), Entry_points::zub2lite_seed(), Time_map::of_chart(chart),
            static_cast<int>(chart.integer_at("Tempo"))};
}

}  // namespace zub::playback
