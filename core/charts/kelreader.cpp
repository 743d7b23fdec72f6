#include "core/charts/kelreader.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "core/charts/style_codes.h"
#include "core/failure.h"
#include "core/theory/chord.h"
#include "core/theory/utils.h"

namespace zub::Kelreader {

namespace {

// "3/4" -> 3, "5/4" to "7/4" (and "2/4") their beats; any other value, untrimmed, 4.
int meter_of(std::string_view value) {
    if (value.size() == 3 && value.ends_with("/4") && value[0] >= '2' && value[0] <= '7') return value[0] - '0';
    return 4;
}

// Splits at runs of spaces and tabs; blanks at either end make no empty token.
std::vector<std::string_view> tokens(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t pos = 0;
    while (true) {
        pos = text.find_first_not_of(" \t", pos);
        if (pos == std::string_view::npos) break;
        auto end = text.find_first_of(" \t", pos);
        if (end == std::string_view::npos) end = text.size();
        pieces.push_back(text.substr(pos, end - pos));
        pos = end;
    }
    return pieces;
}

int int_of_string(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) throw Failure("int_of_string");
    return value;
}

// Removes literal and the run of digits after it from the front of rest and
// returns the digits; nothing when either is missing.
std::optional<std::string_view> literal_then_digits(std::string_view& rest, std::string_view literal) {
    if (!rest.starts_with(literal)) return std::nullopt;
    rest.remove_prefix(literal.size());
    auto digits_end = std::min(rest.find_first_not_of("0123456789"), rest.size());
    if (digits_end == 0) return std::nullopt;
    auto digits = rest.substr(0, digits_end);
    rest.remove_prefix(digits_end);
    return digits;
}

bool is_keyword(std::string_view word) {
    for (std::string_view keyword : {"Name", "Meter", "Style", "Key", "Tempo", "Chorus", "Sections"})
        if (word == keyword) return true;
    return false;
}

bool is_blank(std::string_view line) { return line.find_first_not_of(" \t\n") == std::string_view::npos; }

class Reader {
public:
    void read_line(std::string_view line) {
        if (is_blank(line)) return;
        if (line.front() == '|')
            read_bar_line(line);
        else
            read_header(line);
    }

    Chart chart() && {
        return Chart(std::move(name_), {meter_, style_type_}, std::move(key_), tempo_, std::move(bars_), chorus_,
                     std::move(sections_));
    }

private:
    std::string name_;
    int meter_ = 4;
    int style_type_ = 1;
    std::string key_ = "C";
    int tempo_ = 120;
    Chart::Chorus chorus_{1, 1, 1};
    std::vector<Chart::Section> sections_;
    std::vector<Chart::Bar> bars_;
    std::string last_chord_;
    bool any_chord_ = false;

    void read_bar_line(std::string_view line) {
        std::string_view rest = line.substr(1);
        while (!rest.empty()) {
            auto bar_end = rest.find('|');
            bars_.push_back(read_bar(rest.substr(0, bar_end), line));
            if (bar_end == std::string_view::npos) break;
            rest.remove_prefix(bar_end + 1);
        }
    }

    Chart::Bar read_bar(std::string_view text, std::string_view line) {
        auto chords = tokens(text);
        if (chords.empty()) throw Failure("Empty bar in line: " + std::string(line));
        const int beats = meter_ / static_cast<int>(chords.size());
        Chart::Bar bar;
        for (auto token : chords) {
            if (token != "_") {
                last_chord_ = named_symbol(token);
                any_chord_ = true;
                bar.push_back({last_chord_, beats});
            } else if (!bar.empty()) {
                bar.back().duration += beats;
            } else if (any_chord_) {
                bar.push_back({last_chord_, beats});
            } else {
                throw Failure("First chord cannot be _");
            }
        }
        return bar;
    }

    void read_header(std::string_view line) {
        auto colon = line.find(':');
        const std::string keyword(line.substr(0, colon));
        if (colon == std::string_view::npos || !is_keyword(keyword))
            throw Failure("Invalid input line: " + std::string(line));
        auto value_start = line.find_first_not_of(" \t", colon + 1);
        const std::string value(value_start == std::string_view::npos ? "" : line.substr(value_start));
        if (keyword == "Name")
            name_ = Utils::trim_right_string(value);
        else if (keyword == "Meter")
            meter_ = meter_of(value);
        else if (keyword == "Style")
            style_type_ = Style_codes::of_name(value).value_or(Style_codes::swing);
        else if (keyword == "Key")
            key_ = Utils::trim_right_string(value);
        else if (keyword == "Tempo")
            tempo_ = int_of_string(Utils::trim_right_string(value));
        else if (keyword == "Chorus")
            chorus_ = read_chorus(value);
        else
            sections_ = read_sections(value);
    }

    // "bars B to E (repeat R times)", matched piece by piece: a regular
    // expression here recurses once per character and overflows the stack
    // on a long line.
    static Chart::Chorus read_chorus(const std::string& value) {
        std::string_view rest = value;
        auto begin = literal_then_digits(rest, "bars ");
        auto end = begin ? literal_then_digits(rest, " to ") : std::nullopt;
        auto repeats = end ? literal_then_digits(rest, " (repeat ") : std::nullopt;
        if (!repeats || rest != " times)") throw Failure("Invalid chorus line: " + value);
        return {int_of_string(*begin), int_of_string(*end), int_of_string(*repeats)};
    }

    static std::vector<Chart::Section> read_sections(const std::string& value) {
        std::vector<Chart::Section> sections;
        for (auto piece : tokens(value)) {
            char mark = piece.empty() ? 0 : piece.back();
            auto digits = piece.substr(0, piece.size() - 1);
            bool valid = (mark == 'A' || mark == 'B') && !digits.empty() &&
                         digits.find_first_not_of("0123456789") == std::string_view::npos;
            if (!valid) throw Failure("Invalid section specification: " + std::string(piece));
            sections.push_back({int_of_string(digits), mark});
        }
        return sections;
    }
};

}  // namespace

Chart read_chart(std::string_view text) {
    Reader reader;
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        // A carriage return before the newline belongs to the line ending.
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        reader.read_line(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return std::move(reader).chart();
}

Chart read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure("Cannot open file: " + path);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return read_chart(text);
}

}  // namespace zub::Kelreader
