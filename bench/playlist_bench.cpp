// iReal Pro playlists the size of the big shared ones (1,460 songs): listed and
// converted to chart documents by the zub tool as a whole process, and through
// the same bridge calls in-process; one 32-bar chart exported as a link.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bridge/chart_document.h"
#include "bridge/entry_points.h"
#include "bridge/my_constants.h"
#include "bridge/playlist.h"
#include "process_run.h"

namespace {

namespace fs = std::filesystem;

constexpr int playlist_songs = 1460;

const zub::Plist& font() { return zub::MyConstants::shared().newDocumentChartTemplate().at("Font"); }

// A 32-bar tune in AABA form, one or two chords a bar, every tenth a waltz.
std::string text_chart(int number, std::mt19937& random) {
    static const char* const chords[] = {"C7", "F7", "Bb7", "Cm7", "Gm7", "Am7b5", "D7b9", "Ebdim7",
                                         "F6", "Bb",  "Gm",  "FMaj7", "Dm7", "E7#9",  "A7",   "Bbm6"};
    std::uniform_int_distribution<int> chord(0, 15), split(0, 2);
    const bool waltz = number % 10 == 0;
    std::string text = "Name: Tune " + std::to_string(number) + "\nMeter: " + (waltz ? "3/4" : "4/4") +
                       "\nKey: F\nTempo: 160\nChorus: bars 1 to 32 (repeat 3 times)\nSections: 1A 9A 17B 25A\n";
    for (int bar = 0; bar < 32; ++bar) {
        text += "| ";
        text += chords[chord(random)];
        if (!waltz && split(random) == 0) text += std::string(" ") + chords[chord(random)];
        text += bar % 4 == 3 ? " |\n" : " ";
    }
    return text;
}

std::vector<zub::Plist> generated_charts(int count) {
    std::mt19937 random(1460);
    std::vector<zub::Plist> charts;
    for (int number = 1; number <= count; ++number)
        charts.push_back(zub::Entry_points::kelreader_read_chart(text_chart(number, random), font()));
    return charts;
}

// The playlist page, written once per run by our own writer.
const std::string& playlist_file() {
    static const std::string path = [] {
        const fs::path file = fs::temp_directory_path() / ("zub-bench-" + std::to_string(::getpid()) + "-1460.html");
        zub::writeFileAtomically(file.string(), zub::irealHtml(generated_charts(playlist_songs), "Generated"));
        return file.string();
    }();
    return path;
}

// Runs the built zub with args, its output thrown away; false unless it exits 0.
bool run_zub(std::vector<std::string> args) {
    args.insert(args.begin(), ZUB_CLI_BINARY);
    return zub::bench::run_process(std::move(args));
}

void BM_ZubListPlaylist(benchmark::State& state) {
    const std::string& file = playlist_file();
    for (auto _ : state)
        if (!run_zub({"list", file})) state.SkipWithError("zub list failed");
    state.SetItemsProcessed(state.iterations() * playlist_songs);
}
BENCHMARK(BM_ZubListPlaylist)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ZubConvertPlaylistToFolder(benchmark::State& state) {
    const std::string& file = playlist_file();
    const fs::path folder = fs::temp_directory_path() / ("zub-bench-" + std::to_string(::getpid()) + "-songs");
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(folder);
        state.ResumeTiming();
        if (!run_zub({"convert", file, folder.string() + "/"})) state.SkipWithError("zub convert failed");
    }
    fs::remove_all(folder);
    state.SetItemsProcessed(state.iterations() * playlist_songs);
}
BENCHMARK(BM_ZubConvertPlaylistToFolder)->Unit(benchmark::kMillisecond)->UseRealTime();

// What zub list does in-process: the file read, every song decoded and made a chart.
void BM_ListPlaylist(benchmark::State& state) {
    const std::string& file = playlist_file();
    for (auto _ : state) benchmark::DoNotOptimize(zub::listChartFile(file, font()));
    state.SetItemsProcessed(state.iterations() * playlist_songs);
}
BENCHMARK(BM_ListPlaylist)->Unit(benchmark::kMillisecond);

// Every song as a chart dictionary, the part of converting before the file's bytes.
void BM_PlaylistToCharts(benchmark::State& state) {
    const std::string& file = playlist_file();
    for (auto _ : state) {
        const std::optional<zub::Playlist> playlist = zub::openPlaylist(file);
        for (std::size_t number = 1; number <= playlist->size(); ++number)
            benchmark::DoNotOptimize(playlist->chart(number, font()));
    }
    state.SetItemsProcessed(state.iterations() * playlist_songs);
}
BENCHMARK(BM_PlaylistToCharts)->Unit(benchmark::kMillisecond);

// What zub convert does before writing: every song as the bytes of its chart document.
void BM_PlaylistToDocumentBytes(benchmark::State& state) {
    const std::string& file = playlist_file();
    for (auto _ : state) {
        const std::optional<zub::Playlist> playlist = zub::openPlaylist(file);
        for (std::size_t number = 1; number <= playlist->size(); ++number)
            benchmark::DoNotOptimize(zub::chartDocumentBytes(playlist->chart(number, font())));
    }
    state.SetItemsProcessed(state.iterations() * playlist_songs);
}
BENCHMARK(BM_PlaylistToDocumentBytes)->Unit(benchmark::kMillisecond);

void BM_IrealLinkOf32Bars(benchmark::State& state) {
    const std::vector<zub::Plist> chart = generated_charts(1);
    for (auto _ : state) benchmark::DoNotOptimize(zub::irealLink(chart, ""));
}
BENCHMARK(BM_IrealLinkOf32Bars)->Unit(benchmark::kMicrosecond);

}  // namespace
