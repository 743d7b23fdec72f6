#include "bridge/chord_spelling.h"

#include <algorithm>
#include <cctype>
#include <regex>
#include <vector>

#include "bridge/accidentals.h"
#include "bridge/internal/reaching_core.h"
#include "core/theory/chord.h"
#include "core/theory/chordtype.h"

namespace zub::Chord_spelling {

namespace {

// The chord-type names, sorted, so that a beginning of a name is one search.
const std::vector<std::string>& sorted_names() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all = Chordtype::all_names();
        std::sort(all.begin(), all.end());
        return all;
    }();
    return names;
}

bool is_name(std::string_view text) {
    const auto& names = sorted_names();
    return std::binary_search(names.begin(), names.end(), text);
}

bool is_name_or_beginning(std::string_view text) {
    const auto& names = sorted_names();
    const auto at = std::lower_bound(names.begin(), names.end(), text);
    return at != names.end() && std::string_view(*at).starts_with(text);
}

bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

std::string ascii_accidentals(std::string_view text) {
    return replace_all(replace_all(text, "\u266F", "#"), "\u266D", "b");
}

bool is_grouping(char c) { return c == '(' || c == ')' || c == ',' || c == ' '; }

// Whether the slash at k stands between two digits, grouping signs aside ("6/9",
// "6(/9)"), looking no further left than from. Such a slash belongs to the type;
// the type's end and its respelling must agree on it, or respelling twice differs.
bool slash_between_digits(std::string_view text, std::size_t k, std::size_t from) {
    std::size_t left = k;
    while (left > from && is_grouping(text[left - 1])) --left;
    std::size_t right = k + 1;
    while (right < text.size() && is_grouping(text[right])) ++right;
    return left > from && right < text.size() && is_digit(text[left - 1]) && is_digit(text[right]);
}

// "7(b9, #11)" -> "7b9#11", "6/9" -> "69": parentheses, commas, blanks and a slash
// between two digits only group what musicians write.
std::string without_grouping(std::string_view text) {
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (is_grouping(c)) continue;
        if (c == '/' && slash_between_digits(text, k, 0)) continue;
        out.push_back(c);
    }
    return out;
}

// Reads a type text from its start, one spelling after the other.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    bool take(std::string_view spelling) {
        if (!text_.substr(pos_).starts_with(spelling)) return false;
        pos_ += spelling.size();
        return true;
    }
    bool take_ignoring_case(std::string_view spelling) {
        const std::string_view here = text_.substr(pos_, spelling.size());
        if (here.size() != spelling.size()) return false;
        for (std::size_t k = 0; k < here.size(); ++k)
            if (std::tolower(static_cast<unsigned char>(here[k])) != spelling[k]) return false;
        pos_ += spelling.size();
        return true;
    }
    bool digit_next() const { return pos_ < text_.size() && is_digit(text_[pos_]); }
    bool at_end() const { return pos_ == text_.size(); }
    std::string_view rest() const { return text_.substr(pos_); }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

// The major-seventh signs: "maj", "M7", "ma7", "Δ", "△", "^". A number after them
// is the chord's extension ("Δ9" -> "Maj9"); a triangle alone is the seventh.
bool take_major(Cursor& at, std::string& out) {
    const bool word = at.take_ignoring_case("maj");
    const bool triangle = !word && (at.take("\u0394") || at.take("\u25B3") || at.take("^"));
    if (!word && !triangle) {
        Cursor letters = at;
        if (!(letters.take("M") || letters.take_ignoring_case("ma")) || !letters.digit_next()) return false;
        at = letters;
    }
    out += at.digit_next() || (word && at.at_end()) ? "Maj" : "Maj7";
    return true;
}

// The quality at the start: half-diminished, diminished, minor, major, altered.
std::string rewritten_quality(std::string_view text) {
    Cursor at(text);
    std::string out;
    if (at.take("\u00F8") || at.take("\u00D8")) {
        if (at.take("9")) return out.append("m9b5").append(at.rest());
        at.take("7");
        return out.append("m7b5").append(at.rest());
    }
    if (at.take("alt")) return out.append("7alt").append(at.rest());
    if (!take_major(at, out)) {
        if (at.take("\u00B0") || at.take("o") || at.take("dim")) out = "dim";
        else if (at.take("min") || at.take("mi") || at.take("-") || at.take("m")) out = "m";
        if (!out.empty()) take_major(at, out);
    }
    return out.append(at.rest());
}

// "aug" and a leading "+" are the augmented fifth, "sus4" is sus.
std::string rewritten_signs(std::string text) {
    text = replace_all(replace_all(text, "aug", "+"), "sus4", "sus");
    if (text.size() > 1 && text[0] == '+' && is_digit(text[1])) text = text.substr(1) + "+";
    if (text.ends_with("Maj7+")) text.replace(text.size() - 1, 1, "#5");
    return text;
}

// "7#11b9" -> "7b9#11", "7susb9" -> "7b9sus": alterations in ascending degree
// order (the flat first on one degree), a sus after them.
std::string in_degree_order(const std::string& text) {
    static const std::regex split("^(.*?)((?:[#b][0-9]+|sus)+)$");
    static const std::regex piece("[#b][0-9]+|sus");
    // No chord type is this long; the regex engine recurses per character.
    constexpr std::size_t longest_type = 40;
    std::smatch parts;
    if (text.size() > longest_type || !std::regex_match(text, parts, split)) return text;
    const std::string run = parts[2];
    std::vector<std::string> alterations;
    bool sus = false;
    for (auto it = std::sregex_iterator(run.begin(), run.end(), piece); it != std::sregex_iterator(); ++it) {
        if (it->str() == "sus") sus = true;
        else alterations.push_back(it->str());
    }
    // Degrees compare as numbers: the shorter digit string is the smaller.
    std::stable_sort(alterations.begin(), alterations.end(), [](const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return a.size() < b.size();
        const int by_degree = a.compare(1, std::string::npos, b, 1, std::string::npos);
        return by_degree != 0 ? by_degree < 0 : (a[0] == 'b' && b[0] == '#');
    });
    std::string out = parts[1];
    for (const std::string& alteration : alterations) out += alteration;
    return sus ? out + "sus" : out;
}

// Where the text's note letter and its accidentals end (0 when it has no letter).
std::size_t note_end(std::string_view text) {
    if (text.empty() || std::string_view("ABCDEFGabcdefg").find(text[0]) == std::string_view::npos) return 0;
    std::size_t end = 1;
    for (const char accidental : {'#', 'b'}) {
        if (end < text.size() && text[end] == accidental) {
            ++end;
            if (end < text.size() && text[end] == accidental) ++end;
            break;
        }
    }
    return end;
}

std::string upper_note(std::string_view text, std::size_t end) {
    std::string note(text.substr(0, end));
    note[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(note[0])));
    return note;
}

// Where the type ends: at the first slash that is not between two digits.
std::size_t type_end(std::string_view text, std::size_t from) {
    for (std::size_t k = from; k < text.size(); ++k) {
        if (text[k] == '/' && !slash_between_digits(text, k, from)) return k;
    }
    return text.size();
}

}  // namespace

std::string respell_type(std::string_view typed) {
    const std::string ascii = ascii_accidentals(typed);
    if (ascii.empty() || is_name_or_beginning(ascii)) return ascii;
    const std::string rewritten = rewritten_signs(rewritten_quality(without_grouping(ascii)));
    if (is_name_or_beginning(rewritten)) return rewritten;
    const std::string ordered = in_degree_order(rewritten);
    if (is_name(ordered)) return ordered;
    return ascii;
}

bool could_become_type(std::string_view typed) {
    // The words musicians spell out, which read as nothing until they are whole.
    static constexpr std::string_view words[] = {"maj", "min", "alt", "aug", "sus4", "dim"};
    const std::string ascii = ascii_accidentals(typed);
    if (is_name_or_beginning(respell_type(ascii))) return true;
    for (const std::string_view word : words)
        for (std::size_t typed_letters = 1; typed_letters < word.size(); ++typed_letters)
            if (ascii.ends_with(word.substr(0, typed_letters)) &&
                is_name_or_beginning(respell_type(ascii + std::string(word.substr(typed_letters)))))
                return true;
    return false;
}

std::string respell_symbol(std::string_view typed) {
    const std::string ascii = ascii_accidentals(typed);
    const std::size_t root_end = note_end(ascii);
    if (root_end == 0) return ascii;
    const std::size_t slash = type_end(ascii, root_end);
    std::string symbol = upper_note(ascii, root_end) + respell_type(std::string_view(ascii).substr(root_end, slash - root_end));
    if (slash == ascii.size()) return symbol;
    const std::string_view bass = std::string_view(ascii).substr(slash + 1);
    const std::size_t bass_end = note_end(bass);
    symbol += "/";
    if (bass_end == 0) return symbol.append(bass);
    return symbol.append(upper_note(bass, bass_end)).append(bass.substr(bass_end));
}

std::string lenient_printname(std::string_view typed) {
    return reaching_core("lenient_printname", [&] {
        try {
            return chord_printname(respell_symbol(typed));
        } catch (const Failure&) {
            // The message names what was typed, not our respelling of it.
            return chord_printname(ascii_accidentals(typed));
        }
    });
}

}  // namespace zub::Chord_spelling
