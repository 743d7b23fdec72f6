// What the playback commands' work shares: the SoundFont found, the chart
// opened and its accompaniment generated, and one way of reporting failures.
#pragma once

#include <functional>
#include <string>

#include "apps/zub/command.h"
#include "apps/zub/playback_options.h"
#include "playback/accompaniment.h"
#include "playback/schedule.h"

namespace zub::cli {

// Finds the SoundFont, opens the chart and generates its accompaniment, then
// runs play with them; returns exit_ok, or exit_failed after one line on
// io.err: "ZUB cannot generate accompaniment for this chart (...)" for the
// chart, or the playback failure's own message.
int with_accompaniment(const Playback_options& options, Io io,
                       const std::function<void(const playback::Accompaniment&, const std::string& soundfont)>& play);

// What to play: --bars loop --passes times (once without, or until stopped
// when looping), from --tempo by --tempo-step, after --count-in bars.
playback::Play_options play_options_of(const Playback_options& options, bool looping = false);

}  // namespace zub::cli
