// What "zub render" and "zub play" share: the chart, --seed, --tempo and
// --soundfont, and one way of reporting their failures.
#pragma once

#include <functional>
#include <string>

#include "apps/zub/command.h"
#include "playback/accompaniment.h"

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

// Finds the SoundFont, opens the chart and generates its accompaniment, then
// runs play with them; returns exit_ok, or exit_failed after one line on
// io.err: "ZUB cannot generate accompaniment for this chart (...)" for the
// chart, or the playback failure's own message.
int with_accompaniment(const Playback_options& options, Io io,
                       const std::function<void(const playback::Accompaniment&, const std::string& soundfont)>& play);

}  // namespace zub::cli
