// The ALSA sequencer port: a client "zubaroo" with a port "midi out", played
// by a thread that advances the attached sequencer every millisecond and sends
// each message at once (the sequencer's frames are milliseconds here).
#include <alsa/asoundlib.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "playback/midi_port.h"
#include "playback/playback_error.h"
#include "playback/sequencer.h"

namespace zub::playback {

namespace {

constexpr int milliseconds_a_second = 1000;

class Alsa_midi_port : public Midi_port {
public:
    explicit Alsa_midi_port(const std::string& connect) {
        if (const int error = snd_seq_open(&seq_, "default", SND_SEQ_OPEN_OUTPUT, 0); error < 0)
            throw Playback_error(std::string("No MIDI out: the ALSA sequencer could not be opened (") +
                                 snd_strerror(error) + ")");
        snd_seq_set_client_name(seq_, "zubaroo");
        port_ = snd_seq_create_simple_port(seq_, "midi out", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                           SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
        snd_seq_addr_t to{};
        if (port_ < 0 || (!connect.empty() && (snd_seq_parse_address(seq_, &to, connect.c_str()) < 0 ||
                                               snd_seq_connect_to(seq_, port_, to.client, to.port) < 0))) {
            snd_seq_close(seq_);
            throw Playback_error("No MIDI out: cannot connect to " + connect);
        }
        thread_ = std::thread([this] { run(); });
    }
    ~Alsa_midi_port() override {
        detach();
        running_ = false;
        thread_.join();
        snd_seq_close(seq_);
    }

    int frames_per_second() const override { return milliseconds_a_second; }
    std::string name() const override {
        return std::to_string(snd_seq_client_id(seq_)) + ":" + std::to_string(port_);
    }

    void attach(std::shared_ptr<Sequencer> sequencer) override {
        detach();
        std::lock_guard<std::mutex> lock(mutex_);
        sequencer_ = std::move(sequencer);
    }
    void detach() override {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!sequencer_) return;
        sequencer_->finish([this](int, const Midi_message& message) { send(message); });
        sequencer_.reset();
    }

private:
    void run() {
        auto due = std::chrono::steady_clock::now();
        while (running_) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (sequencer_) sequencer_->advance(1, [this](int, const Midi_message& message) { send(message); });
            }
            due += std::chrono::milliseconds(1);
            std::this_thread::sleep_until(due);
        }
    }

    void send(const Midi_message& message) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        snd_seq_ev_set_source(&event, port_);
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        const int channel = message.channel();
        switch (message.type()) {
            case 0x80: snd_seq_ev_set_noteoff(&event, channel, message.data1, 0); break;
            case 0x90: snd_seq_ev_set_noteon(&event, channel, message.data1, message.data2); break;
            case 0xb0: snd_seq_ev_set_controller(&event, channel, message.data1, message.data2); break;
            case 0xc0: snd_seq_ev_set_pgmchange(&event, channel, message.data1); break;
            case 0xe0: snd_seq_ev_set_pitchbend(&event, channel, (message.data1 | message.data2 << 7) - 8192); break;
            default: return;
        }
        snd_seq_event_output_direct(seq_, &event);
    }

    snd_seq_t* seq_ = nullptr;
    int port_ = -1;
    std::mutex mutex_;
    std::shared_ptr<Sequencer> sequencer_;
    std::atomic<bool> running_{true};
    std::thread thread_;
};

}  // namespace

std::unique_ptr<Midi_port> open_alsa_midi_port(const std::string& connect) {
    return std::make_unique<Alsa_midi_port>(connect);
}

}  // namespace zub::playback
