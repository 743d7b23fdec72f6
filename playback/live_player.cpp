#include "playback/live_player.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "playback/playback_error.h"

namespace zub::playback {

namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// None when FluidSynth does not know the driver, or the device does not open.
fluid_audio_driver_t* open_driver(fluid_settings_t* settings, fluid_synth_t* synth, const std::string& name) {
    if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) return nullptr;
    return new_fluid_audio_driver(settings, synth);
}

fluid_audio_driver_t* open_sound_device(fluid_settings_t* settings, fluid_synth_t* synth) {
    const std::string chosen = environment("ZUB_AUDIO_DRIVER");
    if (chosen.empty()) {
        for (const char* name : {"pulseaudio", "alsa"})
            if (fluid_audio_driver_t* driver = open_driver(settings, synth, name)) return driver;
        throw Playback_error("No sound device: neither PulseAudio nor ALSA could be opened");
    }
    if (chosen == "file") {
        const std::string file = environment("ZUB_AUDIO_FILE");
        if (file.empty()) throw Playback_error("No sound device: ZUB_AUDIO_DRIVER=file needs ZUB_AUDIO_FILE");
        fluid_settings_setstr(settings, "audio.file.name", file.c_str());
    }
    if (fluid_audio_driver_t* driver = open_driver(settings, synth, chosen)) return driver;
    throw Playback_error("No sound device: the audio driver " + chosen + " could not be opened");
}

}  // namespace

// The device is opened before the SoundFont loads: without one, the user hears at once.
Live_player::Live_player(const std::string& soundfont)
    : driver_(open_sound_device(synth_.settings(), synth_.handle())) {
    full_gain_ = fluid_synth_get_gain(synth_.handle());
    try {
        synth_.load(soundfont);
    } catch (...) {
        delete_fluid_audio_driver(driver_);
        throw;
    }
}

int start_tick(const Accompaniment& accompaniment, std::optional<int> from_bar) {
    if (!from_bar) return 0;
    const auto beat = accompaniment.time_map.first_beat_of(*from_bar);
    if (!beat)
        throw Playback_error("Bar " + std::to_string(*from_bar) + " is not played (the chart has " +
                             std::to_string(accompaniment.chart.array_at("Chords").size()) + " bars)");
    return *beat * accompaniment.time_map.ticks_per_beat();
}

Loop_ticks loop_ticks(const Accompaniment& accompaniment, std::optional<int> first_bar, std::optional<int> last_bar) {
    const int start = start_tick(accompaniment, first_bar);
    const Time_map& map = accompaniment.time_map;
    if (!last_bar) return {start, map.total_ticks()};
    const int bar_ticks = map.beats_per_bar() * map.ticks_per_beat();
    const int end = start_tick(accompaniment, last_bar) + bar_ticks;
    if (end <= start)
        throw Playback_error("Bar " + std::to_string(*last_bar) + " is played before bar " +
                             std::to_string(first_bar.value_or(0)));
    return {start, end};
}

Live_player::~Live_player() {
    playback_.reset();
    delete_fluid_audio_driver(driver_);
}

void Live_player::play(const Accompaniment& accompaniment, const Play_options& options) {
    const Loop_ticks loop = loop_ticks(accompaniment, options.from_bar, options.loop_last_bar);
    const int start = options.from_tick.value_or(loop.start);
    stop();
    playback_ = std::make_unique<Midi_playback>(synth_, accompaniment.midi, options.tempo_bpm, options.mutes);
    // A pause resumed past the loop's end plays on to the end of the chart.
    if (options.looping && start < loop.end) playback_->set_loop(loop.start, loop.end);
    playback_->play_from(start);
}

void Live_player::stop() {
    if (playback_) playback_->stop();
    playback_.reset();
}

bool Live_player::playing() const { return playback_ && !playback_->done(); }

int Live_player::tick() const { return playback_ ? playback_->tick() : -1; }

void Live_player::set_mutes(Mutes mutes) {
    if (playback_) playback_->set_mutes(mutes);
}

void Live_player::set_tempo(double tempo_bpm) {
    if (playback_) playback_->set_tempo(tempo_bpm);
}

void Live_player::set_volume(double volume) {
    fluid_synth_set_gain(synth_.handle(), static_cast<float>(full_gain_ * std::clamp(volume, 0.0, 2.0)));
}

}  // namespace zub::playback
