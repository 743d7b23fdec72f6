#include <benchmark/benchmark.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "blues_chart.h"
#include "playback/live_player.h"
#include "playback/render.h"
#include "playback/soundfont.h"

namespace {

using namespace zub;

using bench::blues_of;

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
    bench::time_play_to_first_block(state, player, chart);
}
BENCHMARK(BM_PlayToFirstBlock32Bars)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// The longest run of frames quieter than -60 dB on both channels around frame `at` (a tenth of a second either side).
long silence_around(const std::string& path, long at) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return -1;
    std::vector<float> samples(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    long longest = 0, run = 0;
    for (long frame = std::max(0L, at - 4410); frame < std::min<long>(info.frames, at + 4410); ++frame) {
        const bool quiet = std::abs(samples[2 * frame]) < 1e-3f && std::abs(samples[2 * frame + 1]) < 1e-3f;
        run = quiet ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// The tempo trainer's step between passes, measured in the render: bars 1-4
// three times at 160, 200 and 240 bpm; gap_frames is the longest silence at
// the two pass boundaries, to be under one audio period (period_frames).
void BM_TempoStepGap(benchmark::State& state) {
    const Plist chart = blues_of(4);
    const std::string out = (std::filesystem::temp_directory_path() / "zub-bench-trainer.wav").string();
    playback::Render_options options{playback::find_soundfont(""), {}};
    options.play.passes = 3;
    options.play.tempo_bpm = 160;
    options.play.tempo_step_bpm = 40;
    long gap = 0;
    for (auto _ : state) {
        playback::render(playback::generate(chart, 1), options, out);
        state.PauseTiming();
        // The count-in and pass 1 at 160 (24 beats), pass 2 at 200 (16 beats).
        for (const double boundary : {24 * 60.0 / 160, 24 * 60.0 / 160 + 16 * 60.0 / 200})
            gap = std::max(gap, silence_around(out, std::lround(boundary * playback::sample_rate)));
        state.ResumeTiming();
    }
    state.counters["gap_frames"] = static_cast<double>(gap);
    state.counters["period_frames"] = 256;
    std::filesystem::remove(out);
}
BENCHMARK(BM_TempoStepGap)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

}  // namespace
