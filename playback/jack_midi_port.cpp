// The JACK MIDI port: a client "zubaroo-midi" whose process callback plays
// the attached sequencer into the port, each message at its frame.
#include <jack/jack.h>
#include <jack/midiport.h>

#include <cstdint>
#include <mutex>
#include <vector>

#include "playback/midi_port.h"
#include "playback/playback_error.h"
#include "playback/sequencer.h"

namespace zub::playback {

namespace {

class Jack_midi_port : public Midi_port {
public:
    explicit Jack_midi_port(const std::string& connect) {
        jack_status_t status{};
        client_ = jack_client_open("zubaroo-midi", JackNoStartServer, &status);
        if (!client_) throw Playback_error("No MIDI out: the JACK server is not running");
        port_ = jack_port_register(client_, "midi_out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        releases_.reserve(16 * 128);
        if (!port_ || jack_set_process_callback(client_, &Jack_midi_port::process, this) != 0 ||
            jack_activate(client_) != 0) {
            jack_client_close(client_);
            throw Playback_error("No MIDI out: JACK refused the MIDI port");
        }
        if (!connect.empty() && jack_connect(client_, jack_port_name(port_), connect.c_str()) != 0) {
            jack_client_close(client_);
            throw Playback_error("No MIDI out: cannot connect to " + connect);
        }
    }
    ~Jack_midi_port() override { jack_client_close(client_); }

    int frames_per_second() const override { return static_cast<int>(jack_get_sample_rate(client_)); }
    std::string name() const override { return jack_port_name(port_); }

    void attach(std::shared_ptr<Sequencer> sequencer) override {
        detach();
        std::lock_guard<std::mutex> lock(mutex_);
        sequencer_ = std::move(sequencer);
    }

    // The note-offs wait for the next period, the only place a port takes messages.
    void detach() override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!sequencer_) return;
        sequencer_->finish([this](int, const Midi_message& message) {
            if (releases_.size() < releases_.capacity()) releases_.push_back(message);
        });
        sequencer_.reset();
    }

private:
    // On JACK's thread. A period that finds the lock taken (a Play or Stop
    // swapping the sequencer) sends nothing and plays on at the next.
    static int process(jack_nframes_t frames, void* self) {
        auto& port = *static_cast<Jack_midi_port*>(self);
        void* buffer = jack_port_get_buffer(port.port_, frames);
        jack_midi_clear_buffer(buffer);
        std::unique_lock<std::mutex> lock(port.mutex_, std::try_to_lock);
        if (!lock.owns_lock()) return 0;
        const auto write = [buffer](int offset, const Midi_message& message) {
            const unsigned char bytes[3] = {message.status, message.data1, message.data2};
            jack_midi_event_write(buffer, static_cast<jack_nframes_t>(offset), bytes, message.size);
        };
        for (const Midi_message& message : port.releases_) write(0, message);
        port.releases_.clear();
        // Cycles the server skipped (a machine too busy) still pass on JACK's
        // clock: the sequencer catches up, sending what fell in them at once.
        const jack_nframes_t now = jack_last_frame_time(port.client_);
        const auto skipped = static_cast<std::int32_t>(now - port.next_cycle_);
        if (port.sequencer_ && port.clocked_ && skipped > 0 && skipped < 60 * 192000)
            port.sequencer_->advance(static_cast<int>(skipped), [&](int, const Midi_message& message) { write(0, message); });
        port.clocked_ = true;
        port.next_cycle_ = now + frames;
        if (port.sequencer_) port.sequencer_->advance(static_cast<int>(frames), write);
        return 0;
    }

    jack_client_t* client_ = nullptr;
    jack_port_t* port_ = nullptr;
    std::mutex mutex_;
    std::shared_ptr<Sequencer> sequencer_;
    std::vector<Midi_message> releases_;  // capacity kept: never grown on JACK's thread
    bool clocked_ = false;                // on JACK's thread: next_cycle_ is set
    jack_nframes_t next_cycle_ = 0;       // the frame the next cycle should start at
};

}  // namespace

std::unique_ptr<Midi_port> open_jack_midi_port(const std::string& connect) {
    return std::make_unique<Jack_midi_port>(connect);
}

}  // namespace zub::playback
