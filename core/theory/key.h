// A key: a tonic note and a mode, named as the analysis names keys ("Eb",
// "F#m"). Transposition needs three things of it: its name, the key some
// semitones away, and the key as a musician writes it.
#pragma once

#include <string>
#include <string_view>

#include "core/theory/note.h"

namespace zub {

class Key {
public:
    enum class Mode { major, minor };

    // of_string("F#m") -> F# minor, of_string("Bb") -> Bb major; "Invalid key: H"
    // for anything but a note name with at most one sharp or flat, optionally followed by "m".
    static Key of_string(std::string_view text);
    // of_tonic(Eb, minor) -> Ebm; "Invalid key: C##m" for a double accidental.
    static Key of_tonic(Note tonic, Mode mode);

    Note tonic() const { return tonic_; }
    Mode mode() const { return mode_; }

    // "Eb", "F#m".
    std::string to_string() const;

    // Sharps (positive) or flats (negative) of the key signature: A -> 3, Ebm -> -6, Cb -> -7.
    int signature() const;

    // The key semitones away (-11..11) in the same mode, spelled with the fewest
    // accidentals, flats on a tie: Bb by 1 -> B, Bb by -4 -> Gb, Fm by 3 -> G#m, Em by -1 -> Ebm.
    // "Invalid number of semitones: 12" outside -11..11.
    Key moved_by(int semitones) const;

    // The key as musicians write it: D# -> Eb, Cb -> B, Dbm -> C#m, A#m -> Bbm; of the
    // two keys with six accidentals, F# and Gb, D#m and Ebm, either stays as it is.
    Key as_written() const;

    bool operator==(const Key&) const = default;

private:
    Key(Note tonic, Mode mode) : tonic_(tonic), mode_(mode) {}
    Note tonic_;
    Mode mode_;
};

}  // namespace zub
