#include "playback/audio_format.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace zub::playback {

std::optional<Audio_format> audio_format_of(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".wav") return Audio_format::wav;
    if (extension == ".flac") return Audio_format::flac;
    if (extension == ".ogg" || extension == ".oga") return Audio_format::ogg;
    return std::nullopt;
}

}  // namespace zub::playback
