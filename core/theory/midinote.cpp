#include "core/theory/midinote.h"

#include <array>

#include "core/failure.h"
#include "core/theory/constants.h"

namespace zub {

namespace {

constexpr std::array<std::string_view, 12> default_spellings = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                                "F#", "G",  "Ab", "A",  "Bb", "B"};

int mod12(int value) { return ((value % 12) + 12) % 12; }

// Floor division, so that negative numbers land in the octave below.
int floor_div12(int value) { return value >= 0 ? value / 12 : -((11 - value) / 12); }

// Semitones of the note above C of its own letter's octave: Cb -> -1, B# -> 12.
int unwrapped_semitones(const Note& note) { return Constants::degree_semitones[note.n()] + note.alt(); }

// The number in a wide type, so that absurd octaves cannot overflow the range test.
long long wide_notenum(const Note& note, long long octave) { return 12 * (octave + 1) + unwrapped_semitones(note); }

[[noreturn]] void out_of_range(long long number) {
    throw Invalid_argument("Midinote out of range: " + std::to_string(number));
}

bool in_range(long long number) { return number >= 0 && number <= 127; }

}  // namespace

Midinote Midinote::of_notenum(int number) {
    if (!in_range(number)) out_of_range(number);
    return Midinote(Note::of_string(default_spellings[mod12(number)]), floor_div12(number) - 1);
}

Midinote Midinote::of_note_octave(const Note& note, int octave) {
    const long long number = wide_notenum(note, octave);
    if (!in_range(number)) out_of_range(number);
    return Midinote(note, octave);
}

Midinote Midinote::of_string(std::string_view text) {
    const std::size_t name_length = Note::name_length(text);
    const std::string_view octave = name_length == 0 ? std::string_view() : text.substr(name_length);
    const bool octave_ok = octave == "-1" || (octave.size() == 1 && octave[0] >= '0' && octave[0] <= '9');
    if (!octave_ok) throw Failure("Invalid midinote: " + std::string(text));
    const int octave_number = octave == "-1" ? -1 : octave[0] - '0';
    return of_note_octave(Note::of_string(text.substr(0, name_length)), octave_number);
}

Midinote Midinote::of_notenum_in_notelist(int number, const std::vector<Note>& notes) {
    for (const Note& note : notes) {
        if (note.semi() != mod12(number)) continue;
        // exact: number and the note's semitones share the pitch class
        return Midinote(note, floor_div12(number - unwrapped_semitones(note)) - 1);
    }
    throw Not_found();
}

Midinote Midinote::validate() const {
    const long long number = wide_notenum(note_, octave_);
    if (!in_range(number)) out_of_range(number);
    return *this;
}

int Midinote::to_notenum() const { return 12 * (octave_ + 1) + unwrapped_semitones(note_); }

std::string Midinote::to_string() const { return note_.to_string() + std::to_string(octave_); }

Midinote Midinote::add_int(int k) const {
    const long long number = static_cast<long long>(to_notenum()) + k;
    if (!in_range(number)) out_of_range(number);
    return of_notenum(static_cast<int>(number));
}

Midinote Midinote::sub_int(int k) const {
    const long long number = static_cast<long long>(to_notenum()) - k;
    if (!in_range(number)) out_of_range(number);
    return of_notenum(static_cast<int>(number));
}

int Midinote::sub_midinote(const Midinote& a, const Midinote& b) { return a.to_notenum() - b.to_notenum(); }

int Midinote::compare(const Midinote& a, const Midinote& b) {
    if (int c = Note::compare(a.note_, b.note_); c != 0) return c;
    return a.octave_ < b.octave_ ? -1 : a.octave_ > b.octave_ ? 1 : 0;
}

void pp(std::ostream& out, const Midinote& midinote) { out << midinote.to_string(); }
std::ostream& operator<<(std::ostream& out, const Midinote& midinote) { return out << midinote.to_string(); }

}  // namespace zub
