// A scale: a root note with a scale type, written "C major", "Eb harmonic
// minor", or with an explicit type "C:2.b3.4.5.6.b7". Its notes are the root
// plus each interval of the type, spelled from the root.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/theory/intvllist.h"
#include "core/theory/note.h"

namespace zub {

class Scale {
public:
    // The scale of that root and type; the add_intvl message when a note
    // cannot be spelled (B## on 2.3.4.5.6.7 needs a triple sharp).
    Scale(Note root, Intvllist scaletype);

    // of_string("Eb harmonic minor"), "Cmajor", "C\tmajor", "C:2.3.5". Failures:
    // "Invalid scale: A" when nothing follows the root or the root is not [A-G],
    // "Unknown scale type: Major" for an unknown name (names are case-sensitive),
    // "Invalid interval: ..." for a bad explicit list, the add_intvl message.
    static Scale of_string(std::string_view text);
    // "C major", "Eb harmonic minor"; an unnamed type follows the root directly: "C:2.b3.5".
    std::string to_string() const;

    const Note& root() const { return root_; }
    const Intvllist& scaletype() const { return scaletype_; }
    // The scale notes above the root, in interval order: C major -> D E F G A B.
    const std::vector<Note>& notes_above_root() const { return notes_; }
    // All scale notes from the root upward: C major -> C D E F G A B.
    std::vector<Note> notes() const;
    // The scale note of written degree: nth(C diminished, 2) -> D#. Throws Not_found when absent.
    Note nth(int degree) const;

    // By root (Note::compare), then by type (Intvllist::compare).
    static int compare(const Scale& a, const Scale& b);
    bool operator==(const Scale&) const = default;

private:
    Note root_;
    Intvllist scaletype_;
    std::vector<Note> notes_;
};

void pp(std::ostream& out, const Scale& scale);
std::ostream& operator<<(std::ostream& out, const Scale& scale);

}  // namespace zub
