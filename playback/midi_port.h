// MIDI out: the accompaniment as MIDI messages, one channel per instrument as
// in the MIDI files (piano 1, bass 2, drums 10), to a JACK MIDI port or an ALSA
// sequencer port, for a DAW or a synth to play. A port plays a sequencer of
// its own, clocked by the port's own time (JACK's frames, or the clock of the
// ALSA port's thread); detaching it sends a note-off for every sounding note.
#pragma once

#include <memory>
#include <string>

namespace zub::playback {

class Sequencer;

class Midi_port {
public:
    virtual ~Midi_port() = default;
    // The rate of the clock a sequencer for this port counts frames in.
    virtual int frames_per_second() const = 0;
    // Plays sequencer from the port's next period, instead of what it played (which is detached first).
    virtual void attach(std::shared_ptr<Sequencer> sequencer) = 0;
    // Stops what plays; its sounding notes get their note-offs.
    virtual void detach() = 0;
    // "zubaroo:midi_out" (JACK) or "128:0" (ALSA).
    virtual std::string name() const = 0;
};

// open_midi_port("jack", "synth:midi_in") opens the port and connects it to
// PORT unless connect is "". Playback_error "No MIDI out: ..." naming the kind
// and the reason ("the JACK server is not running", "cannot connect to synth:midi_in",
// "the ALSA sequencer could not be opened (...)"), or "MIDI out is jack or alsa, not midi".
std::unique_ptr<Midi_port> open_midi_port(const std::string& kind, const std::string& connect);

// The two kinds, each in a file of its own; open_midi_port chooses.
std::unique_ptr<Midi_port> open_jack_midi_port(const std::string& connect);
std::unique_ptr<Midi_port> open_alsa_midi_port(const std::string& connect);

// The kinds, for a command line or a preference: jack, alsa.
inline const char* const midi_port_kinds[] = {"jack", "alsa"};

}  // namespace zub::playback
