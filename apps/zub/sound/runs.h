// The playback work of zub's commands, as the module and the linked form both hand it out.
#pragma once

#include "apps/zub/playback_runs.h"

namespace zub::cli {

int run_render(const Render_request& request, Io io);
int run_play(const Play_request& request, Io io);

inline constexpr Playback_runs playback_runs_table = {&run_render, &run_play};

}  // namespace zub::cli
