#include "core/charts/biabwriter.h"

#include <algorithm>
#include <regex>
#include <vector>

#include "core/charts/biab_tables.h"
#include "core/charts/biabchords.h"
#include "core/charts/style_codes.h"
#include "core/failure.h"
#include "core/theory/chordtype.h"

namespace zub::Biabwriter {

namespace {

constexpr int chord_slots = 1020;
constexpr int section_bars = 255;

class Byte_writer {
public:
    Byte_writer() { bytes_.reserve(16); }

    void byte(long value) {
        if (value < 0) throw Invalid_argument("char_of_int");
        if (value > 255) throw Failure("Value out of range for BiaB file: " + std::to_string(value));
        bytes_.push_back(static_cast<char>(value));
    }
    void bytes(std::initializer_list<int> values) {
        for (int value : values) byte(value);
    }
    void repeat(int times, std::initializer_list<int> values) {
        for (int i = 0; i < times; ++i) bytes(values);
    }
    void text(const std::string& text) { bytes_ += text; }
    std::size_t size() const { return bytes_.size(); }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

// 1-based position in the key-name table, 0 when absent.
int key_position(const std::string& name) {
    auto names = biab_key_names;
    auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? 0 : static_cast<int>(found - names.begin()) + 1;
}

void write_title(Byte_writer& out, const std::string& title) {
    out.byte(static_cast<long>(title.size()));
    out.text(title);
    out.byte(0);
    out.byte(60 - static_cast<long>(title.size()));
}

void write_key(Byte_writer& out, const std::string& key) {
    static const std::regex pattern("^(C#|C|D#|Db|D|Eb|E|F#|F|G#|Gb|G|A#|Ab|A|Bb|B)(m?)$");
    std::smatch match;
    if (!std::regex_match(key, match, pattern)) throw Failure("Invalid key: " + key);
    int position = key_position(match[1]);
    out.byte(match[2].length() == 0 ? position : position + 17);
}

// Marks as a run list: a mark byte, then 0 and the count of unmarked bars.
void write_sections(Byte_writer& out, std::vector<Chart::Section> sections) {
    std::stable_sort(sections.begin(), sections.end(),
                     [](const auto& a, const auto& b) { return a.bar < b.bar; });
    if (sections.empty() || sections.front().bar != 1) sections.insert(sections.begin(), {1, 'A'});
    int previous = 0;
    for (const auto& section : sections) {
        if (previous > 0) out.bytes({0, section.bar - previous - 1});
        if (section.mark == 'A')
            out.byte(1);
        else if (section.mark == 'B')
            out.byte(2);
        else
            throw Failure(std::string("Invalid section type: ") + section.mark);
        previous = section.bar;
    }
    out.bytes({0, section_bars - previous});
}

// BiaB counts 4 beats in every bar; a 3/4 bar's last chord gets the fourth.
std::vector<Chart::Bar> adjust_bar_to_4_beats(std::vector<Chart::Bar> bars, int meter) {
    if (meter == 4) return bars;
    if (meter != 3) throw Failure("Unrecognized meter: " + std::to_string(meter));
    for (auto& bar : bars) {
        if (bar.empty()) throw Failure("Illegal empty bar in adjust_bar_to_4_beats");
        bar.back() = {bar.back().symbol, bar.back().duration + 1};
    }
    return bars;
}

struct Biab_chord {
    int type_code;
    int root_byte;
    int beats;
};

// An entry as the file stores it, and the chord the file holds instead when it
// has no code for the entry's own ("" when it has).
struct Coded_entry {
    Biab_chord chord;
    std::string written;
};

Coded_entry biab_chord(const Chart::Entry& entry) {
    static const std::regex pattern("^(([A-G])((##|#|bb|b)?))([^/]*)(/(([A-G])((##|#|bb|b)?)))?$");
    const std::string& symbol = entry.symbol;
    std::smatch match;
    if (!std::regex_match(symbol, match, pattern)) throw Failure("Unrecognized chord: " + symbol);
    const std::string type_text = match[5];
    Intvllist type;
    try {
        type = Chordtype::of_string(type_text);
    } catch (const Not_found&) {
        throw Failure("Unknown chord type: " + type_text);
    }
    int root = key_position(match[1]);
    int type_code = 0;
    try {
        type_code = Biabchords::nearest_code(type_text);
    } catch (const Not_found&) {
    }
    if (root == 0 || type_code == 0) throw Failure("Cannot convert chord " + symbol + " to BiaB");
    if (entry.duration < 1) throw Failure("Chord " + symbol + " has no beats");
    // The bass is stored as semitones above the root; a bass name outside the
    // table (E#, Fb, ...) is dropped.
    int bass = match[7].matched ? key_position(match[7]) : 0;
    int above = bass == 0 ? 0 : (biab_key_pitches[bass - 1] - biab_key_pitches[root - 1] + 12) % 12;
    const std::string code_type = Biabchords::to_kel(type_code);
    const bool exact = Chordtype::of_string(code_type) == type;
    return {{type_code, root + 18 * above, entry.duration}, exact ? "" : match.str(1) + code_type + match.str(6)};
}

// Notes a chord written as another in bar, one line per chord and what it became.
void note_approximation(std::vector<Approximation>& approximations, const std::string& symbol,
                        const std::string& written, int bar) {
    auto same = std::find_if(approximations.begin(), approximations.end(),
                             [&](const Approximation& a) { return a.symbol == symbol; });
    if (same == approximations.end())
        approximations.push_back({symbol, written, {bar}});
    else if (same->bars.back() != bar)
        same->bars.push_back(bar);
}

template <typename Value>
void write_chord_runs(Byte_writer& out, const std::vector<Biab_chord>& chords, Value value) {
    int slots = 0;
    for (const auto& chord : chords) {
        out.byte(value(chord));
        if (chord.beats > 1) out.bytes({0, chord.beats - 1});
        slots += chord.beats;
    }
    for (; slots <= chord_slots - 255; slots += 255) out.bytes({0, 255});
    if (slots < chord_slots) out.bytes({0, chord_slots - slots});
}

std::vector<Approximation> write_chords(Byte_writer& out, const Chart& chart) {
    std::vector<Biab_chord> chords;
    std::vector<Approximation> approximations;
    int slots = 0;
    int bar_number = 0;
    for (const auto& bar : adjust_bar_to_4_beats(chart.bars(), chart.style().meter)) {
        ++bar_number;
        for (const auto& entry : bar) {
            const Coded_entry coded = [&] {
                try {
                    return biab_chord(entry);
                } catch (const Failure& failure) {
                    throw Failure("Bar " + std::to_string(bar_number) + ": " + failure.what());
                }
            }();
            if (!coded.written.empty()) note_approximation(approximations, entry.symbol, coded.written, bar_number);
            chords.push_back(coded.chord);
            slots += entry.duration;
        }
    }
    // Past the slots the reader would take the rest of the types for roots.
    if (slots > chord_slots)
        throw Failure("Chart too long for BiaB format: " + std::to_string(slots) + " beats (at most 1020)");
    write_chord_runs(out, chords, [](const Biab_chord& c) { return c.type_code; });
    write_chord_runs(out, chords, [](const Biab_chord& c) { return c.root_byte; });
    return approximations;
}

// Fixed bytes after the chorus; only the chorus end varies.
void write_trailer(Byte_writer& out, int chorus_end) {
    out.bytes({0x01, 0x00, 0x01});
    out.bytes({chorus_end, chorus_end + 1, chorus_end + 4});
    out.bytes({0x0B, 0x0B, 0x0B, 0x0B});
    out.repeat(6, {0x00, 0xFF});
    out.bytes({0x00, 0x06});
    out.repeat(65, {0x01, 0x20, 0x00, 0x4D});
    out.byte(0x42);
    out.repeat(9, {0x00, 0xFF});
    out.bytes({0x00, 0x2E, 0x01, 0x01, 0x01, 0x00, 0x04, 0x01, 0xE1, 0x00, 0xC8, 0xA0, 0xB0, 0xC0});
}

}  // namespace

Song_file write_song(const Chart& chart) {
    Byte_writer out;
    out.byte(68);  // the new layout
    write_title(out, chart.name());
    out.byte(Style_codes::biab_code(chart.style().type));
    write_key(out, chart.key());
    out.bytes({chart.tempo() % 256, chart.tempo() / 256});
    out.byte(1);  // leading section byte
    write_sections(out, chart.sections());
    std::vector<Approximation> approximations = write_chords(out, chart);
    out.byte(1);  // the byte the reader skips after a full root list
    const auto& chorus = chart.chorus();
    out.bytes({chorus.begin, chorus.end, chorus.repeats});
    write_trailer(out, chorus.end);
    // length of everything before it, least significant byte first
    auto length = static_cast<long>(out.size());
    for (int shift = 0; shift < 32; shift += 8) out.byte((length >> shift) & 0xFF);
    return {out.take(), std::move(approximations)};
}

std::string write_chart(const Chart& chart) { return write_song(chart).bytes; }

}  // namespace zub::Biabwriter
