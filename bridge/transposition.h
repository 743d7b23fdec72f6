// Transposition of chart dictionaries, and the parts for transposing
// instruments. A transposed chart keeps everything but its chords, its "Key"
// and its key slots. The new key and every moved key center are spelled as
// musicians write keys (never D♯ major or G♭ minor); each chord moves with the
// key center of its slot, by the spelled interval between that center's old
// and new key (B♭ to E♭ is a fourth: C♯7 becomes F♯7), so it keeps its roman
// numeral; only a double accidental is respelled (F♯♯ -> G). Chords and keys may come
// with display or ASCII accidentals; chords go back with display ones, as the
// chart dictionary stores them, keys in the form they came in.
// Every failure is a Bridge_exception named after the function, with a reason
// a user can read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bridge/plist.h"

namespace zub {

// transposeChartTo(chart in B♭, "Eb") -> the chart in E♭. Reasons: "Invalid key: H",
// "Cannot transpose from Gm to Eb: the modes differ", "Bar 3: Invalid chord: H7",
// and the chart dictionary's own ("Missing key: Key").
Plist transposeChartTo(const Plist& chart, const std::string& key);

// transposeChartBy(chart in B♭, 1) -> the chart in B: the key that many semitones
// away (-11..11) with the fewest accidentals, flats on a tie (G♭, not F♯; E♭m, not D♯m).
// "Invalid number of semitones: 12" outside -11..11.
Plist transposeChartBy(const Plist& chart, std::int64_t semitones);

// transposedKeyName("Bb", 1) -> "B", transposedKeyName("E\u266Dm", -1) -> "Dm":
// the target of transposeChartBy, for a menu or dialog. Same failures.
std::string transposedKeyName(const std::string& key, std::int64_t semitones);

// transposeTargetKeyNames("Gm") -> "Ebm" "Bbm" ... "G#m": the twelve keys of the key's mode as
// musicians write them, by fifths from the flattest; a chart in F# or D#m finds its own key
// there in its own spelling (F# for Gb). A name that is no key gives the major keys.
std::vector<std::string> transposeTargetKeyNames(const std::string& key);

// writtenKeyName("D#") -> "Eb", writtenKeyName("Gbm") -> "F#m", "F#" stays: the key as
// musicians write it, in the form it came in; a name that is no key stays as it is.
std::string writtenKeyName(const std::string& key);

// transposeKeyCenters(({Key "Gm", Beats 8}), "Bb", "Eb") -> ({Key "Cm", Beats 8}). The
// empty key of unassigned slots and the "!" of a chart without bars stay as they are.
Plist transposeKeyCenters(const Plist& key_centers, const std::string& from_key, const std::string& to_key);

// The instruments a part can be shown for, and how far their part sounds above
// concert pitch when written: B♭ a major second, E♭ a major sixth, F a perfect fifth.
enum class Instrument { concert, b_flat, e_flat, f };

// instrumentOfName("Eb") -> Instrument::e_flat; accepts "Concert", "Bb", "Eb", "F", with display
// flats too. "Unknown instrument: G (use Bb, Eb or F)" otherwise.
Instrument instrumentOfName(std::string_view name);
// "Concert", "B\u266D", "E\u266D", "F": the menu names.
std::string instrumentName(Instrument instrument);
// "E\u266D part", and "Concert" for concert pitch: for a window title or a printed header.
std::string partTitle(Instrument instrument);

// partKey("Bb", Instrument::e_flat) -> "G": the key the part is written in,
// spelled with the fewest accidentals; the concert key for concert pitch.
std::string partKey(const std::string& concert_key, Instrument instrument);

// partForInstrument(chart in C, Instrument::e_flat) -> the chart as an E♭ player reads it,
// in A. The stored chart does not change: this is what is shown and printed.
Plist partForInstrument(const Plist& chart, Instrument instrument);

// concertChordOfPart("C7", "C", Instrument::e_flat) -> "E\u266D7" (display accidentals): what a
// chord typed in the part stands for at concert pitch, so that entry in a transposed view
// stores the concert chord. "" stays ""; "Invalid chord: H7".
std::string concertChordOfPart(const std::string& symbol, const std::string& concert_key, Instrument instrument);

}  // namespace zub
