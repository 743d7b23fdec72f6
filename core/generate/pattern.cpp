#include "core/generate/pattern.h"

#include <algorithm>
#include <numeric>

#include "core/failure.h"
#include "core/generate/exact.h"

namespace zub {

namespace {

std::vector<std::string> split_at_barlines(std::string_view text) {
    std::vector<std::string> pieces(1);
    for (const char c : text) {
        if (c == '|')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

std::string without_barlines(std::string_view text) {
    std::string steps;
    for (const char c : text)
        if (c != '|') steps += c;
    return steps;
}

bool is_note_token(const std::string& token) { return token[0] == 'x' || token[0] == 'o'; }

// Every start and duration, in order, for the grid computation.
std::vector<mpq_class> times_of(const std::vector<Pattern_note>& notes) {
    std::vector<mpq_class> values;
    for (const auto& note : notes) {
        values.push_back(note.start);
        values.push_back(note.duration);
    }
    return values;
}

}  // namespace

Pattern Pattern::of_string(std::string_view text) {
    const std::vector<std::string> pieces = split_at_barlines(text);
    if (pieces.size() < 3) throw Failure("Pattern contains less than two barlines: " + std::string(text));
    // Bars are the pieces strictly between the first and the last bar line.
    const std::size_t length = pieces[1].size();
    for (std::size_t k = 2; k + 1 < pieces.size(); ++k)
        if (pieces[k].size() != length) throw Failure("Bar with inconsistent length: " + pieces[k]);
    if (length == 0) throw Invalid_argument("Division_by_zero");

    // Positions are counted in whole steps and made exact once, in lowest terms.
    const auto steps = static_cast<long>(length);
    const auto in_bars = [steps](long count) {
        const long common = std::gcd(count, steps);
        return mpq_class(count / common, steps / common);
    };
    long at = -static_cast<long>(pieces[0].size());
    std::vector<Pattern_note> notes;
    for (const std::string& token : Patterns::tokens(without_barlines(text))) {
        const auto held = static_cast<long>(token.size());
        if (is_note_token(token)) notes.push_back({in_bars(at), in_bars(held)});
        at += held;
    }
    return Pattern(std::move(notes));
}

std::string Pattern::to_string() const {
    if (notes_.empty()) return "||";
    const long grid = Patterns::common_denom(times_of(notes_));
    // Step positions relative to the first bar line; notes come in time order,
    // but the extent is taken over all of them so no position falls outside.
    long first = 0;
    long end = 0;
    for (const auto& note : notes_) {
        first = std::min(first, Exact::integer_of(note.start * grid));
        end = std::max(end, Exact::integer_of((note.start + note.duration) * grid));
    }
    const long pickup = -first;
    const long bars = std::max(1L, (end + grid - 1) / grid);
    std::string steps(static_cast<std::size_t>(pickup + bars * grid), '.');
    for (const auto& note : notes_) {
        const long at = pickup + Exact::integer_of(note.start * grid);
        const long held = Exact::integer_of(note.duration * grid);
        steps[static_cast<std::size_t>(at)] = 'x';
        for (long k = 1; k < held; ++k) steps[static_cast<std::size_t>(at + k)] = '-';
    }
    std::string text = steps.substr(0, static_cast<std::size_t>(pickup)) + "|";
    for (long bar = 0; bar < bars; ++bar)
        text += steps.substr(static_cast<std::size_t>(pickup + bar * grid), static_cast<std::size_t>(grid)) + "|";
    return text;
}

void pp(std::ostream& out, const Pattern& pattern) { out << pattern.to_string(); }
std::ostream& operator<<(std::ostream& out, const Pattern& pattern) { return out << pattern.to_string(); }

namespace Patterns {

std::vector<std::string> tokens(std::string_view text) {
    std::vector<std::string> found;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = start + 1;
        if (text[start] == 'x' || text[start] == 'o') {
            if (const char held = end < text.size() ? text[end] : '\0'; held == '-' || held == '=')
                while (end < text.size() && text[end] == held) ++end;
        } else if (text[start] != '.' && text[start] != ' ') {
            throw Not_found();
        }
        found.emplace_back(text.substr(start, end - start));
        start = end;
    }
    return found;
}

std::pair<std::string, std::string> split_at_index_string(std::string_view text, std::size_t i) {
    if (i > text.size()) throw Invalid_argument("Index out of range: " + std::to_string(i));
    return {std::string(text.substr(0, i)), std::string(text.substr(i))};
}

long common_denom(const std::vector<mpq_class>& values) {
    mpz_class grid = 1;
    for (const auto& value : values) {
        const mpq_class fraction = value - mpq_class(Exact::floor_of(value));
        mpz_lcm(grid.get_mpz_t(), grid.get_mpz_t(), fraction.get_den_mpz_t());
    }
    if (!grid.fits_slong_p()) throw Invalid_argument("Integer out of range: " + grid.get_str());
    return grid.get_si();
}

Randset<Pattern> weighted(const std::vector<std::pair<const char*, double>>& texts) {
    std::vector<std::pair<Pattern, double>> parsed;
    parsed.reserve(texts.size());
    for (const auto& [text, weight] : texts) parsed.emplace_back(Pattern::of_string(text), weight);
    return Randset<Pattern>::create(parsed);
}

}  // namespace Patterns

Pattern Pattern::of_notes(std::vector<Pattern_note> notes) {
    std::stable_sort(notes.begin(), notes.end(),
                     [](const Pattern_note& a, const Pattern_note& b) { return a.start < b.start; });
    return Pattern(std::move(notes));
}

}  // namespace zub
