#include "jack_server.h"

#include <fcntl.h>
#include <jack/midiport.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

extern char** environ;

namespace zub::playback {

namespace {

bool jackd_installed() {
    for (const char* folder : {"/usr/bin", "/usr/local/bin"})
        if (std::filesystem::exists(std::string(folder) + "/jackd")) return true;
    return false;
}

}  // namespace

Jack_server::Jack_server() {
    if (!jackd_installed()) {
        failure_ = "jackd is not installed: install jackd2 (apt-get install jackd2)";
        return;
    }
    const std::string name = "zub-test-" + std::to_string(::getpid());
    ::setenv("JACK_DEFAULT_SERVER", name.c_str(), 1);
    ::setenv("JACK_NO_START_SERVER", "1", 1);
    const std::string rate = std::to_string(frames_per_second), frames = std::to_string(period);
    const char* argv[] = {"jackd", "-n", name.c_str(), "-d", "dummy", "-r", rate.c_str(), "-p", frames.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const int spawned = posix_spawnp(&pid_, "jackd", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        pid_ = -1;
        failure_ = "jackd could not be started: install jackd2";
        return;
    }
    // Ready when a client gets in; ten seconds at most.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (jack_client_t* probe = jack_client_open("probe", JackNoStartServer, nullptr)) {
            jack_client_close(probe);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    failure_ = "jackd -d dummy did not start within 10 s";
}

Jack_server::~Jack_server() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
}

Jack_recorder::Jack_recorder() {
    heard_.resize(200000);
    client_ = jack_client_open("recorder", JackNoStartServer, nullptr);
    if (!client_) return;
    midi_in_ = jack_port_register(client_, "midi_in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    audio_in_[0] = jack_port_register(client_, "in_1", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    audio_in_[1] = jack_port_register(client_, "in_2", JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0);
    jack_set_process_callback(client_, &Jack_recorder::process, this);
    jack_activate(client_);
}

Jack_recorder::~Jack_recorder() {
    if (client_) jack_client_close(client_);
}

bool Jack_recorder::connect(const std::string& from, const std::string& to) {
    return client_ && jack_connect(client_, from.c_str(), to.c_str()) == 0;
}

std::vector<Jack_recorder::Heard> Jack_recorder::midi() const {
    return {heard_.begin(), heard_.begin() + static_cast<long>(count_.load())};
}

int Jack_recorder::process(jack_nframes_t frames, void* self) {
    auto& recorder = *static_cast<Jack_recorder*>(self);
    const long start = jack_last_frame_time(recorder.client_);
    void* buffer = jack_port_get_buffer(recorder.midi_in_, frames);
    const jack_nframes_t events = jack_midi_get_event_count(buffer);
    for (jack_nframes_t index = 0; index < events; ++index) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, index) != 0 || event.size < 2) continue;
        const std::size_t at = recorder.count_.load();
        if (at >= recorder.heard_.size()) break;
        Midi_message message{event.buffer[0], event.buffer[1], event.size > 2 ? event.buffer[2] : std::uint8_t{0},
                             static_cast<std::uint8_t>(event.size)};
        recorder.heard_[at] = {start + event.time, message};
        recorder.count_.store(at + 1);
    }
    float peak = recorder.peak_.load();
    for (jack_port_t* port : recorder.audio_in_) {
        const auto* samples = static_cast<const float*>(jack_port_get_buffer(port, frames));
        for (jack_nframes_t frame = 0; frame < frames; ++frame) peak = std::max(peak, std::abs(samples[frame]));
    }
    recorder.peak_.store(peak);
    return 0;
}

}  // namespace zub::playback
