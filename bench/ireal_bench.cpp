// iReal Pro playlists: reading a forum-sized playlist of 1,460 songs (decoding,
// splitting, unscrambling and charting every song, as "zub list" does) and
// exporting a 32-bar chart as a link and as the app's HTML page.
#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

#include "core/charts/ireal_link.h"
#include "core/charts/ireal_playlist.h"
#include "core/failure.h"

namespace {

// Hand-written forms with repeats, endings, bar repeats and a D.C. al Coda.
const char* const written_forms[] = {
    "{*AT44C^7 A-7 |D-7 G7 | x  |E-7 A7 |N1D-7 G7 |C^7   }|N2D-7 G7 |C6   ][*BG-7 C7 |F^7   |r|  "
    "|D-7 G7 <D.C. al Coda>Q]Y[QC^7 |A7b9 |D-9 G13 |C6   Z",
    "[*iT34Eb  |Ab  ][*AS{T34C-7  |F7  |Bb^7  |Eb^7  |Ah7  |D7b9  |N1G-  | x  }|N2G-6  |C7alt  "
    "<D.S. al Fine>Z",
    "[*AT44F7   |Bb7   |F7   | x  |Bb7   | x  |F7   |D7#9   |G-7   |C7   |F7 D7 |G-7 C7 Z",
};

const char* const chords[] = {"Cm7", "F7", "BbMaj7", "EbMaj7", "Am7b5", "D7b9", "Gm6", "G7alt", "C13", "Fm9", "Bb7#11", "E7#9"};

zub::Ireal_chart chart_of_bars(int bars, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    std::vector<zub::Chart::Bar> chart_bars;
    for (int k = 0; k < bars; ++k) {
        if (pick(2) == 0)
            chart_bars.push_back({{chords[pick(12)], 4}});
        else
            chart_bars.push_back({{chords[pick(12)], 2}, {chords[pick(12)], 2}});
    }
    std::vector<zub::Chart::Section> sections{{1, 'A'}, {9, 'A'}, {17, 'B'}, {25, 'A'}};
    zub::Chart chart("Standard " + std::to_string(seed), {4, 1}, "Bb", 160, std::move(chart_bars), {1, bars, 3},
                     std::move(sections));
    return {std::move(chart), "Jones Sam"};
}

// Songs of 32 bars written by our writer, every fourth one a hand-written form.
std::string playlist_link(int songs) {
    std::vector<zub::Ireal_chart> charts;
    for (int k = 0; k < songs; ++k) charts.push_back(chart_of_bars(32, static_cast<unsigned>(k)));
    std::string body = zub::Ireal_link::percent_decode(zub::ireal_link(charts, "Forum Standards").substr(9));
    std::string written;
    for (int k = 0; k < songs / 4; ++k) {
        written += "Written " + std::to_string(k) + "=Last First==Medium Swing=Eb==" +
                   zub::Ireal_link::scramble(written_forms[k % 3]) + "==0=0===";
    }
    return "irealb://" + zub::Ireal_link::percent_encode(written + body);
}

void BM_ReadAndChartPlaylist(benchmark::State& state) {
    const std::string text = playlist_link(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto playlist = zub::read_ireal_playlist(text);
        int bars = 0;
        for (const auto& song : playlist.songs)
            bars += static_cast<int>(zub::chart_of_ireal_song(std::get<zub::Ireal_song>(song)).chart.bars().size());
        benchmark::DoNotOptimize(bars);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadAndChartPlaylist)->Arg(1168)->Unit(benchmark::kMillisecond);  // 1,168 + 292 written = 1,460 songs

void BM_ReadPlaylistOnly(benchmark::State& state) {
    const std::string text = playlist_link(static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(zub::read_ireal_playlist(text));
}
BENCHMARK(BM_ReadPlaylistOnly)->Arg(1168)->Unit(benchmark::kMillisecond);

void BM_ExportChart(benchmark::State& state, bool html) {
    const std::vector<zub::Ireal_chart> charts{chart_of_bars(32, 7)};
    for (auto _ : state) benchmark::DoNotOptimize(html ? zub::ireal_html(charts, "") : zub::ireal_link(charts, ""));
}
BENCHMARK_CAPTURE(BM_ExportChart, link, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ExportChart, html, true)->Unit(benchmark::kMicrosecond);

}  // namespace
