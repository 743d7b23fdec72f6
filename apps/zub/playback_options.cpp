#include "apps/zub/playback_options.h"

#include <CLI/CLI.hpp>

#include "apps/zub/seed_option.h"
#include "apps/zub/song_option.h"

namespace zub::cli {

void add_playback_options(CLI::App& command, Playback_options& options) {
    command.add_option("FILE", options.file, "the chart file")->required();
    add_song_option(command, options.song);
    add_seed_option(command, options.seed_text);
    command.add_option("--tempo", options.tempo_bpm, "beats a minute, instead of the chart's tempo")
        ->type_name("BPM")
        ->check(CLI::Range(20.0, 400.0));
    command.add_option("--soundfont", options.soundfont, "the General MIDI SoundFont to play with")
        ->type_name("PATH");
}

}  // namespace zub::cli
