// "zub play" plays the accompaniment of a chart through the sound system with
// a one-line display of the bar, the chord and the time. Ctrl+C stops it.
#include <CLI/CLI.hpp>

#include <memory>

#include "apps/zub/command.h"
#include "apps/zub/playback_runs.h"

namespace zub::cli {

namespace {

Action declare_play(CLI::App& command) {
    auto options = std::make_shared<Play_request>();
    add_playback_options(command, options->playback);
    command.add_option("--from", options->from_bar, "start at this bar of the chart, after the count-in")
        ->type_name("BAR")
        ->check(CLI::PositiveNumber);
    command.add_flag("--loop", options->looping, "from the end of the last bar, back to the start (or --from) until stopped");
    return [options](Io io) { return run_playback(io, &Playback_runs::play, *options); };
}

}  // namespace

const Command play_command = {
    "play", "FILE [--song N] [--seed N] [--from BAR] [--loop] [--tempo BPM] [--soundfont PATH]",
    "play the accompaniment of a chart",
    "Plays the accompaniment of 'zub midi' through the sound system, showing the\n"
    "bar, the chord and the time; Ctrl+C stops. The audio driver is $ZUB_AUDIO_DRIVER\n"
    "when set (with 'file', $ZUB_AUDIO_FILE receives the sound), else PulseAudio,\n"
    "then ALSA. The SoundFont is found as for 'zub render'.\n",
    declare_play};

}  // namespace zub::cli
