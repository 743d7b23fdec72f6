// The registration step of each core module: each puts the module's entry
// points into the registry under their fixed names. start_core runs them.
#pragma once

namespace zub {

// "Chordtype.all_names", "chord_printname", "Kelreader.read_chart",
// "Biabreader.read_chart", "Biabwriter.write_chart", "Gc.compact", and the
// error kind "Failure".
namespace Kelwrapper {
void register_entry_points();
}

// "Kov.partition", "Kov.annotate".
namespace Romananawrapper {
void register_entry_points();
}

// "Compatscales.set_cache_pathname".
namespace Compatscaleswrapper {
void register_entry_points();
}

namespace Zub2litewrapper {
void register_entry_points();
}

}  // namespace zub
