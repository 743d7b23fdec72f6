#include "core/theory/intvl.h"

#include "core/failure.h"
#include "core/theory/constants.h"

namespace zub {

namespace {

// The written degree 1..13 without leading zero, or 0 when text is not one.
int written_degree(std::string_view text) {
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '9') return text[0] - '0';
    if (text.size() == 2 && text[0] == '1' && text[1] >= '0' && text[1] <= '3') return 10 + text[1] - '0';
    return 0;
}

}  // namespace

Intvl Intvl::of_string(std::string_view text) {
    const std::size_t alteration = Constants::alteration_length(text, 0);
    const int degree = written_degree(text.substr(alteration));
    if (degree == 0) throw Failure("Invalid interval: " + std::string(text));
    return Intvl(degree - 1, Constants::alteration_value(text.substr(0, alteration)));
}

Intvl Intvl::of_i_alt(int i, int alt) {
    if (i < 0 || i > 12) throw Failure("Invalid i: " + std::to_string(i));
    if (alt < -2 || alt > 2) throw Failure("Invalid alt: " + std::to_string(alt));
    return Intvl(i, alt);
}

std::string Intvl::to_string() const {
    std::string text(Constants::alteration_names[alt_ + 2]);
    text += std::to_string(i_ + 1);
    return text;
}

int Intvl::semi() const { return ((Constants::degree_semitones[i_] + alt_) % 12 + 12) % 12; }

int Intvl::compare(const Intvl& a, const Intvl& b) {
    return a.i_ != b.i_ ? a.i_ - b.i_ : a.alt_ - b.alt_;
}

void pp(std::ostream& out, const Intvl& interval) { out << interval.to_string(); }
std::ostream& operator<<(std::ostream& out, const Intvl& interval) { return out << interval.to_string(); }

}  // namespace zub
