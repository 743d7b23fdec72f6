// Transposition of a chart into another key, read as a musician writes it.
// The new key is spelled as musicians write keys (to D# gives Eb). Each
// key-center area moves on its own: its key moves by the interval and is
// spelled as a written key too, and the area's roots and bass notes move by
// the spelled interval between the area's old and new tonic (Bb to Eb is a
// fourth, so C#7 becomes F#7), so a chord keeps its interval to the area's
// tonic; only a result with a double accidental takes its plain enharmonic
// name (F## -> G), since no root is written so.
// Chord types, durations, sections and everything else stay as they are.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/charts/chart.h"
#include "core/theory/intvl.h"
#include "core/theory/key.h"

namespace zub {

class Transposition {
public:
    // Transposition(Bb, Eb): up a fourth; Transposition(C, D#) goes to Eb, as written.
    // "Cannot transpose from Gm to Eb: the modes differ", "Cannot transpose from B# to Gb"
    // when no interval spells the step.
    Transposition(Key from, Key to);
    // by(Bb, 1) -> from Bb to B; by(Bb, -4) -> to Gb (see Key::moved_by).
    static Transposition by(Key from, int semitones);

    const Key& from() const { return from_; }
    const Key& to() const { return to_; }
    // The step from the old tonic up to the new one: 4 from Bb to Eb, #4 from Bb to E.
    Intvl interval() const { return interval_; }

    // From Bb to E: C# -> G (not F##), F# -> B#, C -> F#.
    Note note(Note note) const { return moved_[index(note)]; }

    // From Bb to Eb: "F#m7b5/C" -> "Bm7b5/F"; the empty symbol and "N.C." (no chord)
    // stay as they are; the chord type is not read. "Invalid chord: H7" when the symbol does
    // not start with a note name, or a slash is not followed by one.
    std::string symbol(std::string_view symbol) const;

    // From Bb to Eb: "Gm" -> "Cm", "F" -> "Bb"; from C to E, "Ab" -> "C", "E" -> "Ab" (not G#):
    // the moved key as written. "Invalid key: Hm" for a bad name.
    std::string key_name(std::string_view name) const;

private:
    static std::size_t index(Note note) { return static_cast<std::size_t>(note.n() * 5 + note.alt() + 2); }
    Note respelled(Note note) const;

    Key from_;
    Key to_;
    Intvl interval_;
    std::vector<Note> moved_;  // by index(): every one of the 35 notes, moved
};

// A key name and its beats, as the analysis exchanges key centers.
using Key_center_entry = std::pair<std::string, int>;

// The moves of a chart's key-center areas under one transposition of the chart:
// area(Eb) under C to E is the move from Eb to G. Built on first use, per key name.
class Area_moves {
public:
    explicit Area_moves(Transposition chart) : chart_(std::move(chart)) {}
    const Transposition& chart() const { return chart_; }
    // "Invalid key: Hm" for a bad name.
    const Transposition& area(std::string_view key_name);

private:
    Transposition chart_;
    std::deque<std::pair<std::string, Transposition>> areas_;  // a deque keeps the moves handed out in place
};

namespace Transpose {

// chart(chart in Bb, Eb) -> the chart in Eb, its "Key" field "Eb", as one area in
// the chart's key. "Invalid key: X" when the chart's own key is no key name, the
// failures of Transposition, and "Bar 3: Invalid chord: H7" for a chord symbol without a root.
Chart chart(const Chart& chart, const Key& to);
// The same with the chart's key centers: each chord moves with the area its first
// beat lies in; chords past the last center move with the chart's key.
Chart chart(const Chart& chart, const Key& to, const std::vector<Key_center_entry>& centers);
// chart_by(chart in Bb, 1) -> the chart in B; "Invalid number of semitones: 12" outside -11..11.
Chart chart_by(const Chart& chart, int semitones);

// key_centers({("Gm", 8), ("Bb", 4)}, from Bb to Eb) -> {("Cm", 8), ("Eb", 4)}.
std::vector<Key_center_entry> key_centers(const std::vector<Key_center_entry>& centers,
                                          const Transposition& transposition);

}  // namespace Transpose
}  // namespace zub
