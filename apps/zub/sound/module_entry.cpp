// The entry of the playback module that zub loads. The module uses zub's own
// libzubaroo.so, so the core it calls is already set up by zub's main.
#include "apps/zub/sound/runs.h"

extern "C" const zub::cli::Playback_runs* zub_playback_runs() { return &zub::cli::playback_runs_table; }
