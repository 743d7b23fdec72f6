#include "playback/audio_file.h"

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "playback/playback_error.h"

namespace zub::playback {

namespace {

int sndfile_format(Audio_format format) {
    switch (format) {
        case Audio_format::wav: return SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        case Audio_format::flac: return SF_FORMAT_FLAC | SF_FORMAT_PCM_16;
        case Audio_format::ogg: return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    }
    return 0;
}

// A new file gets the mode a program's new files usually get under the umask.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

Audio_file_writer::Audio_file_writer(const std::string& path, int frames_per_second) : path_(path) {
    const auto format = audio_format_of(path);
    if (!format) throw Playback_error("Unsupported audio file type: " + path + " (use .wav, .flac or .ogg)");
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    temporary_ = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary_.data());
    if (fd < 0) {
        temporary_.clear();
        fail();
    }
    SF_INFO info{};
    info.samplerate = frames_per_second;
    info.channels = 2;
    info.format = sndfile_format(*format);
    // libsndfile closes the descriptor it is given when the open fails, whatever
    // its last argument says; so it gets a duplicate of its own, and this one is closed here, once.
    if (::fchmod(fd, new_file_mode()) == 0) {
        if (const int handed = ::dup(fd); handed >= 0) file_ = sf_open_fd(handed, SFM_WRITE, &info, SF_TRUE);
    }
    ::close(fd);
    if (!file_) {
        std::remove(temporary_.c_str());
        temporary_.clear();
        fail();
    }
    // Loud chords clip rather than wrap round to the opposite sign.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

Audio_file_writer::~Audio_file_writer() {
    if (file_) sf_close(file_);
    if (!committed_ && !temporary_.empty()) std::remove(temporary_.c_str());
}

void Audio_file_writer::write(const float* samples, long frames) {
    if (sf_writef_float(file_, samples, frames) != frames) fail();
}

void Audio_file_writer::commit() {
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (closed != 0 || std::rename(temporary_.c_str(), path_.c_str()) != 0) fail();
    committed_ = true;
}

void Audio_file_writer::fail() const { throw Playback_error("Can't write output file: " + path_); }

}  // namespace zub::playback
