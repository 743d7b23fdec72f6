// A FluidSynth synthesizer with a SoundFont loaded, and the rendering of a
// sequencer's messages through it. Offline and live playback share both, so
// a rendered file sounds as the speakers do.
#pragma once

#include <string>


// FluidSynth's handles, declared as its header does.
typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

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
// synthesis thread. Samples are never loaded on demand: with FluidSynth 2.3 a
// voice may then start on a sample whose data is not loaded, and reading it
// crashes the render now and then.
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

class Sequencer;

// On the audio thread: the next frames of sequencer through the synth into
// interleaved stereo (left, right) samples, each message at its own frame.
void render_interleaved(Synth& synth, Sequencer& sequencer, float* samples, int frames);
// The same for FluidSynth's driver callbacks: buffers out and fx of frames
// samples each, filled (not mixed into). Without a sequencer, the synth's own sound (notes ringing out).
void render_buffers(Synth& synth, Sequencer* sequencer, int frames, int nfx, float* fx[], int nout, float* out[]);

}  // namespace zub::playback
