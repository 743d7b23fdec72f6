#include "playback/sound_device.h"

#include <fluidsynth.h>
#include <sndfile.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "playback/fluid_log.h"
#include "playback/playback_error.h"
#include "playback/synth.h"

namespace zub::playback {

namespace {

constexpr int file_period_frames = 256;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// What FluidSynth says while a driver opens, its reason for a failure.
class Fluid_reasons {
public:
    Fluid_reasons() {
        for (int level : {FLUID_PANIC, FLUID_ERR}) fluid_set_log_function(level, &Fluid_reasons::keep, this);
    }
    ~Fluid_reasons() { silence_fluidsynth_log(true); }
    // " (first reason)" or "".
    std::string said() const { return reasons_.empty() ? "" : " (" + reasons_ + ")"; }

private:
    static void keep(int, const char* message, void* self) {
        std::string& reasons = static_cast<Fluid_reasons*>(self)->reasons_;
        if (reasons.empty() && message) reasons = message;
    }
    std::string reasons_;
};

// Only one driver opens at a time: FluidSynth's log functions are process-wide.
std::mutex& opening() {
    static std::mutex mutex;
    return mutex;
}

class Fluid_backend : public Sound_device::Backend {
public:
    explicit Fluid_backend(fluid_audio_driver_t* driver) : driver_(driver) {}
    ~Fluid_backend() override { delete_fluid_audio_driver(driver_); }

private:
    fluid_audio_driver_t* driver_;
};

// The file "device": a thread that asks for a period at a time, paced to
// real time, and writes it to a WAV file whose header follows each write.
class File_backend : public Sound_device::Backend {
public:
    File_backend(const std::string& path, Audio_callback callback, void* data) {
        SF_INFO info{};
        info.samplerate = sample_rate;
        info.channels = 2;
        info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
        file_ = sf_open(path.c_str(), SFM_WRITE, &info);
        if (!file_) throw Playback_error("No sound device: cannot write " + path);
        sf_command(file_, SFC_SET_UPDATE_HEADER_AUTO, nullptr, SF_TRUE);
        thread_ = std::thread([this, callback, data] { run(callback, data); });
    }
    ~File_backend() override {
        running_ = false;
        thread_.join();
        sf_close(file_);
    }

private:
    void run(Audio_callback callback, void* data) {
        float left[file_period_frames], right[file_period_frames], frames[2 * file_period_frames];
        float* out[2] = {left, right};
        auto due = std::chrono::steady_clock::now();
        while (running_) {
            callback(data, file_period_frames, 0, nullptr, 2, out);
            for (int frame = 0; frame < file_period_frames; ++frame) {
                frames[2 * frame] = left[frame];
                frames[2 * frame + 1] = right[frame];
            }
            sf_writef_float(file_, frames, file_period_frames);
            due += std::chrono::microseconds(1000000LL * file_period_frames / sample_rate);
            std::this_thread::sleep_until(due);
        }
    }

    SNDFILE* file_ = nullptr;
    std::atomic<bool> running_{true};
    std::thread thread_;
};

std::unique_ptr<Sound_device::Backend> open_fluid(fluid_settings_t* settings, const std::string& name,
                                                  const Sound_output& output, Audio_callback callback, void* data,
                                                  std::string& reason) {
    std::lock_guard<std::mutex> lock(opening());
    Fluid_reasons reasons;
    if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) {
        reason = " (FluidSynth has no such driver)";
        return nullptr;
    }
    if (name == "jack") {
        fluid_settings_setint(settings, "audio.jack.autoconnect", output.jack_autoconnect ? 1 : 0);
        fluid_settings_setstr(settings, "audio.jack.id", "zubaroo");
    }
    fluid_audio_driver_t* driver = new_fluid_audio_driver2(settings, callback, data);
    reason = reasons.said();
    return driver ? std::make_unique<Fluid_backend>(driver) : nullptr;
}

}  // namespace

Sound_device::Sound_device(fluid_settings_t* settings, const Sound_output& output, Audio_callback callback,
                           void* data) {
    std::string chosen = output.driver, file = output.file;
    if (chosen.empty() || chosen == "auto") {
        chosen = environment("ZUB_AUDIO_DRIVER");
        file = environment("ZUB_AUDIO_FILE");
    }
    std::string reason;
    if (chosen.empty()) {
        for (const char* name : {"pulseaudio", "alsa"}) {
            std::string why;
            if ((backend_ = open_fluid(settings, name, output, callback, data, why))) {
                driver_ = name;
                return;
            }
            if (reason.empty()) reason = why;
        }
        throw Playback_error("No sound device: neither PulseAudio nor ALSA could be opened" + reason);
    }
    driver_ = chosen;
    if (chosen == "file") {
        if (file.empty()) throw Playback_error("No sound device: ZUB_AUDIO_DRIVER=file needs ZUB_AUDIO_FILE");
        backend_ = std::make_unique<File_backend>(file, callback, data);
        return;
    }
    backend_ = open_fluid(settings, chosen, output, callback, data, reason);
    if (!backend_) throw Playback_error("No sound device: the audio driver " + chosen + " could not be opened" + reason);
}

Sound_device::~Sound_device() = default;

}  // namespace zub::playback
