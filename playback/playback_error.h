// The one exception of the playback library: what() is the line a user reads
// ("Not a SoundFont: /tmp/x.sf2 ..."), naming the file and what to do.
#pragma once

#include <stdexcept>
#include <string>

namespace zub::playback {

class Playback_error : public std::runtime_error {
public:
    explicit Playback_error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace zub::playback
