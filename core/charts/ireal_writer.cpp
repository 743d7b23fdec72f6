// Our charts as an iReal Pro playlist: one irealb:// link and the HTML page
// around it. The chart goes as written, in the layout our reader reads back
// to the same chart: "{" "}" with a "<3x>" text for a count other than 2,
// N1 N2... on the first bar of each ending, S, Q before the first cell of the
// coda and after the last cell of the bar that jumps to it, "<D.S. al Coda>"
// and "<Fine>" texts on their bar, a double bar line after a direction, an
// ending, the intro and before a section or the coda; "*i" on the first bar
// of an intro, and a coda sign on the first bar after the chorus. Each bar has
// a cell per beat (a 3-beat bar four cells, the last one blank), a chord in the
// cell of its first beat, "n" for N.C.; a time signature where it changes; the
// chorus repeats in the repeats field. Section marks are A and B only, and none
// inside an intro (the intro mark stands on its first bar).
// iReal has no meter apart from the time signatures: a chart reads back with
// the meter of its first bar. A chord type without an official quality takes
// the nearest one (Ireal_quality::quality_of_type).
#include <sstream>

#include "core/charts/form.h"
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

// "Cm7" -> "C-7", "Bb7/D" -> "Bb7/D", "" and "N.C." -> "n".
std::string ireal_chord(const std::string& symbol) {
    if (symbol.empty() || is_no_chord(symbol)) return "n";
    const Chord chord = Chord::of_string(symbol);
    std::string text = note_text(chord.root(), symbol);
    text += Ireal_quality::quality_of_type(chord.chordtype());
    if (!(chord.bass() == chord.root())) text += "/" + note_text(chord.bass(), symbol);
    return text;
}

// "T44", "T54", "T68", "T12" (12/8).
std::string time_token(const Time_signature& time) {
    if (time.upper() == 12) return "T12";
    return "T" + std::to_string(time.upper()) + std::to_string(time.lower());
}

Time_signature time_of_beats(int beats) {
    if (beats < 2 || beats > 7) throw Failure("A bar of " + std::to_string(beats) + " beats cannot be written");
    return Time_signature::of_beats(beats);
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

// How the written form is put in iReal's terms (ireal_form.h reads it back).
class Form_writer {
public:
    explicit Form_writer(const Chart& chart) : chart_(chart), count_(chart.bars().size()) {
        if (count_ == 0) throw Failure("No chords");
        const auto [begin, end, repeats] = chart.chorus();
        if (begin < 1 || end < begin || end > static_cast<int>(count_)) throw Failure("The chorus lies outside the bars");
        begin_ = static_cast<std::size_t>(begin - 1);
        end_ = static_cast<std::size_t>(end - 1);
        forms_.resize(count_);
        for (const auto& marks : chart.forms())
            if (marks.bar >= 1 && marks.bar <= static_cast<int>(count_)) forms_[static_cast<std::size_t>(marks.bar - 1)] = marks.form;
        sections_.resize(count_);
        for (const auto& section : chart.sections())
            if (section.bar >= 1 && section.bar <= static_cast<int>(count_) && (section.mark == 'A' || section.mark == 'B'))
                sections_[static_cast<std::size_t>(section.bar - 1)] = section.mark;
        // Bars after the chorus read back as a coda.
        if (end_ + 1 < count_) forms_[end_ + 1].coda = true;
    }

    std::string progression() {
        std::string text;
        for (std::size_t k = 0; k < count_; ++k) text += bar(k);
        return text;
    }

private:
    const Chart& chart_;
    std::size_t count_, begin_ = 0, end_ = 0;
    std::vector<Bar_form> forms_;
    std::vector<char> sections_;
    Time_signature in_force_ = Time_signature::of_beats(4);
    bool after_double_ = true;

    std::string bar(std::size_t k) {
        const Chart::Bar& bar = chart_.bars()[k];
        const Bar_form& form = forms_[k];
        if (bar.empty()) throw Failure("Empty bar: " + std::to_string(k + 1));
        std::string text = form.repeat_start ? "{" : after_double_ ? "[" : "|";
        if (k == 0 && begin_ > 0)
            text += "*i";
        else if (sections_[k] != 0 && k >= begin_)
            text += std::string("*") + sections_[k];
        text += time(k, bar);
        // Past the third, N0 reads as the next number.
        if (starts_ending(k)) text += "N" + std::to_string(ending_run(k) > 3 ? 0 : ending_run(k));
        if (form.segno) text += "S";
        if (form.coda) text += "Q";
        text += cells_of(bar, beats_of(bar));
        if (form.repeat_end > 0 && form.repeat_end != 2) text += "<" + std::to_string(form.repeat_end) + "x>";
        if (form.fine) text += "<Fine>";
        if (form.direction) text += "<" + form.direction->to_string() + ">";
        if (form.to_coda) text += "Q";
        return text + closing(k);
    }

    // The time signature where it changes, marked or (for charts from elsewhere) from the bar's beats.
    std::string time(std::size_t k, const Chart::Bar& bar) {
        Time_signature time = in_force_;
        if (forms_[k].time)
            time = *forms_[k].time;
        else if (k == 0 && beats_of(bar) == chart_.style().meter)
            time = time_of_beats(chart_.style().meter);
        else if (k == 0 || beats_of(bar) != in_force_.beats())
            time = time_of_beats(beats_of(bar));
        const bool changes = k == 0 ? time != Time_signature::of_beats(4) : time != in_force_;
        in_force_ = time;
        return changes ? time_token(time) : "";
    }

    bool starts_ending(std::size_t k) const {
        return !forms_[k].endings.empty() && (k == 0 || forms_[k - 1].endings != forms_[k].endings);
    }

    // 1 for the first ending of a group of neighbouring endings, 2 for the next...
    int ending_run(std::size_t k) const {
        int run = 0;
        for (std::size_t j = k + 1; j-- > 0 && !forms_[j].endings.empty();) {
            if (starts_ending(j)) ++run;
            if (forms_[j].repeat_start) break;  // a repeat that starts numbers its endings anew
        }
        return run;
    }

    std::string closing(std::size_t k) {
        after_double_ = true;
        if (forms_[k].repeat_end > 0) return "}";
        if (k + 1 == count_) return "Z";
        const Bar_form& next = forms_[k + 1];
        const bool ending_ends = !forms_[k].endings.empty() && next.endings.empty();
        const bool part_ends = k + 1 == begin_ || (k + 1 > begin_ && sections_[k + 1] != 0) || next.coda;
        if (forms_[k].direction || ending_ends || part_ends) return "]";
        after_double_ = false;
        return "";
    }
};

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
    fields += Ireal_link::scramble(Form_writer(chart).progression());
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
