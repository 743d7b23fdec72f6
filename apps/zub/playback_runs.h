// The work of "zub render" and "zub play", which needs the synthesizer and the
// audio libraries. Loading those takes most of a command's start (about 25 ms),
// so zub loads this work as a module the first time a playback command runs;
// tests and fuzzers link it in. The command declarations stay in zub itself.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "apps/zub/command.h"
#include "apps/zub/playback_options.h"

namespace zub::cli {

struct Render_request {
    Playback_options playback;
    std::string output;
    std::vector<std::string> muted;  // "drums", "piano", "bass"
};

struct Play_request {
    Playback_options playback;
    std::optional<int> from_bar;  // none: from the count-in
    bool looping = false;
    std::string driver = "auto";  // auto, pulseaudio, jack, alsa
    bool no_autoconnect = false;  // JACK: leave our outputs unconnected
    std::string midi_out;         // "jack" or "alsa"; "" for none
    std::string connect;          // the port MIDI out connects to
    bool no_synth = false;        // MIDI out alone
};

struct Playback_runs {
    int (*render)(const Render_request& request, Io io);
    int (*play)(const Play_request& request, Io io);
};

// The playback work, or nullptr with the reason in failure when the module cannot be loaded.
const Playback_runs* playback_runs(std::string& failure);

// run_playback(io, &Playback_runs::render, request) runs the work, or says on
// io.err why it cannot be loaded and returns exit_failed.
template <typename Request>
int run_playback(Io io, int (*Playback_runs::*run)(const Request&, Io), const Request& request) {
    std::string failure;
    const Playback_runs* runs = playback_runs(failure);
    if (!runs) {
        io.err << failure << "\n";
        return exit_failed;
    }
    return (runs->*run)(request, io);
}

}  // namespace zub::cli
