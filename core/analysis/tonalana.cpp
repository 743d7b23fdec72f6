#include "core/analysis/tonalana.h"

#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/analysis/compatscales.h"
#include "core/failure.h"
#include "core/theory/chordtype.h"
#include "core/theory/noteset.h"

namespace zub::Tonalana {

namespace {

const Intvl major_second = Intvl::of_string("2");
const Intvl perfect_fifth = Intvl::of_string("5");

std::optional<Note> raised(const Note& root, const Intvl& interval) {
    try {
        return root.add_intvl(interval);
    } catch (const Failure&) {
        return std::nullopt;  // unspellable: no chord root can equal it
    }
}

// A candidate scale with what every transition asks of it, worked out once.
struct Candidate {
    explicit Candidate(Scale s)
        : scale(std::move(s)),
          notes(noteset_of_notelist(scale.notes())),
          second(raised(scale.root(), major_second)),
          fifth(raised(scale.root(), perfect_fifth)) {}
    Scale scale;
    Noteset notes;
    std::optional<Note> second;
    std::optional<Note> fifth;
};

using Candidates = std::vector<Candidate>;

int cost(const Chord& previous, const Candidate& s, const Chord& current, const Candidate& t) {
    const int same = Scale::compare(s.scale, t.scale) == 0 ? 1 : 0;
    const int tonic = previous.root() == s.scale.root() ? 1 : 0;
    const int twofive = s.second == previous.root() && s.fifth == current.root() ? 2 : 0;
    return 10 * s.notes.symdiff_size(t.notes) - same - tonic - twofive;
}

std::string chord_name(const Chord& chord) { return chord.root().to_string() + Chordtype::to_string(chord.chordtype()); }

// The compatible scales of a chord, parsed; memoised by chord name, since the
// compatibility table never changes within a process.
const Candidates& compatscales1(const Chord& chord) {
    static std::unordered_map<std::string, std::unique_ptr<Candidates>> parsed;
    const std::string name = chord_name(chord);
    const auto found = parsed.find(name);
    if (found != parsed.end()) return *found->second;
    auto candidates = std::make_unique<Candidates>();
    for (const std::string& scale_name : Compatscales::compatscales(name))
        candidates->emplace_back(Scale::of_string(scale_name));
    return *parsed.emplace(name, std::move(candidates)).first->second;
}

// Index of the smallest value, the lowest index among equals.
std::size_t argmin(const std::vector<int>& values) {
    std::size_t best = 0;
    for (std::size_t j = 1; j < values.size(); ++j)
        if (values[j] < values[best]) best = j;
    return best;
}

// The walk back along the back pointers from the chosen final column.
std::vector<Scale> bestseq(const std::vector<const Candidates*>& candidates,
                           const std::vector<std::vector<std::size_t>>& back, std::size_t last) {
    std::vector<Scale> scales;
    scales.reserve(candidates.size());
    std::size_t j = last;
    for (std::size_t i = candidates.size(); i-- > 0;) {
        scales.push_back((*candidates[i])[j].scale);
        j = back[i][j];
    }
    return {scales.rbegin(), scales.rend()};
}

}  // namespace

int transition_cost(const Chord& previous, const Scale& s, const Chord& current, const Scale& t) {
    return cost(previous, Candidate(s), current, Candidate(t));
}

std::vector<Scale> analyze(const std::vector<Chord>& chords) {
    if (chords.empty()) throw Invalid_argument("Tonalana.analyze: empty chord list");
    std::vector<const Candidates*> candidates;
    candidates.reserve(chords.size());
    for (const Chord& chord : chords) candidates.push_back(&compatscales1(chord));

    std::vector<int> previous_cost(candidates[0]->size(), 0);
    std::vector<std::vector<std::size_t>> back(chords.size());
    back[0].assign(candidates[0]->size(), 0);
    for (std::size_t i = 1; i < chords.size(); ++i) {
        const Candidates& before = *candidates[i - 1];
        const Candidates& here = *candidates[i];
        std::vector<int> row_cost(here.size());
        back[i].assign(here.size(), 0);
        for (std::size_t j = 0; j < here.size(); ++j) {
            int best = INT_MAX;
            for (std::size_t k = 0; k < before.size(); ++k) {
                const int total = previous_cost[k] + cost(chords[i - 1], before[k], chords[i], here[j]);
                if (total < best) {
                    best = total;
                    back[i][j] = k;
                }
            }
            row_cost[j] = best;
        }
        previous_cost = std::move(row_cost);
    }
    return bestseq(candidates, back, argmin(previous_cost));
}

}  // namespace zub::Tonalana
