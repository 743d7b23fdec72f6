// "zub render" renders the accompaniment of a chart to an audio file, faster
// than real time: the notes of "zub midi" with the same seed, through the
// SoundFont synthesizer. A progress bar shows on standard error when that is a terminal.
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <iostream>
#include <memory>

#include "apps/zub/command.h"
#include "apps/zub/playback_options.h"
#include "playback/audio_file.h"
#include "playback/render.h"

namespace zub::cli {

namespace {

struct Options {
    Playback_options playback;
    std::string output;
    std::vector<std::string> muted;  // "drums", "piano", "bass"
};

playback::Mutes mutes_of(const std::vector<std::string>& tracks) {
    playback::Mutes mutes;
    for (const std::string& track : tracks) {
        mutes.drums |= track == "drums";
        mutes.piano |= track == "piano";
        mutes.bass |= track == "bass";
    }
    return mutes;
}

// "[#########-----------]  45%" redrawn in place.
bool draw_progress(std::ostream& err, double done) {
    constexpr int width = 30;
    const int filled = static_cast<int>(done * width);
    err << "\r[" << std::string(filled, '#') << std::string(width - filled, '-') << "] "
        << static_cast<int>(done * 100) << "%" << std::flush;
    return true;
}

int render(const Options& options, Io io) {
    // Only a terminal gets the bar: a log or a pipe would fill with carriage returns.
    const bool show_progress = io.err.rdbuf() == std::cerr.rdbuf() && ::isatty(STDERR_FILENO);
    return with_accompaniment(options.playback, io, [&](const playback::Accompaniment& accompaniment,
                                                        const std::string& soundfont) {
        const playback::Render_options render{soundfont, mutes_of(options.muted), options.playback.tempo_bpm};
        const auto progress = [&](double done) { return draw_progress(io.err, done); };
        playback::render(accompaniment, render, options.output,
                         show_progress ? playback::Render_progress(progress) : playback::Render_progress());
        if (show_progress) io.err << "\n";
        io.err << "seed " << accompaniment.seed << "\n";
    });
}

Action declare_render(CLI::App& command) {
    auto options = std::make_shared<Options>();
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
    return [options](Io io) { return render(*options, io); };
}

}  // namespace

const Command render_command = {
    "render", "FILE [--song N] -o OUT.wav|.flac|.ogg [--seed N] [--mute drums,piano,bass] [--tempo BPM] [--soundfont PATH]",
    "render the accompaniment of a chart to an audio file",
    "Plays the accompaniment of 'zub midi' (the same seed gives the same notes and\n"
    "the same samples) through a General MIDI SoundFont into a 16-bit WAV or FLAC\n"
    "file or an Ogg Vorbis file, count-in first. --mute silences tracks (the count-in\n"
    "is on the drum track). The SoundFont is --soundfont PATH, else $ZUB_SOUNDFONT,\n"
    "else /usr/share/sounds/sf3/default-GM.sf3 or /usr/share/sounds/sf2/default-GM.sf2\n"
    "(Debian package musescore-general-soundfont-small). A failure leaves no file.\n",
    declare_render};

}  // namespace zub::cli
