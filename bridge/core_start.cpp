#include "bridge/core_start.h"

#include "core/registry/registry.h"

namespace zub {

void startCore() { start_core(); }

}  // namespace zub
