// A spelled interval: a degree 1..13 (degree index 0..12) and an alteration
// relative to the major or perfect interval of that degree. Compound
// intervals stay compound: a ninth is not a second.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace zub {

class Intvl {
public:
    // of_string("b7") -> (6, -1), of_string("13") -> (12, 0);
    // "Invalid interval: 14" for anything but an alteration plus a degree 1..13.
    static Intvl of_string(std::string_view text);
    // of_i_alt(2, -1) -> b3; "Invalid i: 13" or "Invalid alt: -3" out of range (i tested first).
    static Intvl of_i_alt(int i, int alt);

    int i() const { return i_; }      // degree index 0..12, one less than the written degree
    int alt() const { return alt_; }  // alteration -2..2

    // "1", "b3", "#11".
    std::string to_string() const;
    // Semitone class 0..11: 9 -> 2, 13 -> 9, b1 -> 11.
    int semi() const;
    // Same semitone class: #4 ~ b5, 9 ~ 2, #9 ~ b3.
    bool equiv(const Intvl& other) const { return semi() == other.semi(); }

    // Degree first, then alteration: #4 sorts before b5.
    static int compare(const Intvl& a, const Intvl& b);
    bool operator==(const Intvl&) const = default;
    std::size_t hash() const { return static_cast<std::size_t>(i_ * 5 + alt_ + 2); }

private:
    Intvl(int i, int alt) : i_(static_cast<signed char>(i)), alt_(static_cast<signed char>(alt)) {}
    signed char i_;
    signed char alt_;
};

void pp(std::ostream& out, const Intvl& interval);
std::ostream& operator<<(std::ostream& out, const Intvl& interval);

}  // namespace zub

template <>
struct std::hash<zub::Intvl> {
    std::size_t operator()(const zub::Intvl& interval) const { return interval.hash(); }
};
