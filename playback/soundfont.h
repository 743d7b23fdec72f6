// Finding the General MIDI SoundFont the accompaniment is played with.
#pragma once

#include <string>
#include <vector>

namespace zub::playback {

// The Debian package that puts a SoundFont at the default place.
inline constexpr const char* soundfont_package = "musescore-general-soundfont-small";

// Where Debian's SoundFont packages put the General MIDI SoundFont.
const std::vector<std::string>& default_soundfonts();

// find_soundfont("") -> "/usr/share/sounds/sf3/default-GM.sf3" on a Debian
// desktop with the package. Looked at in order: chosen (the --soundfont option
// or the editor's preference; skipped when empty), $ZUB_SOUNDFONT (skipped when
// unset or empty), then the defaults, the first that exists. A file the user
// named must exist; a file found must be a SoundFont. Playback_error:
// "SoundFont not found: PATH (install the Debian package musescore-general-soundfont-small,
// or use --soundfont PATH)", "Not a SoundFont: PATH (...)", and when no default
// exists "No SoundFont found at /usr/share/sounds/sf3/default-GM.sf3 or ... (...)".
std::string find_soundfont(const std::string& chosen, const std::vector<std::string>& defaults = default_soundfonts());

}  // namespace zub::playback
