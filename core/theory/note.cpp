#include "core/theory/note.h"

#include "core/failure.h"
#include "core/theory/constants.h"
#include "core/theory/intvl.h"

namespace zub {

namespace {

using Constants::degree_semitones;

int mod(int value, int modulus) { return ((value % modulus) + modulus) % modulus; }

// The alteration in -2..9 congruent to value modulo 12; above 2 is unspellable.
int wrapped_alteration(int value) { return mod(value + 2, 12) - 2; }

}  // namespace

std::size_t Note::name_length(std::string_view text) {
    if (text.empty() || text[0] < 'A' || text[0] > 'G') return 0;
    return 1 + Constants::alteration_length(text, 1);
}

Note Note::of_string(std::string_view text) {
    const std::size_t length = name_length(text);
    if (length == 0 || length != text.size()) throw Failure("Invalid note: " + std::string(text));
    const int n = static_cast<int>(std::string_view("CDEFGAB").find(text[0]));
    return Note(n, Constants::alteration_value(text.substr(1)));
}

Note Note::of_n_alt(int n, int alt) {
    if (n < 0 || n > 6) throw Failure("Invalid n: " + std::to_string(n));
    if (alt < -2 || alt > 2) throw Failure("Invalid alt: " + std::to_string(alt));
    return Note(n, alt);
}

std::string Note::to_string() const {
    std::string text(Constants::letter_names[n_]);
    text += Constants::alteration_names[alt_ + 2];
    return text;
}

int Note::semi() const { return mod(degree_semitones[n_] + alt_, 12); }

Note Note::add_intvl(const Intvl& interval) const {
    const int letter = (n_ + interval.i()) % 7;
    const int letter_distance = mod(degree_semitones[letter] - degree_semitones[n_], 12);
    const int alt = wrapped_alteration(alt_ + interval.semi() - letter_distance);
    if (alt > 2) throw Failure(to_string() + " + " + interval.to_string() + " results in invalid note");
    return Note(letter, alt);
}

Note Note::sub_intvl(const Intvl& interval) const {
    const int letter = mod(n_ - interval.i(), 7);
    const int letter_distance = mod(degree_semitones[n_] - degree_semitones[letter], 12);
    const int alt = wrapped_alteration(alt_ + letter_distance - interval.semi());
    if (alt > 2) throw Failure(to_string() + " - " + interval.to_string() + " results in invalid note");
    return Note(letter, alt);
}

Intvl Note::sub_note(const Note& other) const {
    const int degree = mod(n_ - other.n_, 7);
    const int distance = mod(semi() - other.semi(), 12);
    const int alt = wrapped_alteration(distance - degree_semitones[degree]);
    if (alt > 2) throw Failure(to_string() + " - " + other.to_string() + " results in invalid interval");
    return Intvl::of_i_alt(degree, alt);
}

int Note::compare(const Note& a, const Note& b) {
    return a.n_ != b.n_ ? a.n_ - b.n_ : a.alt_ - b.alt_;
}

void pp(std::ostream& out, const Note& note) { out << note.to_string(); }
std::ostream& operator<<(std::ostream& out, const Note& note) { return out << note.to_string(); }

}  // namespace zub
