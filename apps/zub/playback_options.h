// What "zub render" and "zub play" share: the chart, --song, --seed, --tempo and --soundfont.
#pragma once

#include <string>

#include "apps/zub/command.h"

namespace zub::cli {

struct Playback_options {
    std::string file;
    std::size_t song = 0;   // 0: the file's only song
    std::string seed_text;  // empty: the generator's own seed
    double tempo_bpm = 0;   // 0: the chart's tempo
    std::string soundfont;  // empty: found as find_soundfont says
};

// Declares FILE, --song N, --seed N, --tempo BPM and --soundfont PATH on command.
void add_playback_options(CLI::App& command, Playback_options& options);

}  // namespace zub::cli
