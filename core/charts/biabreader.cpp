#include "core/charts/biabreader.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/charts/biab_tables.h"
#include "core/charts/biabchords.h"
#include "core/failure.h"

namespace zub::Biabreader {

namespace {

constexpr int old_format_bars = 64;
constexpr int slots_per_bar = 4;
constexpr int new_format_slots = 1020;
constexpr int new_format_section_bars = 255;

// A cursor over the file's bytes that fails instead of reading past the end.
class Byte_cursor {
public:
    explicit Byte_cursor(std::string_view bytes) : bytes_(bytes) {}

    int byte() {
        if (pos_ >= bytes_.size()) throw Failure("Truncated BiaB file");
        return static_cast<unsigned char>(bytes_[pos_++]);
    }
    int word() {
        int low = byte();
        return low + 256 * byte();
    }
    std::string_view text(std::size_t length) {
        if (bytes_.size() - pos_ < length) throw Failure("Truncated BiaB file");
        auto piece = bytes_.substr(pos_, length);
        pos_ += length;
        return piece;
    }
    void skip(std::size_t count) { text(count); }
    std::vector<int> bytes(std::size_t count) {
        std::vector<int> values;
        values.reserve(count);
        for (unsigned char c : text(count)) values.push_back(c);
        return values;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

struct Head {
    bool old_format;
    std::string title;
    Chart::Style style;
    std::string key;
    int tempo;
};

std::string key_name(int position) {
    if (position < 1 || position > 17) throw Not_found();
    return biab_key_names[position - 1];
}

std::string key_of_code(int code) {
    if (code >= 1 && code <= 17) return key_name(code);
    if (code >= 18 && code <= 34) return key_name(code - 17) + "m";
    throw Failure("Invalid BiaB key code: " + std::to_string(code));
}

std::string trim_spaces(std::string_view text) {
    auto end = text.find_last_not_of(' ');
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

Head read_head(Byte_cursor& in) {
    Head head;
    int format = in.byte();
    head.old_format = format == 187 || format == 188;
    int length = in.byte();
    head.title = trim_spaces(in.text(length));
    in.skip(head.old_format ? std::max(0, 60 - length) : 2);
    int style_type = in.byte();
    head.style = {style_type == 8 || style_type == 17 ? 3 : 4, style_type};
    head.key = key_of_code(in.byte());
    head.tempo = in.word();
    return head;
}

// Root byte r holds the root's position (r mod 18) and the bass as semitones
// above the root (r div 18): 1 + 18 * 7 with type 64 is C7/G.
std::string chord_name(int type_code, int root_byte) {
    int root = root_byte % 18;
    int above = root_byte / 18;
    if (root == 0) throw Failure("Invalid BiaB chord root: " + std::to_string(root_byte));
    std::string symbol = key_name(root) + Biabchords::to_kel(type_code);
    if (above == 0) return symbol;
    // Basses are named from the twelve flat-or-natural names, counted by pitch
    // so that a sharp root gets the right bass.
    int bass = (biab_key_pitches[root - 1] + above) % 12 + 1;
    return symbol + "/" + key_name(bass);
}

using Bar = std::vector<Chart::Entry>;

std::vector<Bar> adjust_for_meter(std::vector<Bar> bars, int meter) {
    if (meter != 3) return bars;
    for (auto& bar : bars) {
        if (bar.empty()) throw Failure("Impossible empty bar in adjust_for_meter");
        if (bar.back().duration == 1)
            bar.pop_back();
        else
            bar.back() = {bar.back().symbol, bar.back().duration - 1};
    }
    return bars;
}

Chart make_chart(const Head& head, std::vector<Bar> bars, Chart::Chorus chorus,
                 std::vector<Chart::Section> sections) {
    return Chart(head.title, head.style, head.key, head.tempo,
                 adjust_for_meter(std::move(bars), head.style.meter), chorus, std::move(sections));
}

// Old layout: fixed arrays of 64 bars of 4 beat slots.
Chart read_old_format(Byte_cursor& in, const Head& head) {
    std::vector<Chart::Section> sections;
    auto marks = in.bytes(old_format_bars);
    for (int bar = 0; bar < old_format_bars; ++bar) {
        if (marks[bar] == 0) continue;
        if (marks[bar] > 2) throw Failure("Invalid BiaB section mark: " + std::to_string(marks[bar]));
        sections.push_back({bar + 1, marks[bar] == 1 ? 'A' : 'B'});
    }
    auto types = in.bytes(old_format_bars * slots_per_bar);
    auto roots = in.bytes(old_format_bars * slots_per_bar);
    in.skip(1);
    Chart::Chorus chorus{in.byte(), in.byte(), in.byte()};
    if (chorus.end > old_format_bars)
        throw Failure("Invalid BiaB chorus end: " + std::to_string(chorus.end));

    // A bar that starts without a new chord holds the chord before it; each
    // file starts with none, so one file never leaks a chord into the next.
    std::string carried;
    std::vector<Bar> bars;
    for (int bar = 0; bar < chorus.end; ++bar) {
        Bar entries;
        for (int slot = bar * slots_per_bar; slot < (bar + 1) * slots_per_bar; ++slot) {
            if (types[slot] != 0) {
                carried = chord_name(types[slot], roots[slot]);
                entries.push_back({carried, 1});
            } else if (entries.empty()) {
                entries.push_back({carried, 1});
            } else {
                entries.back() = {entries.back().symbol, entries.back().duration + 1};
            }
        }
        bars.push_back(std::move(entries));
    }
    return make_chart(head, std::move(bars), chorus, std::move(sections));
}

std::vector<Chart::Section> read_section_runs(Byte_cursor& in) {
    std::vector<Chart::Section> sections;
    int bar = 0;
    while (bar < new_format_section_bars) {
        int mark = in.byte();
        if (mark == 0) {
            bar += in.byte();
            continue;
        }
        if (mark <= 2) sections.push_back({bar + 1, mark == 1 ? 'A' : 'B'});
        ++bar;
    }
    return sections;
}

struct Run {
    int value;
    int length;
};

struct Run_list {
    std::vector<Run> runs;
    int slots = 0;
};

Run_list read_chord_runs(Byte_cursor& in) {
    Run_list list;
    while (list.slots < new_format_slots) {
        int value = in.byte();
        int length = 1;
        if (value == 0) {
            if (list.runs.empty()) throw Failure("First chord type cannot be 0");
            length = in.byte();
            list.runs.back().length += length;
        } else {
            list.runs.push_back({value, 1});
        }
        list.slots += length;
    }
    return list;
}

// Cuts the entries into bars of 4 beats; an entry that crosses a bar line goes
// on, with the same chord, at the start of the next bar.
std::vector<Bar> cut_into_bars(const std::vector<Chart::Entry>& entries) {
    std::vector<Bar> bars;
    Bar bar;
    int beats = 0;
    for (const auto& entry : entries) {
        int left = entry.duration;
        while (beats + left >= slots_per_bar) {
            int part = slots_per_bar - beats;
            bar.push_back({entry.symbol, part});
            bars.push_back(std::move(bar));
            bar.clear();
            beats = 0;
            left -= part;
        }
        if (left > 0) {
            bar.push_back({entry.symbol, left});
            beats += left;
        }
    }
    if (!bar.empty()) bars.push_back(std::move(bar));
    return bars;
}

// New layout: run lists of marks, chord types and roots.
Chart read_new_format(Byte_cursor& in, const Head& head) {
    in.skip(1);
    auto sections = read_section_runs(in);
    auto types = read_chord_runs(in);
    auto roots = read_chord_runs(in);
    if (roots.slots == new_format_slots) in.skip(1);
    int begin = in.byte();
    int end = in.byte();
    Chart::Chorus chorus{begin, end, in.byte() + 2};

    auto type_count = types.runs.size();
    auto root_count = roots.runs.size();
    if (std::max(type_count, root_count) - std::min(type_count, root_count) > 1)
        throw Failure("lengths of roots and types differ by more than 1");
    auto pairs = std::min(type_count, root_count);
    std::vector<Chart::Entry> entries;
    int beats = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        // The last run also covers the filler up to the end of the slots: the
        // chord is held to the end of its bar, and no further, so that a
        // written chart reads back without a bar of its own.
        int length = types.runs[i].length;
        if (i + 1 == type_count) length = slots_per_bar - beats % slots_per_bar;
        entries.push_back({chord_name(types.runs[i].value, roots.runs[i].value), length});
        beats += length;
    }
    return make_chart(head, cut_into_bars(entries), chorus, std::move(sections));
}

}  // namespace

Chart read_chart(std::string_view bytes) {
    Byte_cursor in(bytes);
    Head head = read_head(in);
    return head.old_format ? read_old_format(in, head) : read_new_format(in, head);
}

Chart read_chart_stream(std::istream& in) {
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return read_chart(bytes);
}

Chart read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Failure("Cannot open file: " + path);
    return read_chart_stream(in);
}

}  // namespace zub::Biabreader
