// The sound device live playback plays through: one of FluidSynth's audio
// drivers calling back for each period, or a file that receives in real time
// what would be heard (for tests and machines without sound). A driver that
// cannot start says which and why.
#pragma once

#include <memory>
#include <string>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;

namespace zub::playback {

// The drivers a user may choose: "auto" is $ZUB_AUDIO_DRIVER when set, else
// PulseAudio (which PipeWire desktops serve), then ALSA. Inline: zub's
// command line names them without loading the audio libraries.
inline const std::vector<std::string>& audio_driver_names() {
    static const std::vector<std::string> names = {"auto", "pulseaudio", "jack", "alsa"};
    return names;
}

struct Sound_output {
    // One of audio_driver_names(), "file" (then file names the file), or
    // "none": no built-in synth, the MIDI out alone.
    std::string driver = "auto";
    std::string file;
    bool jack_autoconnect = true;  // JACK: our outputs to the system's playback ports
    std::string midi_out;          // "jack" or "alsa" to send MIDI besides; "" for none
    std::string midi_connect;      // the port MIDI out connects to; "" for none
};

// Called on the audio thread for each period: fill out[0] (left) and out[1]
// (right), frames samples each; fx buffers likewise when nfx > 0.
using Audio_callback = int (*)(void* data, int frames, int nfx, float* fx[], int nout, float* out[]);

class Sound_device {
public:
    // Opens the device and starts calling callback. Playback_error:
    // "No sound device: neither PulseAudio nor ALSA could be opened (...)",
    // "No sound device: the audio driver jack could not be opened (Cannot connect to the JACK server)",
    // "No sound device: ZUB_AUDIO_DRIVER=file needs ZUB_AUDIO_FILE".
    Sound_device(fluid_settings_t* settings, const Sound_output& output, Audio_callback callback, void* data);
    ~Sound_device();
    Sound_device(const Sound_device&) = delete;
    Sound_device& operator=(const Sound_device&) = delete;

    // The driver that opened: "pulseaudio", "jack", "alsa", "file".
    const std::string& driver() const { return driver_; }

    class Backend {
    public:
        virtual ~Backend() = default;
    };

private:
    std::string driver_;
    std::unique_ptr<Backend> backend_;
};

}  // namespace zub::playback
