// The work of "zub render": the accompaniment through the SoundFont
// synthesizer into an audio file, with a progress bar on a terminal.
#include <unistd.h>

#include <iostream>

#include "apps/zub/sound/accompaniment_run.h"
#include "apps/zub/sound/runs.h"
#include "playback/render.h"

namespace zub::cli {

namespace {

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

}  // namespace

int run_render(const Render_request& options, Io io) {
    // Only a terminal gets the bar: a log or a pipe would fill with carriage returns.
    const bool show_progress = io.err.rdbuf() == std::cerr.rdbuf() && ::isatty(STDERR_FILENO);
    return with_accompaniment(options.playback, io, [&](const playback::Accompaniment& accompaniment,
                                                        const std::string& soundfont) {
        playback::Render_options render{soundfont, play_options_of(options.playback)};
        render.play.mutes = mutes_of(options.muted);
        const auto progress = [&](double done) { return draw_progress(io.err, done); };
        playback::render(accompaniment, render, options.output,
                         show_progress ? playback::Render_progress(progress) : playback::Render_progress());
        if (show_progress) io.err << "\n";
        io.err << "seed " << accompaniment.seed << "\n";
    });
}

}  // namespace zub::cli
