// Simplified chords: a chord reduced to its root and chord kind, keeping the
// full chord it came from. Dm9 -> Dm7, G13b9 -> G7, CMaj7 -> C, Fsus -> F??.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "core/theory/chord.h"

namespace zub {

class Simplchord {
public:
    // of_chord(C7/E) -> root C, kind "7"; the bass plays no part.
    static Simplchord of_chord(const Chord& chord);
    // of_chord_name("Dm9") -> Dm7; the Chord::of_string failures for a bad symbol.
    static Simplchord of_chord_name(std::string_view symbol);

    const Note& root() const { return root_; }
    const std::string& kind() const { return kind_; }  // one of the eight kinds, or "??"
    const Chord& orig() const { return orig_; }

    // Root name and kind: "Dm7", "G7", "C", "F??".
    std::string to_string() const;

    // By root, then kind (byte-wise); the original chord is not compared.
    static int compare(const Simplchord& a, const Simplchord& b);

private:
    Simplchord(Note root, std::string kind, Chord orig)
        : root_(root), kind_(std::move(kind)), orig_(std::move(orig)) {}
    Note root_;
    std::string kind_;
    Chord orig_;
};

void pp(std::ostream& out, const Simplchord& chord);
std::ostream& operator<<(std::ostream& out, const Simplchord& chord);

}  // namespace zub
