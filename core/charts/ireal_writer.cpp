// Our charts as an iReal Pro playlist: one irealb:// link and the HTML page
// around it. The layout, which our reader reads back to the same chart:
//   [*i intro bars ] [ chorus bars ... last chorus bar Q ] [Q bars after the chorus Z
// Each bar has a cell per beat (a 3-beat bar four cells, the last one blank),
// a chord in the cell of its first beat; a time signature where the beats of a
// bar change; the chorus repeats in the repeats field. Section marks are A and
// B only, and none inside an intro (the intro mark stands on its first bar).
// iReal has no meter apart from the time signatures: a chart reads back with
// the meter of its first bar. A chord type without an official quality takes
// the nearest one (Ireal_quality::quality_of_type).
#include <sstream>

#include "core/charts/ireal_link.h"
#include "core/charts/ireal_playlist.h"
#include "core/charts/ireal_quality.h"
#include "core/charts/ireal_style.h"
#include "core/failure.h"
#include "core/theory/chord.h"

namespace zub {

namespace {

std::string note_text(const Note& note, std::string_view symbol) {
    std::string text = note.to_string();
    if (text.size() > 2 || (text.size() == 2 && text[1] != 'b' && text[1] != '#'))
        throw Failure("Cannot write the root or bass of: " + std::string(symbol));
    return text;
}

// "Cm7" -> "C-7", "Bb7/D" -> "Bb7/D", "" -> "n".
std::string ireal_chord(const std::string& symbol) {
    if (symbol.empty()) return "n";
    const Chord chord = Chord::of_string(symbol);
    std::string text = note_text(chord.root(), symbol);
    text += Ireal_quality::quality_of_type(chord.chordtype());
    if (!(chord.bass() == chord.root())) text += "/" + note_text(chord.bass(), symbol);
    return text;
}

std::string time_signature(int beats) {
    switch (beats) {
        case 4: return "T44";
        case 3: return "T34";
        case 2: return "T24";
        default: throw Failure("A bar of " + std::to_string(beats) + " beats cannot be written");
    }
}

// The cells of one bar: a chord in the cell of its first beat, blanks after it.
std::string cells_of(const Chart::Bar& bar, int beats) {
    std::string cells;
    for (const auto& entry : bar) {
        if (entry.duration < 1) throw Failure("A chord without beats cannot be written: " + entry.symbol);
        cells += ireal_chord(entry.symbol);
        // A comma parts two chords in neighbouring cells without taking a cell.
        if (entry.duration == 1) cells += ',';
        cells.append(static_cast<std::size_t>(entry.duration - 1), ' ');
    }
    // A 3-beat bar keeps a fourth, blank cell.
    if (beats == 3) cells += ' ';
    return cells;
}

int beats_of(const Chart::Bar& bar) {
    int beats = 0;
    for (const auto& entry : bar) beats += entry.duration;
    return beats;
}

std::string progression_of(const Chart& chart) {
    const auto& bars = chart.bars();
    const int count = static_cast<int>(bars.size());
    if (count == 0) throw Failure("No chords");
    const auto [begin, end, repeats] = chart.chorus();
    if (begin < 1 || end < begin || end > count) throw Failure("The chorus lies outside the bars");
    std::vector<char> marks(bars.size() + 1, 0);
    for (const auto& section : chart.sections())
        if (section.bar >= 1 && section.bar <= count && (section.mark == 'A' || section.mark == 'B'))
            marks[static_cast<std::size_t>(section.bar)] = section.mark;

    std::string text;
    int beats_in_force = 0;
    for (int k = 1; k <= count; ++k) {
        const Chart::Bar& bar = bars[static_cast<std::size_t>(k - 1)];
        if (bar.empty()) throw Failure("Empty bar: " + std::to_string(k));
        const bool starts_part = k == 1 || k == begin || k == end + 1;
        if (starts_part && k > 1) text += "]";
        text += starts_part ? "[" : "|";
        if (k == 1 && begin > 1)
            text += "*i";
        else if (marks[static_cast<std::size_t>(k)] != 0 && k >= begin)
            text += std::string("*") + marks[static_cast<std::size_t>(k)];
        const int beats = beats_of(bar);
        if (beats != beats_in_force) text += time_signature(beats);
        beats_in_force = beats;
        if (k == end + 1) text += "Q";
        text += cells_of(bar, beats);
        if (k == end && end < count) text += "Q";
    }
    return text + "Z";
}

std::string checked_name(const std::string& name) {
    if (name.find('=') != std::string::npos) throw Failure("A name with '=' cannot be written: " + name);
    return name;
}

// "The Song" -> "Song, The"; "Miles Davis" -> "Davis Miles".
std::string stored_title(const std::string& title) {
    if (title.starts_with("The ") && title.size() > 4) return title.substr(4) + ", The";
    return title;
}

std::string stored_composer(const std::string& composer) {
    const std::size_t blank = composer.find(' ');
    if (blank == std::string::npos || blank == 0 || blank + 1 == composer.size() ||
        composer.find(' ', blank + 1) != std::string::npos)
        return composer;
    return composer.substr(blank + 1) + " " + composer.substr(0, blank);
}

// "Cm" -> "C-", "Eb" -> "Eb".
std::string stored_key(const std::string& key) {
    std::string tonic = key;
    const bool minor = tonic.ends_with('m');
    if (minor) tonic.pop_back();
    const bool valid = !tonic.empty() && tonic.size() <= 2 && tonic[0] >= 'A' && tonic[0] <= 'G' &&
                       (tonic.size() == 1 || tonic[1] == 'b' || tonic[1] == '#');
    if (!valid) throw Failure("Invalid key: " + key);
    return tonic + (minor ? "-" : "");
}

// The ten fields of a song: title, composer, (unused), style, key, (playback
// key), music, (groove), tempo, repeats.
std::string song_of(const Ireal_chart& song) {
    const Chart& chart = song.chart;
    std::string fields = stored_title(checked_name(chart.name())) + "=" + stored_composer(checked_name(song.composer));
    fields += "==" + std::string(Ireal_style::style_text(chart.style().type));
    fields += "=" + stored_key(chart.key()) + "==";
    fields += Ireal_link::scramble(progression_of(chart));
    fields += "==" + std::to_string(std::max(chart.tempo(), 0));
    fields += "=" + std::to_string(chart.chorus().repeats);
    return fields;
}

std::string escaped_html(std::string_view text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            default: escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string ireal_link(const std::vector<Ireal_chart>& charts, std::string_view playlist_name) {
    if (charts.empty()) throw Failure("No charts to write");
    std::string body;
    for (const auto& chart : charts) {
        if (!body.empty()) body += "===";
        body += song_of(chart);
    }
    if (!playlist_name.empty()) body += "===" + checked_name(std::string(playlist_name));
    return "irealb://" + Ireal_link::percent_encode(body);
}

std::string ireal_html(const std::vector<Ireal_chart>& charts, std::string_view playlist_name) {
    const std::string link = ireal_link(charts, playlist_name);
    const std::string title = escaped_html(playlist_name.empty() ? std::string_view(charts.front().chart.name()) : playlist_name);
    std::ostringstream page;
    page << "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" << title << "</title>\n</head>\n"
         << "<body>\n<h3><a href=\"" << link << "\">" << title << "</a></h3>\n"
         << "<p>" << charts.size() << (charts.size() == 1 ? " song" : " songs")
         << ". Open the link in iReal Pro to import.</p>\n</body>\n</html>\n";
    return page.str();
}

}  // namespace zub
