#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "playback/live_player.h"
#include "playback/render.h"
#include "playback/soundfont.h"

namespace {

using namespace zub;

// A chart of bars x the blues' four-bar lines at 160, one chorus.
Plist blues_of(int bars) {
    std::string text = "Name: Bench\nMeter: 4/4\nStyle: Swing\nKey: F\nTempo: 160\nChorus: bars 1 to " +
                       std::to_string(bars) + " (repeat 1 times)\n";
    for (int line = 0; line < bars / 4; ++line) text += "| F7 | Bb7 | F7 | Cm7 F7 |\n";
    return chartFromDocumentBytes(text, MyConstants::shared().newDocumentChartTemplate().at("Font"));
}

// zub render of 96 bars: finding and loading the SoundFont, generating, rendering to WAV.
// The counter is seconds of sound per second of work: the speed over real time.
void BM_Render96Bars(benchmark::State& state) {
    const Plist chart = blues_of(96);
    const std::string out = (std::filesystem::temp_directory_path() / "zub-bench-render.wav").string();
    double seconds_of_sound = 0;
    for (auto _ : state) {
        const playback::Accompaniment accompaniment = playback::generate(chart, 1);
        playback::render(accompaniment, {playback::find_soundfont(""), {}}, out);
        seconds_of_sound += playback::rendered_frames(accompaniment, 0) / double(playback::sample_rate);
    }
    state.counters["times_real_time"] = benchmark::Counter(seconds_of_sound, benchmark::Counter::kIsRate);
    std::filesystem::remove(out);
}
BENCHMARK(BM_Render96Bars)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// From Play to the first block the audio thread renders, for 32 bars, with the
// SoundFont loaded and the driver open: generation, a new player, the first block.
void BM_PlayToFirstBlock32Bars(benchmark::State& state) {
    const Plist chart = blues_of(32);
    const std::string heard = (std::filesystem::temp_directory_path() / "zub-bench-heard.wav").string();
    ::setenv("ZUB_AUDIO_DRIVER", "file", 0);
    ::setenv("ZUB_AUDIO_FILE", heard.c_str(), 0);
    playback::Live_player player(playback::find_soundfont(""));
    for (auto _ : state) {
        player.play(playback::generate(chart, 1), {});
        while (player.tick() < 0) std::this_thread::yield();
        state.PauseTiming();
        player.stop();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlayToFirstBlock32Bars)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
