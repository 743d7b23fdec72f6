#include "core/theory/noteutils.h"

#include "core/failure.h"

namespace zub::Noteutils {

namespace {

bool has_pitch_class(const std::vector<Note>& notes, int number) {
    const int pitch_class = ((number % 12) + 12) % 12;
    for (const Note& note : notes)
        if (note.semi() == pitch_class) return true;
    return false;
}

}  // namespace

Midinote find_equiv_note(int offset, int step, int number, const Scale& scale) {
    if (step == 0) throw Invalid_argument("Noteutils.find_equiv_note: step 0");
    const std::vector<Note> notes = scale.notes();
    int candidate = number + offset;
    while (!has_pitch_class(notes, candidate)) candidate += step;
    return Midinote::of_notenum_in_notelist(candidate, notes);
}

Midinote dia_above(const Midinote& note, const Scale& scale) { return find_equiv_note(1, 1, note.to_notenum(), scale); }

Midinote dia_below(const Midinote& note, const Scale& scale) {
    return find_equiv_note(-1, -1, note.to_notenum(), scale);
}

std::vector<Midinote> gen_notes(int start, int end, int step, const std::function<bool(int, int)>& stop,
                                const std::vector<Note>& notes) {
    if (step == 0) throw Invalid_argument("Noteutils.gen_notes: step 0");
    std::vector<Midinote> found;
    for (int k = start; !stop(k, end); k += step)
        if (has_pitch_class(notes, k)) found.push_back(Midinote::of_notenum_in_notelist(k, notes));
    return found;
}

std::vector<Midinote> scale_notes_betw(const Midinote& a, const Midinote& b, const Scale& scale) {
    const int from = a.to_notenum();
    const int to = b.to_notenum();
    if (from < to) return gen_notes(from + 1, to, 1, [](int k, int end) { return k >= end; }, scale.notes());
    return gen_notes(from - 1, to, -1, [](int k, int end) { return k <= end; }, scale.notes());
}

}  // namespace zub::Noteutils
