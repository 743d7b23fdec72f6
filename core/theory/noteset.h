// An ordered set of spelled notes, ordered as Note::compare orders them (letter,
// then alteration). Enharmonic notes are different elements: {C#, Db} has two.
// There are only 35 spellable notes, so the set is a bit mask: membership,
// union, subset and symmetric difference cost a few instructions each.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "core/theory/note.h"

namespace zub {

class Noteset {
public:
    Noteset() = default;  // the empty set

    // The set with note added: {C, E}.add(G) -> {C, E, G}.
    Noteset add(const Note& note) const { return Noteset(bits_ | bit(note)); }
    bool mem(const Note& note) const { return (bits_ & bit(note)) != 0; }
    Noteset union_with(const Noteset& other) const { return Noteset(bits_ | other.bits_); }
    Noteset inter(const Noteset& other) const { return Noteset(bits_ & other.bits_); }
    Noteset diff(const Noteset& other) const { return Noteset(bits_ & ~other.bits_); }
    // Whether every element of this set is in other.
    bool subset(const Noteset& other) const { return (bits_ & ~other.bits_) == 0; }
    // The number of notes in exactly one of the two sets: {C, E} and {C, Eb} -> 2.
    int symdiff_size(const Noteset& other) const;
    int cardinal() const;
    bool empty() const { return bits_ == 0; }
    // The elements in set order: {G, C, E} -> C E G.
    std::vector<Note> elements() const;

    // Set order extended to sets: compares the element lists lexicographically.
    static int compare(const Noteset& a, const Noteset& b);
    bool operator==(const Noteset&) const = default;

private:
    explicit Noteset(std::uint64_t bits) : bits_(bits) {}
    // Note::hash numbers the 35 notes 0..34 in set order.
    static std::uint64_t bit(const Note& note) { return std::uint64_t{1} << note.hash(); }
    std::uint64_t bits_ = 0;
};

// The set of the list's notes: [G, C, E, C] -> {C, E, G}.
Noteset noteset_of_notelist(const std::vector<Note>& notes);
// "{C, E, G}"; the empty set gives "{}".
std::string noteset_to_string(const Noteset& set);
void noteset_pp(std::ostream& out, const Noteset& set);

}  // namespace zub
