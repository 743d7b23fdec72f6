// Scale-aware steps on MIDI notes: the nearest scale note above or below a
// note, and the scale notes between two notes. A number is always spelled
// against the scale's own notes (root first), so in Db major the note below
// D4 is Db4, not C#4.
#pragma once

#include <functional>
#include <vector>

#include "core/theory/midinote.h"
#include "core/theory/note.h"
#include "core/theory/scale.h"

namespace zub::Noteutils {

// The first of number + offset, + offset + step, + offset + 2 × step, ... whose pitch
// class is a scale note, spelled with that note: (1, 1, 64, F major) -> F4.
// Ends within 12 tries since the scale holds its root. The result is not range-checked.
// Invalid_argument "Noteutils.find_equiv_note: step 0" for a zero step (it would never move).
Midinote find_equiv_note(int offset, int step, int number, const Scale& scale);
// The nearest scale note strictly above: dia_above(C4, Db major) -> Db4.
Midinote dia_above(const Midinote& note, const Scale& scale);
// The nearest scale note strictly below: dia_below(D4, Db major) -> Db4.
Midinote dia_below(const Midinote& note, const Scale& scale);
// For k = start, start + step, ... while stop(k, end) is false, the MIDI note of k
// spelled against notes when one of them has its pitch class, in the order visited.
// Invalid_argument "Noteutils.gen_notes: step 0" for a zero step.
std::vector<Midinote> gen_notes(int start, int end, int step, const std::function<bool(int, int)>& stop,
                                const std::vector<Note>& notes);
// The scale notes strictly between a and b, from a toward b:
// (C4, C5, C major) -> D4 .. B4; (C5, C4) -> B4 .. D4; (C4, C4) -> none.
std::vector<Midinote> scale_notes_betw(const Midinote& a, const Midinote& b, const Scale& scale);

}  // namespace zub::Noteutils
