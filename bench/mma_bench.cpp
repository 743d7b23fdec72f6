// Our accompaniment against MMA's nearest groove on the same 96-bar chart,
// both as whole processes (zub midi, mma), one after the other in each
// iteration. The time is ours; the counters give MMA's and how many times
// faster we are ("times_faster", to stay at 10 or more).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "process_run.h"

namespace {

namespace fs = std::filesystem;

constexpr int chart_bars = 96;

struct Feel {
    const char* style;  // ours
    const char* groove;  // MMA's nearest
    int meter;
};

constexpr Feel feels[] = {{"Swing", "Swing", 4},       {"Ballad", "Ballad", 4},   {"Two-Feel", "Swing2", 4},
                          {"Bossa Nova", "BossaNova", 4}, {"Jazz Waltz", "JazzWaltz", 3}, {"Even 8ths", "8Beat", 4},
                          {"Latin", "Mambo", 4},       {"Funk", "BVFunk", 4},     {"Shuffle", "ShuffleBoggie", 4},
                          {"Swing", "Jazz54", 5}};

// Spelled so that both read them.
const char* const changes[] = {"Cm7", "F7", "Bb6", "Eb6", "Am7b5", "D7b9", "Gm7", "G7"};

fs::path scratch(const std::string& name) {
    return fs::temp_directory_path() / ("zub-bench-" + std::to_string(::getpid()) + "-" + name);
}

// The same changes, a chord a bar, as our text chart and as MMA's input.
void write_charts(const Feel& feel, const fs::path& ours, const fs::path& theirs) {
    std::ofstream text(ours), mma(theirs);
    text << "Name: Bench\nMeter: " << feel.meter << "/4\nStyle: " << feel.style << "\nKey: Bb\nTempo: 160\n"
         << "Chorus: bars 1 to " << chart_bars << " (repeat 1 times)\n";
    mma << "Tempo 160\nTime " << feel.meter << "\nGroove " << feel.groove << "\n";
    for (int bar = 0; bar < chart_bars; ++bar) {
        text << "| " << changes[bar % 8] << " " << (bar % 4 == 3 ? "|\n" : "");
        mma << bar + 1 << " " << changes[bar % 8] << "\n";
    }
}

double seconds_of(const std::vector<std::string>& command, benchmark::State& state) {
    const auto start = std::chrono::steady_clock::now();
    if (!zub::bench::run_process(command)) state.SkipWithError(("failed: " + command.front()).c_str());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_GenerateAgainstMma(benchmark::State& state) {
    const Feel& feel = feels[state.range(0)];
    const fs::path ours = scratch("chart.txt"), theirs = scratch("chart.mma"), midi = scratch("out.mid");
    write_charts(feel, ours, theirs);
    if (!zub::bench::run_process({"mma", "-v"})) {
        state.SkipWithError("mma is not installed: apt-get install mma (scripts/install-deps.sh does)");
        return;
    }
    double zub_total = 0, mma_total = 0;
    for (auto _ : state) {
        const double zub = seconds_of({ZUB_CLI_BINARY, "midi", ours.string(), "-o", midi.string(), "--seed", "1"}, state);
        mma_total += seconds_of({"mma", "-f", midi.string(), theirs.string()}, state);
        zub_total += zub;
        state.SetIterationTime(zub);
    }
    state.SetLabel(std::string(feel.style) + " " + std::to_string(feel.meter) + "/4 vs " + feel.groove);
    state.counters["mma_ms"] = 1000 * mma_total / static_cast<double>(state.iterations());
    state.counters["times_faster"] = zub_total > 0 ? mma_total / zub_total : 0;
    for (const fs::path& file : {ours, theirs, midi}) fs::remove(file);
}
BENCHMARK(BM_GenerateAgainstMma)->DenseRange(0, std::size(feels) - 1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
