#include "core/charts/transpose.h"

#include "core/failure.h"
#include "core/theory/constants.h"

namespace zub {

namespace {

// The step between two tonics; a key pair so far apart that no interval with
// at most a double accidental spells it (Fb to B#) cannot be transposed.
Intvl step(const Key& from, const Key& to) {
    if (from.mode() != to.mode())
        throw Failure("Cannot transpose from " + from.to_string() + " to " + to.to_string() + ": the modes differ");
    try {
        return to.tonic().sub_note(from.tonic());
    } catch (const Failure&) {
        throw Failure("Cannot transpose from " + from.to_string() + " to " + to.to_string());
    }
}

// The name of a pitch class without double accidentals: the natural when there
// is one, otherwise the sharp or the flat as the spelling it replaces leaned.
Note plain_name(int pitch, bool sharp) {
    for (int alt : {0, sharp ? 1 : -1})
        for (int n = 0; n < 7; ++n)
            if (Note::of_n_alt(n, alt).semi() == pitch) return Note::of_n_alt(n, alt);
    throw Failure("Invalid pitch class: " + std::to_string(pitch));  // unreachable for 0..11
}

}  // namespace

Transposition::Transposition(Key from, Key to)
    : from_(from), to_(to.as_written()), interval_(step(from, to_)) {
    moved_.reserve(35);
    for (int n = 0; n < 7; ++n)
        for (int alt = -2; alt <= 2; ++alt) moved_.push_back(respelled(Note::of_n_alt(n, alt)));
}

Transposition Transposition::by(Key from, int semitones) { return Transposition(from, from.moved_by(semitones)); }

Note Transposition::respelled(Note note) const {
    // The letter moves by the degree; the alteration may grow past a double
    // accidental (B## up #1), so it is worked out here rather than by add_intvl.
    const int letter = (note.n() + interval_.i()) % 7;
    const int pitch = (note.semi() + interval_.semi()) % 12;
    const int alt = (pitch - Constants::degree_semitones[letter] + 18) % 12 - 6;  // -6..5
    // A chord keeps its interval to the tonic (Fb7, the bIII7 of Db, stays Fb7) unless
    // that takes a double accidental.
    if (alt >= -1 && alt <= 1) return Note::of_n_alt(letter, alt);
    return plain_name(pitch, alt > 0);
}

std::string Transposition::symbol(std::string_view symbol) const {
    if (symbol.empty() || is_no_chord(symbol)) return std::string(symbol);
    const std::size_t root = Note::name_length(symbol);
    if (root == 0) throw Failure("Invalid chord: " + std::string(symbol));
    std::string moved = note(Note::of_string(symbol.substr(0, root))).to_string();
    const std::size_t slash = symbol.find('/', root);
    moved.append(symbol.substr(root, slash - root));
    if (slash != std::string_view::npos) {
        const std::string_view bass = symbol.substr(slash + 1);
        if (bass.empty() || Note::name_length(bass) != bass.size()) throw Failure("Invalid chord: " + std::string(symbol));
        moved += '/';
        moved += note(Note::of_string(bass)).to_string();
    }
    return moved;
}

std::string Transposition::key_name(std::string_view name) const {
    const Key key = Key::of_string(name);
    return Key::of_tonic(note(key.tonic()), key.mode()).as_written().to_string();
}

const Transposition& Area_moves::area(std::string_view key_name) {
    for (const auto& [name, move] : areas_)
        if (name == key_name) return move;
    const Key key = Key::of_string(key_name);
    const Key moved = Key::of_string(chart_.key_name(key_name));
    return areas_.emplace_back(std::string(key_name), Transposition(key, moved)).second;
}

namespace Transpose {

Chart chart(const Chart& chart, const Key& to) { return Transpose::chart(chart, to, {}); }

Chart chart(const Chart& chart, const Key& to, const std::vector<Key_center_entry>& centers) {
    Area_moves moves(Transposition(Key::of_string(chart.key()), to));
    const Transposition* move = &moves.chart();
    std::size_t center = 0;
    long long beat = 0, area_end = 0;  // the current area holds beats before area_end
    auto area_at = [&] {
        while (center < centers.size() && beat >= area_end) {
            area_end += centers[center].second;
            move = &moves.area(centers[center++].first);
        }
        if (beat >= area_end) move = &moves.chart();
    };
    std::vector<Chart::Bar> bars;
    bars.reserve(chart.bars().size());
    for (const Chart::Bar& bar : chart.bars()) {
        Chart::Bar& moved = bars.emplace_back();
        moved.reserve(bar.size());
        try {
            for (const Chart::Entry& entry : bar) {
                area_at();
                moved.push_back({move->symbol(entry.symbol), entry.duration});
                beat += entry.duration;
            }
        } catch (const Failure& failure) {
            throw Failure("Bar " + std::to_string(bars.size()) + ": " + failure.what());
        }
    }
    return Chart(chart.name(), chart.style(), moves.chart().to().to_string(), chart.tempo(), std::move(bars),
                 chart.chorus(), chart.sections());
}

Chart chart_by(const Chart& chart, int semitones) {
    return Transpose::chart(chart, Key::of_string(chart.key()).moved_by(semitones));
}

std::vector<Key_center_entry> key_centers(const std::vector<Key_center_entry>& centers,
                                          const Transposition& transposition) {
    std::vector<Key_center_entry> moved;
    moved.reserve(centers.size());
    for (const auto& [key, beats] : centers) moved.emplace_back(transposition.key_name(key), beats);
    return moved;
}

}  // namespace Transpose
}  // namespace zub
