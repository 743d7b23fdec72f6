#include "playback/live_player.h"

#include <fluidsynth.h>

#include <algorithm>

#include "playback/sequencer.h"

namespace zub::playback {

// The device is opened before the SoundFont loads: without one, the user hears at once.
Live_player::Live_player(const std::string& soundfont, const Sound_output& output) {
    full_gain_ = fluid_synth_get_gain(synth_.handle());
    if (!output.midi_out.empty()) midi_ = open_midi_port(output.midi_out, output.midi_connect);
    if (output.driver == "none") return;
    device_ = std::make_unique<Sound_device>(synth_.settings(), output, &Live_player::on_audio, this);
    synth_.load(soundfont);
}

std::string Live_player::midi_port() const { return midi_ ? midi_->name() : ""; }

Live_player::~Live_player() {
    stop();
    device_.reset();
}

// On the audio thread. The lock is held by other threads only for a pointer's swap.
int Live_player::on_audio(void* self, int frames, int nfx, float* fx[], int nout, float* out[]) {
    auto& player = *static_cast<Live_player*>(self);
    std::lock_guard<std::mutex> lock(player.mutex_);
    render_buffers(player.synth_, player.sequencer_.get(), frames, nfx, fx, nout, out);
    return FLUID_OK;
}

// The sequencer the position is read from: the synth's, else the MIDI port's.
std::shared_ptr<Sequencer> Live_player::current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sequencer_ ? sequencer_ : midi_sequencer_;
}

void Live_player::play(const Accompaniment& accompaniment, const Play_options& options) {
    Schedule schedule = schedule_of(accompaniment, options);
    auto events = std::make_shared<const Midi_events>(read_midi_events(accompaniment.midi));
    const double bpm = options.tempo_bpm > 0 ? options.tempo_bpm : accompaniment.tempo;
    std::shared_ptr<Sequencer> sequencer, midi_sequencer;
    if (device_) sequencer = std::make_shared<Sequencer>(events, schedule, bpm, options.mutes, sample_rate);
    if (midi_)
        midi_sequencer = std::make_shared<Sequencer>(events, schedule, bpm, options.mutes, midi_->frames_per_second());
    stop();
    std::lock_guard<std::mutex> lock(mutex_);
    chart_bpm_ = accompaniment.tempo;
    sequencer_ = std::move(sequencer);
    midi_sequencer_ = midi_sequencer;
    if (midi_) midi_->attach(std::move(midi_sequencer));
}

void Live_player::stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (midi_) midi_->detach();
    midi_sequencer_.reset();
    if (!sequencer_) return;
    sequencer_->finish([this](int, const Midi_message& message) {
        fluid_synth_noteoff(synth_.handle(), message.channel(), message.data1);
    });
    sequencer_.reset();
}

bool Live_player::playing() const {
    const auto sequencer = current();
    return sequencer && !sequencer->done();
}

int Live_player::tick() const {
    const auto sequencer = current();
    return sequencer ? sequencer->tick() : -1;
}

int Live_player::pass() const {
    const auto sequencer = current();
    return sequencer ? sequencer->pass() : 0;
}

double Live_player::tempo_bpm() const {
    const auto sequencer = current();
    return sequencer ? sequencer->tempo_bpm() : 0;
}

void Live_player::set_mutes(Mutes mutes) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (Sequencer* sequencer : {sequencer_.get(), midi_sequencer_.get()})
        if (sequencer) sequencer->set_mutes(mutes);
}

void Live_player::set_tempo(double tempo_bpm) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (Sequencer* sequencer : {sequencer_.get(), midi_sequencer_.get()})
        if (sequencer) sequencer->set_tempo(tempo_bpm > 0 ? tempo_bpm : chart_bpm_);
}

void Live_player::set_volume(double volume) {
    fluid_synth_set_gain(synth_.handle(), static_cast<float>(full_gain_ * std::clamp(volume, 0.0, 2.0)));
}

}  // namespace zub::playback
