// Live playback through FluidSynth's audio driver. The driver is chosen by
// ZUB_AUDIO_DRIVER when set (with "file", ZUB_AUDIO_FILE names the file that
// receives what would be heard), else PulseAudio, which PipeWire desktops
// serve, then ALSA. The synth and the driver are made once and kept; each
// play() starts a new player on them. The position is an atomic written on
// the audio thread, which callers read from their own timer.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "playback/accompaniment.h"
#include "playback/synth.h"

typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace zub::playback {

struct Play_options {
    std::optional<int> from_bar;  // a chart bar to start at (its first playing); none: the count-in
    bool looping = false;  // from from_bar (or the count-in) to the end of loop_last_bar, until stopped
    double tempo_bpm = 0;  // 0: the chart's tempo
    Mutes mutes;
    std::optional<int> loop_last_bar;  // the last chart bar of the loop; none: the last bar played
    std::optional<int> from_tick;      // the tick to start at instead of from_bar (a resumed pause)
};

// start_tick(accompaniment, 3) -> the tick where chart bar 3 first sounds;
// 0 for none (the count-in). Playback_error "Bar 40 is not played (the chart has 32 bars)".
int start_tick(const Accompaniment& accompaniment, std::optional<int> from_bar);

// The ticks a loop jumps between: from where first_bar first sounds (the
// count-in for none) to the end of last_bar's first playing after it (the end
// of the last bar played for none). loop_ticks(a, 3, 4) -> {tick of bar 3, tick of bar 5}.
// Playback_error as start_tick, and "Bar 2 is played before bar 3" for a loop that ends before it starts.
struct Loop_ticks {
    int start, end;
    bool operator==(const Loop_ticks&) const = default;
};
Loop_ticks loop_ticks(const Accompaniment& accompaniment, std::optional<int> first_bar, std::optional<int> last_bar);

class Live_player {
public:
    // Loads the SoundFont (about a second for an .sf3) and opens the sound
    // device. Playback_error "No sound device: ..." when no driver opens.
    explicit Live_player(const std::string& soundfont);
    ~Live_player();
    Live_player(const Live_player&) = delete;
    Live_player& operator=(const Live_player&) = delete;

    // Stops what plays and plays the accompaniment; Playback_error from start_tick.
    void play(const Accompaniment& accompaniment, const Play_options& options);
    void stop();
    // True from play() until the last bar has been played (never while looping) or stop().
    bool playing() const;
    // The player's position in ticks (480 a beat from the first click of the
    // count-in); -1 until the first block of a play() has been rendered, and when stopped.
    int tick() const;
    void set_mutes(Mutes mutes);
    // set_tempo(90) plays on at 90 beats a minute from the next block; 0 for the chart's tempo.
    void set_tempo(double tempo_bpm);
    // set_volume(0.5) halves the level; 1 is the level a rendered file has. Clamped to 0 to 2.
    void set_volume(double volume);

private:
    Synth synth_;
    double full_gain_ = 0;  // the synth's gain at volume 1
    fluid_audio_driver_t* driver_ = nullptr;
    std::unique_ptr<Midi_playback> playback_;
};

}  // namespace zub::playback
