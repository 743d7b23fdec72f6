#include "core/theory/key.h"

#include <array>
#include <cstdlib>
#include <optional>

#include "core/failure.h"

namespace zub {

namespace {

// Position of each natural letter on the circle of fifths from C: F -1, C 0, G 1 ... B 5.
constexpr std::array<int, 7> letter_fifths = {0, 2, 4, -1, 1, 3, 5};

// The written keys by the pitch class of their tonic; the six-accidental ones first in their flat form.
constexpr std::array<std::string_view, 12> written_major = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                            "Gb", "G",  "Ab", "A",  "Bb", "B"};
constexpr std::array<std::string_view, 12> written_minor = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                            "F#", "G",  "G#", "A",  "Bb", "B"};

}  // namespace

Key Key::of_string(std::string_view text) {
    const std::size_t length = Note::name_length(text);
    const std::string_view rest = text.substr(length);
    if (length == 0 || length > 2 || (!rest.empty() && rest != "m")) throw Failure("Invalid key: " + std::string(text));
    return Key(Note::of_string(text.substr(0, length)), rest.empty() ? Mode::major : Mode::minor);
}

Key Key::of_tonic(Note tonic, Mode mode) {
    const Key key(tonic, mode);
    if (tonic.alt() < -1 || tonic.alt() > 1) throw Failure("Invalid key: " + key.to_string());
    return key;
}

std::string Key::to_string() const { return tonic_.to_string() + (mode_ == Mode::minor ? "m" : ""); }

int Key::signature() const {
    // A minor key shares the signature of the major key a minor third above it.
    return letter_fifths[tonic_.n()] + 7 * tonic_.alt() - (mode_ == Mode::minor ? 3 : 0);
}

Key Key::moved_by(int semitones) const {
    if (semitones < -11 || semitones > 11) throw Failure("Invalid number of semitones: " + std::to_string(semitones));
    const int pitch = (tonic_.semi() + semitones + 12) % 12;
    // Every spelling of the pitch with at most one accidental, flats first so that ties go to them.
    std::optional<Key> best;
    for (int alt = -1; alt <= 1; ++alt)
        for (int n = 0; n < 7; ++n) {
            const Note tonic = Note::of_n_alt(n, alt);
            if (tonic.semi() != pitch) continue;
            const Key candidate(tonic, mode_);
            if (!best || std::abs(candidate.signature()) < std::abs(best->signature())) best = candidate;
        }
    return *best;
}

Key Key::as_written() const {
    if (std::abs(signature()) == 6) return *this;
    const auto& names = mode_ == Mode::major ? written_major : written_minor;
    return Key(Note::of_string(names[static_cast<std::size_t>(tonic_.semi())]), mode_);
}

}  // namespace zub
