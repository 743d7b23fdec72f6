#include "playback/synth.h"

#include <fluidsynth.h>

#include "playback/fluid_log.h"
#include "playback/playback_error.h"
#include "playback/soundfont.h"

namespace zub::playback {

namespace {

constexpr int note_on = 0x90;
constexpr int drum_channel = 9, piano_channel = 0, bass_channel = 1;

}  // namespace

void silence_fluidsynth_log() {
    static const bool silenced = [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level) fluid_set_log_function(level, nullptr, nullptr);
        return true;
    }();
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
    // One thread and sample-clock timing: the same notes give the same samples.
    fluid_settings_setint(settings_, "synth.cpu-cores", 1);
    fluid_settings_setstr(settings_, "player.timing-source", "sample");
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

Midi_playback::Midi_playback(Synth& synth, const Plist::Data& midi, double tempo_bpm, Mutes mutes)
    : synth_(synth), muted_channels_(mutes.channel_mask()) {
    player_ = new_fluid_player(synth.handle());
    if (!player_) throw Playback_error("Cannot start the MIDI player");
    if (fluid_player_add_mem(player_, midi.data(), midi.size()) != FLUID_OK ||
        (tempo_bpm > 0 && fluid_player_set_tempo(player_, FLUID_PLAYER_TEMPO_EXTERNAL_BPM, tempo_bpm) != FLUID_OK)) {
        delete_fluid_player(player_);
        throw Playback_error("Cannot play the accompaniment's MIDI data");
    }
    fluid_player_set_playback_callback(player_, &Midi_playback::on_event, this);
    fluid_player_set_tick_callback(player_, &Midi_playback::on_tick, this);
}

Midi_playback::~Midi_playback() {
    fluid_player_stop(player_);
    fluid_player_join(player_);
    delete_fluid_player(player_);
}

void Midi_playback::play_from(int tick) {
    tick_.store(-1, std::memory_order_relaxed);
    if (tick > 0) fluid_player_seek(player_, tick);
    fluid_player_play(player_);
}

void Midi_playback::stop() {
    fluid_player_stop(player_);
    fluid_synth_all_notes_off(synth_.handle(), -1);
}

bool Midi_playback::done() const { return fluid_player_get_status(player_) == FLUID_PLAYER_DONE; }

void Midi_playback::set_loop(int start_tick, int end_tick) {
    loop_end_.store(-1);  // never a jump to a start that is half set
    loop_start_.store(start_tick);
    loop_end_.store(end_tick);
}

void Midi_playback::set_tempo(double tempo_bpm) {
    if (tempo_bpm > 0)
        fluid_player_set_tempo(player_, FLUID_PLAYER_TEMPO_EXTERNAL_BPM, tempo_bpm);
    else
        fluid_player_set_tempo(player_, FLUID_PLAYER_TEMPO_INTERNAL, 1.0);
}

void Midi_playback::set_mutes(Mutes mutes) {
    const unsigned mask = mutes.channel_mask();
    const unsigned newly_muted = mask & ~muted_channels_.exchange(mask);
    for (int channel = 0; channel < 16; ++channel)
        if (newly_muted & (1u << channel)) fluid_synth_all_notes_off(synth_.handle(), channel);
}

// On the audio thread: drop the note-ons of muted channels, and those of the
// block that reaches a loop's end (the jump back takes effect from the next
// block, so the bar after the loop would be heard); pass everything else on.
int Midi_playback::on_event(void* self, fluid_midi_event_t* event) {
    auto& playback = *static_cast<Midi_playback*>(self);
    if (fluid_midi_event_get_type(event) == note_on) {
        if (playback.muted_channels_.load(std::memory_order_relaxed) >> fluid_midi_event_get_channel(event) & 1u)
            return FLUID_OK;
        const int end = playback.loop_end_.load();
        if (end >= 0 && fluid_player_get_current_tick(playback.player_) >= end) return FLUID_OK;
    }
    return fluid_synth_handle_midi_event(playback.synth_.handle(), event);
}

// On the audio thread: publish the position, and jump back at the end of a
// loop (FluidSynth's seek only records the tick for its next block).
int Midi_playback::on_tick(void* self, int tick) {
    auto& playback = *static_cast<Midi_playback*>(self);
    playback.tick_.store(tick, std::memory_order_relaxed);
    if (const int end = playback.loop_end_.load(); end >= 0 && tick >= end)
        fluid_player_seek(playback.player_, playback.loop_start_.load());
    return FLUID_OK;
}

}  // namespace zub::playback
