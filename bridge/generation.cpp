#include "bridge/generation.h"

#include <memory>

#include "bridge/bridge_exception.h"
#include "bridge/internal/chart_conversion.h"
#include "bridge/internal/core_function.h"
#include "bridge/internal/core_values.h"
#include "bridge/internal/reaching_core.h"
#include "bridge/played_form.h"
#include "core/generate/gen.h"
#include "core/generate/midiwriter.h"
#include "core/generate/style.h"
#include "core/generate/zub2lite.h"
#include "core/registry/chart_value.h"

namespace zub::Entry_points {

Plist::Data zub2lite_gen(const Plist& chart) {
    static const std::unique_ptr<CoreFunction> gen = CoreFunction::initWithName("Zub2lite.gen");
    if (!gen) throw Bridge_exception("initWithName:", "No core function Zub2lite.gen");
    CoreFunction::garbageCollection();
    // A chart with form marks goes as played; the generator itself unrolls only the chorus.
    return NSDataFromCoreString(gen->callWithParam(convertChart(hasForm(chart) ? playedChart(chart) : chart)));
}

Played_form zub2lite_played_form(const Plist& chart) {
    const Value record = convertChart(chart);
    Played_form form = reaching_core("zub2lite_played_form", [&] {
        const Chart c = Chart_value::chart_of(record);
        const Chart::Chorus& chorus = c.chorus();
        Styles::style_of(c.style());  // refuses a meter the generator cannot play, as generating would
        Played_form unrolled{Gen::count_in_bars, c.style().meter,
                             Midiwriter::ticks_per_quarter, static_cast<int>(c.bars().size()), {}, {}};
        for (const Gen::Played_bar& played : Gen::played_bars(c.bars().size(), chorus.begin, chorus.end, chorus.repeats))
            unrolled.bars.push_back({played.bar, played.pass});
        return unrolled;
    });
    if (hasForm(chart)) {
        // The generator plays such a chart as its walk gives it: the same bars in the same order.
        form.bars.clear();
        for (const PlayedBar& played : playedBars(chart))
            form.bars.push_back({static_cast<int>(played.bar) + 1, played.pass});
    }
    const Plist::Array& bars = chart.array_at("Chords");
    for (const Played_bar& played : form.bars)
        form.bar_beats.push_back(static_cast<int>(bars.at(static_cast<std::size_t>(played.bar - 1)).array_at("Chords").size()));
    return form;
}

void zub2lite_init_random_with(std::uint64_t seed) {
    reaching_core("zub2lite_init_random_with", [&] { Zub2lite::init_random_with(seed); });
}

std::uint64_t zub2lite_seed() {
    return reaching_core("zub2lite_seed", [] { return Zub2lite::seed(); });
}

std::optional<std::uint64_t> zub2lite_seed_of(std::string_view text) { return Zub2lite::seed_of(text); }

std::optional<std::uint64_t> zub2lite_environment_seed() { return Zub2lite::environment_seed(); }

}  // namespace zub::Entry_points
