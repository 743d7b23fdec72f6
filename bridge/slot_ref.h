// One slot of one bar of a chart, both counted from 0: where a chord stands.
// The one name for that place in the bridge and the editor.
#pragma once

#include <cstddef>

namespace zub {

struct SlotRef {
    std::size_t bar = 0;
    std::size_t slot = 0;
    bool operator==(const SlotRef&) const = default;
};

}  // namespace zub
