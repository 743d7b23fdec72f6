#include "core/theory/romanchord.h"

#include <array>

#include "core/failure.h"
#include "core/theory/chordkind.h"

namespace zub {

namespace {

// The first numeral that starts the text wins, so IIIm7 is III and not II.
constexpr std::array<std::string_view, 7> numerals_by_match = {"III", "II", "IV", "VII", "VI", "V", "I"};

std::size_t numeral_length(std::string_view text) {
    for (std::string_view numeral : numerals_by_match)
        if (text.starts_with(numeral)) return numeral.size();
    return 0;
}

// Length of the numeral with its optional single accidental at the start of
// text, or 0 when there is none.
std::size_t roman_length(std::string_view text) {
    if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
        if (std::size_t length = numeral_length(text.substr(1)); length > 0) return 1 + length;
    }
    return numeral_length(text);
}

}  // namespace

Romanchord Romanchord::of_string(std::string_view text) {
    const std::size_t length = roman_length(text);
    if (length == 0) throw Failure("Invalid roman chord: " + std::string(text));
    const std::string_view kind = text.substr(length);
    if (!Chordkind::is_valid(kind)) throw Failure("Invalid kind: " + std::string(kind));
    return Romanchord(Roman::of_string(text.substr(0, length)), std::string(kind));
}

Romanchord Romanchord::of_root_kind(const Roman& root, std::string_view kind) {
    if (!Chordkind::is_valid(kind)) throw Failure("Invalid kind: " + std::string(kind));
    return Romanchord(root, std::string(kind));
}

std::string Romanchord::to_string() const { return root_.to_string() + kind_; }

int Romanchord::compare(const Romanchord& a, const Romanchord& b) {
    if (int c = Roman::compare(a.root_, b.root_); c != 0) return c;
    return a.kind_.compare(b.kind_);
}

void pp(std::ostream& out, const Romanchord& chord) { out << chord.to_string(); }
std::ostream& operator<<(std::ostream& out, const Romanchord& chord) { return out << chord.to_string(); }

}  // namespace zub
