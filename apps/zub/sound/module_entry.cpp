// The entry of the playback module that zub loads: the module holds its own
// copy of the bridge, which needs the cache folder zub's main gives its own.
#include "apps/zub/sound/runs.h"
#include "bridge/entry_points.h"
#include "bridge/resources.h"

extern "C" const zub::cli::Playback_runs* zub_playback_runs() {
    zub::Entry_points::compatscales_set_cache_pathname(zub::cache_directory());
    return &zub::cli::playback_runs_table;
}
