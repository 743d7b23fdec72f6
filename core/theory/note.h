// A spelled note without octave: a letter C..B and an alteration from double
// flat to double sharp. Arithmetic with intervals keeps the spelling: C + #2 is
// D#, C + b3 is Eb, and the two are different notes.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace zub {

class Intvl;

class Note {
public:
    // of_string("Bb") -> (6, -1); "Invalid note: c" for anything but [A-G] plus "", "#", "##", "b", "bb".
    static Note of_string(std::string_view text);
    // of_n_alt(6, -1) -> Bb; "Invalid n: 7" or "Invalid alt: 3" out of range (n tested first).
    static Note of_n_alt(int n, int alt);

    int n() const { return n_; }      // letter index 0..6 (C..B)
    int alt() const { return alt_; }  // alteration -2..2

    // "C", "F#", "Ebb".
    std::string to_string() const;
    // Pitch class 0..11 with C = 0: Cb -> 11, B# -> 0.
    int semi() const;

    // The note the interval lies above: C + b9 = Db, B + #11 = E#;
    // "B## + #5 results in invalid note" when the spelling would need a triple sharp.
    Note add_intvl(const Intvl& interval) const;
    // The note the interval lies below: F - b2 = E, C - 4 = G;
    // "<note> - <interval> results in invalid note" when unspellable.
    Note sub_intvl(const Intvl& interval) const;
    // The simple interval from other up to this note: G - C = 5, C - B = b2;
    // "<a> - <b> results in invalid interval" when unspellable.
    Intvl sub_note(const Note& other) const;

    // Letter first, then alteration: C## sorts before Dbb (not pitch order).
    static int compare(const Note& a, const Note& b);
    bool operator==(const Note&) const = default;
    std::size_t hash() const { return static_cast<std::size_t>(n_ * 5 + alt_ + 2); }

    // Length of the note name at the start of text (letter and longest
    // alteration), or 0 when text does not start with one: "Bbm7" -> 2.
    static std::size_t name_length(std::string_view text);

private:
    Note(int n, int alt) : n_(static_cast<signed char>(n)), alt_(static_cast<signed char>(alt)) {}
    signed char n_;
    signed char alt_;
};

// Debug printing: writes to_string.
void pp(std::ostream& out, const Note& note);
std::ostream& operator<<(std::ostream& out, const Note& note);

}  // namespace zub

template <>
struct std::hash<zub::Note> {
    std::size_t operator()(const zub::Note& note) const { return note.hash(); }
};
