#include "playback/synth.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>

#include "playback/fluid_log.h"
#include "playback/playback_error.h"
#include "playback/sequencer.h"
#include "playback/soundfont.h"

namespace zub::playback {

namespace {

constexpr int drum_channel = 9, piano_channel = 0, bass_channel = 1;

}  // namespace

void silence_fluidsynth_log(bool again) {
    const auto silence = [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) fluid_set_log_function(level, nullptr, nullptr);
        return true;
    };
    static const bool silenced = silence();
    if (again) silence();
    (void)silenced;
}

unsigned Mutes::channel_mask() const {
    return (drums ? 1u << drum_channel : 0u) | (piano ? 1u << piano_channel : 0u) | (bass ? 1u << bass_channel : 0u);
}

Synth::Synth() {
    silence_fluidsynth_log();
    settings_ = new_fluid_settings();
    if (!settings_) throw Playback_error("Cannot start the synthesizer");
    fluid_settings_setnum(settings_, "synth.sample-rate", sample_rate);
    // One thread: the same notes give the same samples.
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    fluid_settings_setint(settings_, "synth.lock-memory", 0);
    // FluidSynth's default gain of 0.2 leaves the accompaniment far below full scale.
    fluid_settings_setnum(settings_, "synth.gain", 0.5);
    synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        delete_fluid_settings(settings_);
        throw Playback_error("Cannot start the synthesizer");
    }
}

Synth::Synth(const std::string& soundfont) : Synth() { load(soundfont); }

void Synth::load(const std::string& soundfont) {
    if (fluid_synth_sfload(synth_, soundfont.c_str(), 1) == FLUID_FAILED) {
        throw Playback_error("Not a SoundFont: " + soundfont + " (install the Debian package " + soundfont_package +
                             ", or use --soundfont PATH)");
    }
}

Synth::~Synth() {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
}

namespace {

void send(fluid_synth_t* synth, const Midi_message& message) {
    const int channel = message.channel();
    switch (message.type()) {
        case 0x80: fluid_synth_noteoff(synth, channel, message.data1); break;
        case 0x90: fluid_synth_noteon(synth, channel, message.data1, message.data2); break;
        case 0xb0: fluid_synth_cc(synth, channel, message.data1, message.data2); break;
        case 0xc0: fluid_synth_program_change(synth, channel, message.data1); break;
        case 0xd0: fluid_synth_channel_pressure(synth, channel, message.data1); break;
        case 0xe0: fluid_synth_pitch_bend(synth, channel, message.data1 | message.data2 << 7); break;
        default: break;  // polyphonic pressure: the generator writes none
    }
}

// Renders the frames between messages with render(from, count), sending each message at its frame.
template <typename Render>
void render_sequenced(fluid_synth_t* synth, Sequencer* sequencer, int frames, Render render) {
    int done = 0;
    if (sequencer)
        sequencer->advance(frames, [&](int offset, const Midi_message& message) {
            if (offset > done) {
                render(done, offset - done);
                done = offset;
            }
            send(synth, message);
        });
    if (frames > done) render(done, frames - done);
}

}  // namespace

void render_interleaved(Synth& synth, Sequencer& sequencer, float* samples, int frames) {
    render_sequenced(synth.handle(), &sequencer, frames, [&](int from, int count) {
        fluid_synth_write_float(synth.handle(), count, samples, 2 * from, 2, samples, 2 * from + 1, 2);
    });
}

void render_buffers(Synth& synth, Sequencer* sequencer, int frames, int nfx, float* fx[], int nout, float* out[]) {
    constexpr int most_buffers = 32;
    nfx = std::min(nfx, most_buffers);
    nout = std::min(nout, most_buffers);
    for (int index = 0; index < nfx; ++index) std::fill_n(fx[index], frames, 0.0f);
    for (int index = 0; index < nout; ++index) std::fill_n(out[index], frames, 0.0f);
    std::array<float*, most_buffers> fx_at{}, out_at{};
    render_sequenced(synth.handle(), sequencer, frames, [&](int from, int count) {
        for (int index = 0; index < nfx; ++index) fx_at[index] = fx[index] + from;
        for (int index = 0; index < nout; ++index) out_at[index] = out[index] + from;
        fluid_synth_process(synth.handle(), count, nfx, fx_at.data(), nout, out_at.data());
    });
}

}  // namespace zub::playback
