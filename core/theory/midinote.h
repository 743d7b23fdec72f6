// A MIDI note: a spelled note with an octave, octave 4 starting at middle C.
// Its number is 12 × (octave + 1) + the letter's semitones + the alteration,
// never wrapped: C4 is 60, Cb4 is 59, B#3 is 60, G9 is 127. Every constructor
// but of_notenum_in_notelist gives a number in 0..127. A bare number is spelled
// C Db D Eb E F F# G Ab A Bb B.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/theory/note.h"

namespace zub {

class Midinote {
public:
    // of_notenum(61) -> Db4, of_notenum(0) -> C-1;
    // Invalid_argument "Midinote out of range: 128" outside 0..127.
    static Midinote of_notenum(int number);
    // of_note_octave(Bb, 3) -> Bb3; Invalid_argument "Midinote out of range: ..." when the number is outside 0..127.
    static Midinote of_note_octave(const Note& note, int octave);
    // of_string("F#7"), octaves -1..9; "Invalid midinote: C10" when the text does not match,
    // Invalid_argument "Midinote out of range: 128" for G#9.
    static Midinote of_string(std::string_view text);
    // n spelled with the first list note of its pitch class, in the octave that makes
    // the number exactly n: (60, [B#]) -> B#3, (59, [Cb]) -> Cb4. Not range-checked.
    // Throws Not_found when no list note has the pitch class.
    static Midinote of_notenum_in_notelist(int number, const std::vector<Note>& notes);

    // This note when its number is in 0..127; Invalid_argument "Midinote out of range: ..." otherwise.
    Midinote validate() const;

    const Note& note() const { return note_; }
    int octave() const { return octave_; }
    std::pair<Note, int> to_note_octave() const { return {note_, octave_}; }
    int to_notenum() const;
    // "C4", "Bb-1", "F#7".
    std::string to_string() const;

    // of_notenum of the number plus k, so respelled: E4 + 1 -> F4, Cb4 + 0 -> B3;
    // Invalid_argument "Midinote out of range: ..." past 0..127.
    Midinote add_int(int k) const;
    // of_notenum of the number minus k.
    Midinote sub_int(int k) const;
    // Number of a minus number of b: sub_midinote(D4, C4) == 2.
    static int sub_midinote(const Midinote& a, const Midinote& b);

    // By note, then octave: not pitch order (C5 sorts before D4).
    static int compare(const Midinote& a, const Midinote& b);
    // Same note and octave: Cb4 differs from B3 although both are 59.
    bool operator==(const Midinote&) const = default;
    std::size_t hash() const { return note_.hash() * 31 + static_cast<std::size_t>(octave_ + 1); }

private:
    Midinote(Note note, int octave) : note_(note), octave_(octave) {}
    Note note_;
    int octave_;
};

void pp(std::ostream& out, const Midinote& midinote);
std::ostream& operator<<(std::ostream& out, const Midinote& midinote);

}  // namespace zub

template <>
struct std::hash<zub::Midinote> {
    std::size_t operator()(const zub::Midinote& midinote) const { return midinote.hash(); }
};
