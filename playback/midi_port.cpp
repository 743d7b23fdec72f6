#include "playback/midi_port.h"

#include "playback/playback_error.h"

namespace zub::playback {

std::unique_ptr<Midi_port> open_midi_port(const std::string& kind, const std::string& connect) {
    if (kind == "jack") return open_jack_midi_port(connect);
    if (kind == "alsa") return open_alsa_midi_port(connect);
    throw Playback_error("MIDI out is jack or alsa, not " + kind);
}

}  // namespace zub::playback
