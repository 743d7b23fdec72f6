// "zub play" plays the accompaniment of a chart through the sound system with
// a one-line display of the bar, the chord and the time. Ctrl+C stops it.
#include <CLI/CLI.hpp>

#include <memory>

#include "apps/zub/command.h"
#include "apps/zub/playback_runs.h"
#include "playback/sound_device.h"

namespace zub::cli {

namespace {

Action declare_play(CLI::App& command) {
    auto options = std::make_shared<Play_request>();
    add_playback_options(command, options->playback);
    command.add_option("--from", options->from_bar, "start at this bar of the chart, after the count-in")
        ->type_name("BAR")
        ->check(CLI::PositiveNumber)
        ->excludes("--bars");
    command.add_flag("--loop", options->looping, "from the end of the last bar, back to the start (or --from or --bars) until stopped")
        ->excludes("--passes");
    command.add_option("--driver", options->driver, "the audio driver")
        ->type_name("auto|pulseaudio|jack|alsa")
        ->check(CLI::IsMember(playback::audio_driver_names()));
    command.add_flag("--no-autoconnect", options->no_autoconnect, "with JACK, leave our outputs unconnected");
    auto* midi_out = command.add_option("--midi-out", options->midi_out, "send the accompaniment as MIDI too")
                         ->type_name("jack|alsa")
                         ->check(CLI::IsMember({"jack", "alsa"}));
    command.add_option("--connect", options->connect, "the MIDI port to connect MIDI out to")
        ->type_name("PORT")
        ->needs(midi_out);
    command.add_flag("--no-synth", options->no_synth, "MIDI out alone, without the built-in synth")->needs(midi_out);
    return [options](Io io) { return run_playback(io, &Playback_runs::play, *options); };
}

}  // namespace

const Command play_command = {
    "play",
    "FILE [--song N] [--seed N] [--from BAR | --bars FIRST-LAST] [--loop | --passes N] [--tempo BPM]\n"
    "       [--tempo-step BPM] [--count-in 0|1|2] [--count-in-each-pass] [--driver NAME] [--soundfont PATH]\n"
    "       [--midi-out jack|alsa [--connect PORT] [--no-synth]]",
    "play the accompaniment of a chart",
    "Plays the accompaniment of 'zub midi' through the sound system, showing the\n"
    "bar, the chord and the time; Ctrl+C stops. The tempo trainer: --bars 17-24\n"
    "--passes 4 --tempo 120 --tempo-step 20 plays bars 17 to 24 four times, at 120,\n"
    "140, 160 and 180 bpm, after the count-in. --driver chooses the audio driver;\n"
    "auto is $ZUB_AUDIO_DRIVER when set (with 'file', $ZUB_AUDIO_FILE receives the\n"
    "sound), else PulseAudio, then ALSA. With JACK our outputs are connected to the\n"
    "system's playback ports (not with --no-autoconnect). --midi-out sends the\n"
    "accompaniment as MIDI (piano channel 1, bass 2, drums 10) to a JACK MIDI port\n"
    "or an ALSA sequencer port, connected to --connect PORT, besides the built-in\n"
    "synth or, with --no-synth, instead. The SoundFont is found as for 'zub render'.\n",
    declare_play};

}  // namespace zub::cli
