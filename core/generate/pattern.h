// Rhythm patterns written like a drum machine's grid: "|x.xxx.xx|" is one bar of
// eight steps. Bar lines separate bars of equal length L, each character is one
// step of 1/L bar; "x" or "o" starts a note, a run of "-" or of "=" after it holds
// the note (across bar lines too), "." or " " is a rest. Text before the first bar
// line is a pickup on the same grid, text after the last continues the grid.
// A pattern is the list of its notes, (start, duration) in bars, in time order;
// it carries no pitch and no velocity.
#pragma once

#include <gmpxx.h>

#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/generate/randset.h"

namespace zub {

struct Pattern_note {
    mpq_class start;     // bars from the first bar line; negative in a pickup
    mpq_class duration;  // bars
    bool operator==(const Pattern_note&) const = default;
};

class Pattern {
public:
    // of_string("|x-.x----|") -> (0, 2/8), (3/8, 5/8); of_string("x|-..x....|") -> (-1/8, 2/8), (3/8, 1/8).
    // Failures: "Pattern contains less than two barlines: <text>",
    // "Bar with inconsistent length: <bar>", Invalid_argument "Division_by_zero"
    // for an empty first bar, Not_found for a character that starts no token.
    static Pattern of_string(std::string_view text);
    // The pattern of notes already in bars, put in time order.
    static Pattern of_notes(std::vector<Pattern_note> notes);

    // The grid text: "|x-.x....|" prints as "|x-.x....|", the empty pattern as "||".
    // The grid is common_denom of the starts and durations; patterns of whole
    // bars only print one step per bar ("|x|x|").
    std::string to_string() const;

    const std::vector<Pattern_note>& notes() const { return notes_; }
    bool operator==(const Pattern&) const = default;

private:
    explicit Pattern(std::vector<Pattern_note> notes) : notes_(std::move(notes)) {}
    std::vector<Pattern_note> notes_;
};

void pp(std::ostream& out, const Pattern& pattern);
std::ostream& operator<<(std::ostream& out, const Pattern& pattern);

namespace Patterns {

// The tokens covering the whole text: a note ("x" or "o") with every "-" or
// every "=" that follows it (one kind only), or one rest step ("." or " "):
// tokens("x--.o==") -> {"x--", ".", "o=="}; Not_found when some position
// starts no token ("x.-").
std::vector<std::string> tokens(std::string_view text);
// The first i characters and the rest: split_at_index_string("x|--|", 1) -> {"x", "|--|"};
// Invalid_argument "Index out of range: 9" when i exceeds the length.
std::pair<std::string, std::string> split_at_index_string(std::string_view text, std::size_t i);
// The number of grid steps per bar that puts every value on a step: the least
// common multiple of the denominators of their fractional parts, so
// common_denom({0, 3/16, 1/4}) -> 16 and common_denom({1, 3/8}) -> 8; 1 when
// every value is whole (and for the empty list).
long common_denom(const std::vector<mpq_class>& values);
// A pattern table's weighted set: weighted({{"|x...|", 80}, {"|x.x.|", 20}}) parses
// each text (failing as of_string does) and keeps the weights in order.
Randset<Pattern> weighted(const std::vector<std::pair<const char*, double>>& texts);

}  // namespace Patterns

}  // namespace zub
