// What the playback benchmarks play: a blues chart, and the time from Play to
// the audio thread's first block.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <thread>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "playback/live_player.h"

namespace zub::bench {

// A chart of bars x the blues' four-bar lines at 160, one chorus.
inline Plist blues_of(int bars) {
    std::string text = "Name: Bench\nMeter: 4/4\nStyle: Swing\nKey: F\nTempo: 160\nChorus: bars 1 to " +
                       std::to_string(bars) + " (repeat 1 times)\n";
    for (int line = 0; line < bars / 4; ++line) text += "| F7 | Bb7 | F7 | Cm7 F7 |\n";
    return chartFromDocumentBytes(text, MyConstants::shared().newDocumentChartTemplate().at("Font"));
}

// Each iteration: generation, Play, and the first block; Stop is not timed.
inline void time_play_to_first_block(benchmark::State& state, playback::Live_player& player, const Plist& chart) {
    for (auto _ : state) {
        player.play(playback::generate(chart, 1), {});
        while (player.tick() < 0) std::this_thread::yield();
        state.PauseTiming();
        player.stop();
        state.ResumeTiming();
    }
}

}  // namespace zub::bench
