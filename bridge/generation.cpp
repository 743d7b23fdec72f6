#include "bridge/generation.h"

#include <memory>

#include "bridge/bridge_exception.h"
#include "bridge/internal/chart_conversion.h"
#include "bridge/internal/core_function.h"
#include "bridge/internal/core_values.h"
#include "bridge/internal/reaching_core.h"
#include "bridge/played_form.h"
#include "core/generate/zub2lite.h"

namespace zub::Entry_points {

Plist::Data zub2lite_gen(const Plist& chart) {
    static const std::unique_ptr<CoreFunction> gen = CoreFunction::initWithName("Zub2lite.gen");
    if (!gen) throw Bridge_exception("initWithName:", "No core function Zub2lite.gen");
    CoreFunction::garbageCollection();
    // A chart with form marks goes as played; the generator itself unrolls only the chorus.
    return NSDataFromCoreString(gen->callWithParam(convertChart(hasForm(chart) ? playedChart(chart) : chart)));
}

void zub2lite_init_random_with(std::uint64_t seed) {
    reaching_core("zub2lite_init_random_with", [&] { Zub2lite::init_random_with(seed); });
}

std::uint64_t zub2lite_seed() {
    return reaching_core("zub2lite_seed", [] { return Zub2lite::seed(); });
}

}  // namespace zub::Entry_points
