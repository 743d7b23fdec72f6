// A real JACK server for the tests: Debian's jackd2 with its dummy backend,
// under a name of its own so that test programs running side by side do not
// meet, and a client of the test's own that records what arrives at its ports.
#pragma once

#include <jack/jack.h>

#include <atomic>
#include <string>
#include <vector>

#include "playback/midi_events.h"

namespace zub::playback {

class Jack_server {
public:
    static constexpr int frames_per_second = 48000, period = 256;
    // Starts "jackd -n NAME -d dummy -r 48000 -p 256" and sets
    // JACK_DEFAULT_SERVER to NAME for this process; failure() says why not.
    Jack_server();
    ~Jack_server();
    const std::string& failure() const { return failure_; }

private:
    int pid_ = -1;
    std::string failure_;
};

// A client "recorder" with a MIDI input and two audio inputs.
class Jack_recorder {
public:
    struct Heard {
        long frame;  // JACK's frame clock
        Midi_message message;
    };
    Jack_recorder();
    ~Jack_recorder();
    // connect("zubaroo-midi:midi_out", "recorder:midi_in").
    bool connect(const std::string& from, const std::string& to);
    std::vector<Heard> midi() const;  // in the order received
    float peak() const { return peak_.load(); }


private:
    static int process(jack_nframes_t frames, void* self);
    jack_client_t* client_ = nullptr;
    jack_port_t* midi_in_ = nullptr;
    jack_port_t* audio_in_[2] = {};
    std::vector<Heard> heard_;      // capacity reserved; filled on JACK's thread
    std::atomic<std::size_t> count_{0};
    std::atomic<float> peak_{0};

};

}  // namespace zub::playback
