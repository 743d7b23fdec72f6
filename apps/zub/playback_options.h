// What "zub render" and "zub play" share: the chart, --song, --seed, --tempo,
// --soundfont, and the tempo trainer's --bars, --passes, --tempo-step and --count-in.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "apps/zub/command.h"

namespace zub::cli {

struct Playback_options {
    std::string file;
    std::size_t song = 0;   // 0: the file's only song
    std::string seed_text;  // empty: the generator's own seed
    double tempo_bpm = 0;   // 0: the chart's tempo; the first pass's with --passes
    std::string soundfont;  // empty: found as find_soundfont says
    std::string bars;       // "17-24" or "5": the bars to play (the trainer's loop); empty: the whole chart
    int passes = 0;         // 0: once, or until stopped with --loop
    double tempo_step_bpm = 0;
    int count_in_bars = 2;
    bool count_in_each_pass = false;
};

// bar_range_of("17-24") -> {17, 24}; bar_range_of("5") -> {5, 5}; none for
// "24-17", "0-3", "x" (bars count from 1, the first not after the last).
std::optional<std::pair<int, int>> bar_range_of(const std::string& text);

// Declares FILE, --song N, --seed N, --tempo BPM, --soundfont PATH, --bars
// FIRST-LAST, --passes N, --tempo-step BPM, --count-in 0|1|2 and --count-in-each-pass on command.
void add_playback_options(CLI::App& command, Playback_options& options);

}  // namespace zub::cli
