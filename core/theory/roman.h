// Roman numerals: the degree of a chord root within a key, I..VII with an
// alteration relative to the major scale (bIII, #IV, bVII). A numeral behaves
// exactly like the note of that degree in C major: I is C, bIII is Eb, #IV is F#.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "core/theory/intvl.h"
#include "core/theory/note.h"

namespace zub {

class Roman {
public:
    // of_string("bVII") -> (6, -1); upper case only, alterations "", "#", "##", "b", "bb";
    // "Invalid roman: iv" otherwise.
    static Roman of_string(std::string_view text);
    // of_n_alt(2, -1) -> bIII; "Invalid n: 7" or "Invalid alt: 3" out of range (n tested first).
    static Roman of_n_alt(int n, int alt);
    // of_intvl(b3) -> bIII, of_intvl(5) -> V; "Invalid i: 8" for a compound interval such as 9.
    static Roman of_intvl(const Intvl& interval);

    int n() const { return n_; }      // degree index 0..6 (I..VII)
    int alt() const { return alt_; }  // alteration -2..2

    // "I", "bIII", "#IV", "bbVII".
    std::string to_string() const;
    // The simple interval above the tonic: bVII -> b7.
    Intvl to_intvl() const;
    // The corresponding note of C major: #IV -> F#.
    Note to_note() const;
    // Pitch class above the tonic, 0..11: bIII -> 3.
    int semi() const { return to_note().semi(); }

    // The simple interval from b up to a: sub_roman(V, II) = 4, sub_roman(I, V) = 4;
    // the Note::sub_note message when unspellable.
    static Intvl sub_roman(const Roman& a, const Roman& b);
    // Same pitch class: #IV and bV are equivalent but not equal.
    static bool equiv(const Roman& a, const Roman& b) { return a.semi() == b.semi(); }
    // By degree, then alteration.
    static int compare(const Roman& a, const Roman& b);
    bool operator==(const Roman&) const = default;

private:
    Roman(int n, int alt) : n_(static_cast<signed char>(n)), alt_(static_cast<signed char>(alt)) {}
    signed char n_;
    signed char alt_;
};

void pp(std::ostream& out, const Roman& roman);
std::ostream& operator<<(std::ostream& out, const Roman& roman);

}  // namespace zub
