// iReal Pro playlists: the irealb:// (and older irealbook://) links the app
// shares and exports, read into songs and charts and written back.
//
// Text in these structs is UTF-8, as the links carry it. Chart names elsewhere
// in the core are ISO Latin 1: converting is the caller's job (the bridge).
#pragma once

#include "core/charts/chart.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zub {

// One song of a playlist, decoded but not yet a chart.
struct Ireal_song {
    std::string title;        // display order: "X, The" -> "The X" (UTF-8)
    std::string composer;     // "Last First" -> "First Last" for exactly two words (UTF-8), may be empty
    std::string style;        // iReal style text, "Medium Swing"
    std::string key;          // iReal key as written, "Eb", "C-"
    int tempo = 0;            // 0: the style's usual tempo
    int repeats = 0;          // 0: default (3)
    std::string progression;  // the descrambled, substituted cell language
    std::string groove;       // playback groove, "Jazz-Medium Swing"; empty: the style's own
};

// A song that could not be decoded: the fields read of it (the title at least, others may be empty) and why.
struct Undecoded_ireal_song {
    Ireal_song read;
    std::string reason;  // "Wrong number of fields in a song", "Invalid tempo: abc"
};

// One song of a playlist: decoded, or not and why.
using Ireal_entry = std::variant<Ireal_song, Undecoded_ireal_song>;

// The fields read of an entry either way, for a listing.
const Ireal_song& fields_of(const Ireal_entry& entry);

struct Ireal_playlist {
    std::string name;                // playlist name, "" for a single song
    std::vector<Ireal_entry> songs;  // in order; number = index + 1
};

// True when text holds "irealb://" or "irealbook://" anywhere (a .txt, .html or a bare link).
bool holds_ireal_link(std::string_view text);

// Every link of text, all songs in order (a link written twice, as an HTML page's
// href and its text may be, counts once). Failure("No iReal Pro link found") when there is none;
// a song that cannot be decoded is kept as an Undecoded_ireal_song, never a throw.
Ireal_playlist read_ireal_playlist(std::string_view text);

struct Ireal_chart {
    Chart chart;              // the chart as played; name = title (UTF-8 in this struct)
    std::string composer;     // UTF-8, may be empty
};

// The chart of one song, as written: the bars with their form marks
// (repeats, endings, segno, coda, D.C./D.S., Fine, time changes; see
// ireal_form.h for how iReal's loose writing is read), "n" as "N.C.". The
// chorus is the tune: after an intro ("*i" on the first bar), up to a coda
// that is no part of every pass; repeats is the song's (3 when 0). Sections *A
// and *B give marks A and B, *C and *D mark B (a contrasting section), a verse
// marks A, an intro none. Meter: the first bar's in 3/4 to 7/4, else 4; a 2/4
// bar stays a bar of 2 beats, 2/2 counts as 4/4, 12/8 and 6/8 count their
// dotted quarters (4 and 2 beats). Key "Eb" -> "Eb", "C-" -> "Cm"; tempo 0 ->
// the style's usual tempo; style code 4 for Brazilian grooves, 8 for waltzes,
// else 1. "p" holds the chord before, as a blank cell does; alternate chords
// in parentheses are dropped; a free-text quality ("C*m*") is read when it is
// a quality we know, else it fails as an unknown quality.
// Failure with a one-line reason ("5/8 time is not supported",
// "Unknown chord quality: C^7#13", "No chords") when it cannot be represented.
Ireal_chart chart_of_ireal_song(const Ireal_song& song);

// The writer: one irealb:// link (percent-encoded as the app's HTML export does) holding
// every chart, and the HTML page the app exports around such a link. Failure for a chart
// that cannot be written.
std::string ireal_link(const std::vector<Ireal_chart>& charts, std::string_view playlist_name);
std::string ireal_html(const std::vector<Ireal_chart>& charts, std::string_view playlist_name);

}  // namespace zub
