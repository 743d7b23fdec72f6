#include "bridge/generation.h"

#include <memory>

#include "bridge/bridge_exception.h"
#include "bridge/internal/chart_conversion.h"
#include "bridge/internal/core_function.h"
#include "bridge/internal/core_values.h"
#include "bridge/internal/reaching_core.h"
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
    return NSDataFromCoreString(gen->callWithParam(convertChart(chart)));
}

Played_form zub2lite_played_form(const Plist& chart) {
    const Value record = convertChart(chart);
    return reaching_core("zub2lite_played_form", [&] {
        const Chart c = Chart_value::chart_of(record);
        const Chart::Chorus& chorus = c.chorus();
        Styles::style_of(c.style());  // refuses a meter the generator cannot play, as generating would
        Played_form form{Gen::count_in_bars, c.style().meter,
                         Midiwriter::ticks_per_quarter, static_cast<int>(c.bars().size()), {}};
        for (const Gen::Played_bar& played : Gen::played_bars(c.bars().size(), chorus.begin, chorus.end, chorus.repeats))
            form.bars.push_back({played.bar, played.pass});
        return form;
    });
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
