// The work of "zub play": the accompaniment through the sound system with a
// one-line display of the bar, the chord and the time; Ctrl+C stops it.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <thread>

#include "apps/zub/sound/accompaniment_run.h"
#include "apps/zub/sound/runs.h"
#include "playback/live_player.h"

namespace zub::cli {

namespace {

using namespace std::chrono_literals;

volatile std::sig_atomic_t interrupted = 0;

// Ctrl+C ends the display loop, which then stops the player: the handler only sets a flag.
class Interrupt_guard {
public:
    Interrupt_guard() {
        interrupted = 0;
        struct sigaction action {};
        action.sa_handler = [](int) { interrupted = 1; };
        ::sigaction(SIGINT, &action, &previous_);
    }
    ~Interrupt_guard() { ::sigaction(SIGINT, &previous_, nullptr); }

private:
    struct sigaction previous_ {};
};

// The chord sounding at a position: the last one that starts there or before,
// walking back through the bars as they are played.
std::string sounding_chord(const playback::Accompaniment& accompaniment, const playback::Played_position& at) {
    const Plist::Array& bars = accompaniment.chart.array_at("Chords");
    int slot = at.slot;
    for (int played = at.played; played >= 0; --played, slot = -1) {
        const Plist::Array& chords = bars.at(accompaniment.time_map.chart_bar_of(played) - 1).array_at("Chords");
        if (slot < 0 || slot >= static_cast<int>(chords.size())) slot = static_cast<int>(chords.size()) - 1;
        for (; slot >= 0; --slot)
            if (!chords[slot].as_string().empty()) return chords[slot].as_string();
    }
    return "";
}

// What the display shows besides the position: the trainer's pass and tempo.
struct Trainer_state {
    int pass = 0, passes = 0;  // passes 0: no trainer
    double tempo_bpm = 0;
};

// "bar 3  beat 2  pass 2/3  F7  0:12", "count-in 1  beat 1  0:00", and with
// the trainer "bar 17  beat 1  F7  trainer 2/4 at 140 bpm  0:31".
std::string display_line(const playback::Accompaniment& accompaniment, int tick, const Trainer_state& trainer,
                         double seconds_played) {
    const playback::Played_position at = accompaniment.time_map.at_tick(tick);
    const int seconds = static_cast<int>(seconds_played);
    char time[16];
    std::snprintf(time, sizeof time, "%d:%02d", seconds / 60, seconds % 60);
    std::string line = (at.count_in ? "count-in " : "bar ") + std::to_string(at.bar) +
                       "  beat " + std::to_string(at.slot + 1);
    if (at.pass > 0 && at.passes > 1) line += "  pass " + std::to_string(at.pass) + "/" + std::to_string(at.passes);
    if (!at.count_in) line += "  " + sounding_chord(accompaniment, at);
    if (trainer.passes > 0) {
        char tempo[64];
        std::snprintf(tempo, sizeof tempo, "  trainer %d/%d at %.0f bpm", trainer.pass, trainer.passes,
                      trainer.tempo_bpm);
        line += tempo;
    }
    return line + "  " + time;
}

// On a terminal the line is redrawn in place; elsewhere each new bar gets a line of its own.
void follow(const playback::Live_player& player, const playback::Accompaniment& accompaniment, int passes, Io io) {
    const bool terminal = io.out.rdbuf() == std::cout.rdbuf() && ::isatty(STDOUT_FILENO);
    std::string shown;
    std::optional<std::chrono::steady_clock::time_point> started;
    while (player.playing() && !interrupted) {
        const int tick = player.tick();
        if (tick < 0) {  // not sounding yet
            std::this_thread::sleep_for(1ms);
            continue;
        }
        const auto now = std::chrono::steady_clock::now();
        if (!started) started = now;
        const Trainer_state trainer{player.pass(), passes, player.tempo_bpm()};
        std::string line =
            display_line(accompaniment, tick, trainer, std::chrono::duration<double>(now - *started).count());
        // A new bar, or the same bar in the trainer's next pass.
        std::string bar = line.substr(0, line.find("  beat")) + " " + std::to_string(trainer.pass);
        if (terminal)
            io.out << "\r" << line << "\033[K" << std::flush;
        else if (bar != shown)
            io.out << line << "\n";
        shown = std::move(bar);
        std::this_thread::sleep_for(terminal ? 40ms : 5ms);
    }
    if (terminal) io.out << "\n";
}

}  // namespace

int run_play(const Play_request& options, Io io) {
    return with_accompaniment(options.playback, io, [&](const playback::Accompaniment& accompaniment,
                                                        const std::string& soundfont) {
        playback::Play_options play = play_options_of(options.playback, options.looping);
        if (options.from_bar) play.from_bar = options.from_bar;
        playback::schedule_of(accompaniment, play);  // bad bars fail before the long load
        playback::Sound_output output;
        output.driver = options.no_synth ? "none" : options.driver;
        output.jack_autoconnect = !options.no_autoconnect;
        output.midi_out = options.midi_out;
        output.midi_connect = options.connect;
        playback::Live_player player(soundfont, output);
        if (!options.midi_out.empty()) io.err << "MIDI out: " << player.midi_port() << "\n";
        Interrupt_guard guard;
        player.play(accompaniment, play);
        io.err << "seed " << accompaniment.seed << "\n";
        follow(player, accompaniment, play.passes, io);
        // The last notes ring out unless the player was stopped.
        if (!interrupted) std::this_thread::sleep_for(1s);
        player.stop();
    });
}

}  // namespace zub::cli
