#include "core/theory/noteset.h"

#include <bit>

namespace zub {

int Noteset::symdiff_size(const Noteset& other) const { return std::popcount(bits_ ^ other.bits_); }

int Noteset::cardinal() const { return std::popcount(bits_); }

std::vector<Note> Noteset::elements() const {
    std::vector<Note> notes;
    for (std::uint64_t rest = bits_; rest != 0; rest &= rest - 1) {
        const int index = std::countr_zero(rest);
        notes.push_back(Note::of_n_alt(index / 5, index % 5 - 2));
    }
    return notes;
}

int Noteset::compare(const Noteset& a, const Noteset& b) {
    const std::vector<Note> left = a.elements();
    const std::vector<Note> right = b.elements();
    for (std::size_t k = 0; k < left.size() && k < right.size(); ++k)
        if (int c = Note::compare(left[k], right[k]); c != 0) return c;
    return left.size() < right.size() ? -1 : left.size() > right.size() ? 1 : 0;
}

Noteset noteset_of_notelist(const std::vector<Note>& notes) {
    Noteset set;
    for (const Note& note : notes) set = set.add(note);
    return set;
}

std::string noteset_to_string(const Noteset& set) {
    std::string text = "{";
    for (const Note& note : set.elements()) {
        if (text.size() > 1) text += ", ";
        text += note.to_string();
    }
    return text + "}";
}

void noteset_pp(std::ostream& out, const Noteset& set) { out << noteset_to_string(set); }

}  // namespace zub
