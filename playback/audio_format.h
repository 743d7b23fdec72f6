// The audio file formats, told by a file's extension. Apart from the writer so
// that a command line can check a name without the audio libraries.
#pragma once

#include <optional>
#include <string>

namespace zub::playback {

enum class Audio_format { wav, flac, ogg };

// audio_format_of("take.FLAC") -> flac; none for "take.mp3" or "take".
std::optional<Audio_format> audio_format_of(const std::string& path);

}  // namespace zub::playback
