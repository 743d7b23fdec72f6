#include "bridge/generation.h"

#include <memory>

#include "bridge/bridge_exception.h"
#include "bridge/chart_conversion.h"
#include "bridge/core_function.h"
#include "bridge/core_values.h"

namespace zub::Entry_points {

Plist::Data zub2lite_gen(const Plist& chart) {
    static const std::unique_ptr<CoreFunction> gen = CoreFunction::initWithName("Zub2lite.gen");
    if (!gen) throw Bridge_exception("initWithName:", "No core function Zub2lite.gen");
    CoreFunction::garbageCollection();
    return NSDataFromCoreString(gen->callWithParam(convertChart(chart)));
}

}  // namespace zub::Entry_points
