#include "playback/live_player.h"

#include <fluidsynth.h>

#include <algorithm>

#include "playback/sequencer.h"

namespace zub::playback {

// The device is opened before the SoundFont loads: without one, the user hears at once.
Live_player::Live_player(const std::string& soundfont, const Sound_output& output)
    : synth_(Sample_loading::up_front) {
    full_gain_ = fluid_synth_get_gain(synth_.handle());
    device_ = std::make_unique<Sound_device>(synth_.settings(), output, &Live_player::on_audio, this);
    synth_.load(soundfont);
}

Live_player::~Live_player() { device_.reset(); }

// On the audio thread. The lock is held by other threads only for a pointer's swap.
int Live_player::on_audio(void* self, int frames, int nfx, float* fx[], int nout, float* out[]) {
    auto& player = *static_cast<Live_player*>(self);
    std::lock_guard<std::mutex> lock(player.mutex_);
    render_buffers(player.synth_, player.sequencer_.get(), frames, nfx, fx, nout, out);
    return FLUID_OK;
}

std::shared_ptr<Sequencer> Live_player::current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return sequencer_;
}

void Live_player::play(const Accompaniment& accompaniment, const Play_options& options) {
    Schedule schedule = schedule_of(accompaniment, options);
    auto events = std::make_shared<const Midi_events>(read_midi_events(accompaniment.midi));
    const double bpm = options.tempo_bpm > 0 ? options.tempo_bpm : accompaniment.tempo;
    auto sequencer = std::make_shared<Sequencer>(std::move(events), std::move(schedule), bpm, options.mutes, sample_rate);
    stop();
    std::lock_guard<std::mutex> lock(mutex_);
    chart_bpm_ = accompaniment.tempo;
    sequencer_ = std::move(sequencer);
}

void Live_player::stop() {
    std::lock_guard<std::mutex> lock(mutex_);
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
    if (const auto sequencer = current()) sequencer->set_mutes(mutes);
}

void Live_player::set_tempo(double tempo_bpm) {
    if (const auto sequencer = current()) sequencer->set_tempo(tempo_bpm > 0 ? tempo_bpm : chart_bpm_);
}

void Live_player::set_volume(double volume) {
    fluid_synth_set_gain(synth_.handle(), static_cast<float>(full_gain_ * std::clamp(volume, 0.0, 2.0)));
}

}  // namespace zub::playback
