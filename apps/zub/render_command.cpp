// "zub render" renders the accompaniment of a chart to an audio file, faster
// than real time: the notes of "zub midi" with the same seed, through the
// SoundFont synthesizer. A progress bar shows on standard error when that is a terminal.
#include <CLI/CLI.hpp>

#include <memory>

#include "apps/zub/command.h"
#include "apps/zub/playback_runs.h"
#include "playback/audio_format.h"

namespace zub::cli {

namespace {

Action declare_render(CLI::App& command) {
    auto options = std::make_shared<Render_request>();
    add_playback_options(command, options->playback);
    command.add_option("-o", options->output, "the audio file to write: .wav, .flac or .ogg")
        ->type_name("OUT")
        ->required()
        ->check(CLI::Validator(
            [](const std::string& path) {
                return playback::audio_format_of(path) ? std::string() : "wants .wav, .flac or .ogg, not '" + path + "'";
            },
            "", "OUT"));
    command.add_option("--mute", options->muted, "tracks to leave silent")
        ->type_name("drums,piano,bass")
        ->delimiter(',')
        ->check(CLI::IsMember({"drums", "piano", "bass"}));
    return [options](Io io) { return run_playback(io, &Playback_runs::render, *options); };
}

}  // namespace

const Command render_command = {
    "render",
    "FILE [--song N] -o OUT.wav|.flac|.ogg [--seed N] [--mute drums,piano,bass] [--tempo BPM]\n"
    "       [--bars FIRST-LAST] [--passes N] [--tempo-step BPM] [--count-in 0|1|2] [--count-in-each-pass]\n"
    "       [--soundfont PATH]",
    "render the accompaniment of a chart to an audio file",
    "Plays the accompaniment of 'zub midi' (the same seed gives the same notes and\n"
    "the same samples) through a General MIDI SoundFont into a 16-bit WAV or FLAC\n"
    "file or an Ogg Vorbis file, count-in first. --mute silences tracks (the count-in\n"
    "is on the drum track). The file holds what 'zub play' with the same options\n"
    "plays: --bars 17-24 --passes 4 --tempo 120 --tempo-step 20 renders the four\n"
    "passes at 120, 140, 160 and 180 bpm. The SoundFont is --soundfont PATH, else $ZUB_SOUNDFONT,\n"
    "else /usr/share/sounds/sf3/default-GM.sf3 or /usr/share/sounds/sf2/default-GM.sf2\n"
    "(Debian package musescore-general-soundfont-small). A failure leaves no file.\n",
    declare_render};

}  // namespace zub::cli
