#include "core/theory/simplchord.h"

#include "core/theory/chordkind.h"

namespace zub {

Simplchord Simplchord::of_chord(const Chord& chord) {
    return Simplchord(chord.root(), Chordkind::of_chordtype(chord.chordtype()), chord);
}

Simplchord Simplchord::of_chord_name(std::string_view symbol) { return of_chord(Chord::of_string(symbol)); }

std::string Simplchord::to_string() const { return root_.to_string() + kind_; }

int Simplchord::compare(const Simplchord& a, const Simplchord& b) {
    if (int c = Note::compare(a.root_, b.root_); c != 0) return c;
    return a.kind_.compare(b.kind_);
}

void pp(std::ostream& out, const Simplchord& chord) { out << chord.to_string(); }
std::ostream& operator<<(std::ostream& out, const Simplchord& chord) { return out << chord.to_string(); }

}  // namespace zub
