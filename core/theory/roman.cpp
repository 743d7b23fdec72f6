#include "core/theory/roman.h"

#include <array>

#include "core/failure.h"
#include "core/theory/constants.h"

namespace zub {

namespace {

constexpr std::array<std::string_view, 7> numeral_names = {"I", "II", "III", "IV", "V", "VI", "VII"};

int numeral_index(std::string_view text) {
    for (std::size_t k = 0; k < numeral_names.size(); ++k)
        if (numeral_names[k] == text) return static_cast<int>(k);
    return -1;
}

}  // namespace

Roman Roman::of_string(std::string_view text) {
    const std::size_t alteration = Constants::alteration_length(text, 0);
    const int n = numeral_index(text.substr(alteration));
    if (n < 0) throw Failure("Invalid roman: " + std::string(text));
    return Roman(n, Constants::alteration_value(text.substr(0, alteration)));
}

Roman Roman::of_n_alt(int n, int alt) {
    if (n < 0 || n > 6) throw Failure("Invalid n: " + std::to_string(n));
    if (alt < -2 || alt > 2) throw Failure("Invalid alt: " + std::to_string(alt));
    return Roman(n, alt);
}

Roman Roman::of_intvl(const Intvl& interval) {
    if (interval.alt() < -2 || interval.alt() > 2) throw Failure("Invalid alt: " + std::to_string(interval.alt()));
    if (interval.i() < 0 || interval.i() > 6) throw Failure("Invalid i: " + std::to_string(interval.i()));
    return Roman(interval.i(), interval.alt());
}

std::string Roman::to_string() const {
    std::string text(Constants::alteration_names[alt_ + 2]);
    text += numeral_names[n_];
    return text;
}

Intvl Roman::to_intvl() const { return Intvl::of_i_alt(n_, alt_); }

Note Roman::to_note() const { return Note::of_n_alt(n_, alt_); }

Intvl Roman::sub_roman(const Roman& a, const Roman& b) { return a.to_note().sub_note(b.to_note()); }

int Roman::compare(const Roman& a, const Roman& b) { return a.n_ != b.n_ ? a.n_ - b.n_ : a.alt_ - b.alt_; }

void pp(std::ostream& out, const Roman& roman) { out << roman.to_string(); }
std::ostream& operator<<(std::ostream& out, const Roman& roman) { return out << roman.to_string(); }

}  // namespace zub
