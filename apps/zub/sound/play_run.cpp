// The work of "zub play": the accompaniment through the sound system with a
// one-line display of the bar, the chord and the time; Ctrl+C stops it.
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
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

// "bar 3  beat 2  pass 2/3  F7  0:12" or "count-in 1  beat 1  0:00".
std::string display_line(const playback::Accompaniment& accompaniment, int tick, double tempo) {
    const playback::Played_position at = accompaniment.time_map.at_tick(tick);
    const int seconds = static_cast<int>(tick / double(accompaniment.time_map.ticks_per_beat()) * 60.0 / tempo);
    char time[16];
    std::snprintf(time, sizeof time, "%d:%02d", seconds / 60, seconds % 60);
    std::string line = (at.count_in ? "count-in " : "bar ") + std::to_string(at.bar) +
                       "  beat " + std::to_string(at.slot + 1);
    if (at.pass > 0 && at.passes > 1) line += "  pass " + std::to_string(at.pass) + "/" + std::to_string(at.passes);
    if (!at.count_in) line += "  " + sounding_chord(accompaniment, at);
    return line + "  " + time;
}

// On a terminal the line is redrawn in place; elsewhere each new bar gets a line of its own.
void follow(const playback::Live_player& player, const playback::Accompaniment& accompaniment, double tempo,
            Io io) {
    const bool terminal = io.out.rdbuf() == std::cout.rdbuf() && ::isatty(STDOUT_FILENO);
    std::string shown;
    while (player.playing() && !interrupted) {
        const int tick = player.tick();
        if (tick < 0) {  // not sounding yet
            std::this_thread::sleep_for(1ms);
            continue;
        }
        std::string line = display_line(accompaniment, tick, tempo);
        if (terminal) {
            io.out << "\r" << line << "\033[K" << std::flush;
        } else if (line.substr(0, line.find("  beat")) != shown.substr(0, shown.find("  beat"))) {
            io.out << line << "\n";
        }
        shown = std::move(line);
        std::this_thread::sleep_for(terminal ? 40ms : 5ms);
    }
    if (terminal) io.out << "\n";
}

}  // namespace

int run_play(const Play_request& options, Io io) {
    return with_accompaniment(options.playback, io, [&](const playback::Accompaniment& accompaniment,
                                                        const std::string& soundfont) {
        playback::start_tick(accompaniment, options.from_bar);  // a bad --from fails before the long load
        playback::Live_player player(soundfont);
        const double tempo = options.playback.tempo_bpm > 0 ? options.playback.tempo_bpm : accompaniment.tempo;
        Interrupt_guard guard;
        playback::Play_options play;
        play.from_bar = options.from_bar;
        play.looping = options.looping;
        play.tempo_bpm = options.playback.tempo_bpm;
        player.play(accompaniment, play);
        io.err << "seed " << accompaniment.seed << "\n";
        follow(player, accompaniment, tempo, io);
        // The last notes ring out unless the player was stopped.
        if (!interrupted) std::this_thread::sleep_for(1s);
        player.stop();
    });
}

}  // namespace zub::cli
