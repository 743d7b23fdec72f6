// Live playback through a sound device (see sound_device.h), and MIDI out
// (see midi_port.h) besides or instead. The synth, the device and the port
// are made once and kept; each play() starts a new sequencer on each, which
// its audio thread advances period by period. The position, the pass and the
// tempo are read back from any thread.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "playback/accompaniment.h"
#include "playback/midi_port.h"
#include "playback/schedule.h"
#include "playback/sound_device.h"
#include "playback/synth.h"

namespace zub::playback {

class Sequencer;

class Live_player {
public:
    // Opens the MIDI port and the sound device, then loads the SoundFont (about
    // a second for an .sf3); driver "none" opens no device and loads nothing.
    // Playback_error "No sound device: ..." or "No MIDI out: ..." when they do not open.
    explicit Live_player(const std::string& soundfont, const Sound_output& output = {});
    ~Live_player();
    Live_player(const Live_player&) = delete;
    Live_player& operator=(const Live_player&) = delete;

    // Stops what plays and plays the accompaniment; Playback_error from schedule_of.
    void play(const Accompaniment& accompaniment, const Play_options& options);
    // Every sounding note gets its note-off.
    void stop();
    // True from play() until the schedule has been played (never while looping) or stop().
    bool playing() const;
    // The player's position in ticks (480 a beat from the first click of the
    // count-in); -1 until the first block of a play() has been rendered, and when stopped.
    int tick() const;
    // The trainer's pass sounding, from 1; 0 outside the trainer and when stopped.
    int pass() const;
    // The tempo sounding in beats a minute; 0 when stopped.
    double tempo_bpm() const;
    void set_mutes(Mutes mutes);
    // set_tempo(90) plays on at 90 beats a minute from the next block; 0 for
    // the chart's tempo. The trainer's passes keep their own tempos.
    void set_tempo(double tempo_bpm);
    // set_volume(0.5) halves the level; 1 is the level a rendered file has. Clamped to 0 to 2.
    void set_volume(double volume);
    // The driver that opened: "pulseaudio", "jack", "alsa", "file", or "none".
    std::string driver() const { return device_ ? device_->driver() : "none"; }
    // The MIDI port's name ("zubaroo-midi:midi_out", "128:0"); "" without MIDI out.
    std::string midi_port() const;

private:
    static int on_audio(void* self, int frames, int nfx, float* fx[], int nout, float* out[]);
    std::shared_ptr<Sequencer> current() const;

    Synth synth_;
    double full_gain_ = 0;  // the synth's gain at volume 1
    int chart_bpm_ = 0;     // of what plays
    mutable std::mutex mutex_;            // the sequencer, against the audio thread
    std::shared_ptr<Sequencer> sequencer_;
    std::shared_ptr<Sequencer> midi_sequencer_;
    std::unique_ptr<Midi_port> midi_;
    std::unique_ptr<Sound_device> device_;  // last: closed first, while the rest still stands
};

}  // namespace zub::playback
