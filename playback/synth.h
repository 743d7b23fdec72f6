// A FluidSynth synthesizer with a SoundFont loaded, and the MIDI player that
// plays one accompaniment on it with tracks muted and the tempo overridden.
// Offline and live playback share both, so a rendered file sounds as the
// speakers do.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "bridge/plist.h"

// FluidSynth's handles, declared as its header does.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;
typedef struct _fluid_midi_event_t fluid_midi_event_t;

namespace zub::playback {

inline constexpr int sample_rate = 44100;

// The accompaniment's three tracks; the count-in sounds on the drum track.
struct Mutes {
    bool drums = false;
    bool piano = false;
    bool bass = false;
    // The mutes as a mask of MIDI channels counted from 0 (drums 9, piano 0, bass 1).
    unsigned channel_mask() const;
};

// Synth("/usr/share/sounds/sf3/default-GM.sf3") loads the SoundFont with all
// its samples. Settings that would make two renders differ are fixed: one
// synthesis thread and the player timed by the samples produced. Samples are
// never loaded on demand: with FluidSynth 2.3 a voice may then start on a
// sample whose data is not loaded, and reading it crashes the render now and then.
// Playback_error "Not a SoundFont: PATH ..." when FluidSynth cannot load the file.
class Synth {
public:
    explicit Synth(const std::string& soundfont);
    // A synth without a SoundFont yet, silent until load().
    Synth();
    void load(const std::string& soundfont);
    ~Synth();
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    fluid_settings_t* settings() const { return settings_; }
    fluid_synth_t* handle() const { return synth_; }

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
};

// Plays one Standard MIDI File on a synth. The mutes and the position are
// atomics: FluidSynth calls this class from its audio thread, which must not
// lock, allocate or do I/O.
class Midi_playback {
public:
    // tempo_bpm 0 keeps the file's tempo. Playback_error "Cannot play the accompaniment's MIDI data".
    Midi_playback(Synth& synth, const Plist::Data& midi, double tempo_bpm, Mutes mutes);
    ~Midi_playback();
    Midi_playback(const Midi_playback&) = delete;
    Midi_playback& operator=(const Midi_playback&) = delete;

    // Starts at tick (480 a beat, the count-in's first click at 0).
    void play_from(int tick);
    void stop();
    bool done() const;
    // From now on, on reaching end_tick the player jumps back to start_tick,
    // until stopped: a passage loops seamlessly. set_loop(-1, -1) ends looping.
    void set_loop(int start_tick, int end_tick);
    // The player's position in ticks, as last seen on the audio thread; -1
    // from play_from() until the first block after it has been rendered.
    int tick() const { return tick_.load(std::memory_order_relaxed); }
    // set_tempo(90): from the next block at 90 beats a minute; 0 for the file's own tempo.
    void set_tempo(double tempo_bpm);
    // Newly muted tracks fall silent at once; unmuted ones sound from their next note.
    void set_mutes(Mutes mutes);

private:
    static int on_event(void* self, fluid_midi_event_t* event);
    static int on_tick(void* self, int tick);

    Synth& synth_;
    fluid_player_t* player_ = nullptr;
    std::atomic<unsigned> muted_channels_;
    std::atomic<int> tick_{0};
    std::atomic<int> loop_start_{-1}, loop_end_{-1};
};

}  // namespace zub::playback
