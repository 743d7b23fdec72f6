#include "playback/soundfont.h"

#include <fluidsynth.h>

#include <cstdlib>
#include <filesystem>

#include "playback/fluid_log.h"
#include "playback/playback_error.h"

namespace zub::playback {

namespace {

std::string advice() {
    return std::string(" (install the Debian package ") + soundfont_package + ", or use --soundfont PATH)";
}

std::string checked(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) throw Playback_error("SoundFont not found: " + path + advice());
    silence_fluidsynth_log();
    if (!fluid_is_soundfont(path.c_str())) throw Playback_error("Not a SoundFont: " + path + advice());
    return path;
}

}  // namespace

const std::vector<std::string>& default_soundfonts() {
    static const std::vector<std::string> paths = {"/usr/share/sounds/sf3/default-GM.sf3",
                                                   "/usr/share/sounds/sf2/default-GM.sf2"};
    return paths;
}

std::string find_soundfont(const std::string& chosen, const std::vector<std::string>& defaults) {
    if (!chosen.empty()) return checked(chosen);
    if (const char* from_environment = std::getenv("ZUB_SOUNDFONT"); from_environment && *from_environment)
        return checked(from_environment);
    std::string looked_at;
    for (const std::string& path : defaults) {
        std::error_code error;
        if (std::filesystem::exists(path, error)) return checked(path);
        looked_at += (looked_at.empty() ? "" : " or ") + path;
    }
    throw Playback_error("No SoundFont found at " + looked_at + advice());
}

}  // namespace zub::playback
