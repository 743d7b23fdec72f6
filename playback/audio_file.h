// Audio files written through libsndfile: 16-bit WAV, 16-bit FLAC or Ogg
// Vorbis, chosen by the file's extension. The samples go to a temporary file
// beside the target, renamed over it only when complete, so a failed or
// cancelled write leaves no partial file and keeps any old one.
#pragma once

#include <string>

#include "playback/audio_format.h"
#include "playback/synth.h"

typedef struct sf_private_tag SNDFILE;

namespace zub::playback {

class Audio_file_writer {
public:
    // Stereo at frames_per_second. Playback_error "Can't write output file: PATH" when
    // the temporary file cannot be made or the encoder refuses it (a rate of 0);
    // "Unsupported audio file type: PATH (use .wav, .flac or .ogg)" for another extension.
    explicit Audio_file_writer(const std::string& path, int frames_per_second = sample_rate);
    // Removes the temporary file unless commit() succeeded.
    ~Audio_file_writer();
    Audio_file_writer(const Audio_file_writer&) = delete;
    Audio_file_writer& operator=(const Audio_file_writer&) = delete;

    // frames interleaved left, right. "Can't write output file: PATH" on a disk error.
    void write(const float* samples, long frames);
    // Closes the file and renames it over the target; "Can't write output file: PATH".
    void commit();

private:
    [[noreturn]] void fail() const;

    std::string path_, temporary_;
    SNDFILE* file_ = nullptr;
    bool committed_ = false;
};

}  // namespace zub::playback
