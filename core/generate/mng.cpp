#include "core/generate/mng.h"

#include <cmath>
#include <string>

#include "core/failure.h"
#include "core/generate/random.h"

namespace zub {

namespace {

constexpr double zero_weight = 0x1p-51;

bool counts_as_zero(double weight) { return std::fabs(weight) < zero_weight; }

template <typename Combine>
Freq_array combined(const Freq_array& a, const Freq_array& b, Combine combine) {
    Freq_array result;
    for (std::size_t k = 0; k < result.size(); ++k) result[k] = combine(a[k], b[k]);
    return result;
}

Mng of_notelist(const std::vector<Note>& notes) {
    Freq_array weights = make_freq_array();
    init_with_notelist(weights, notes);
    return Mng(weights, noteset_of_notelist(notes));
}

// The drawn number spelled as the first spelling of its pitch class.
Midinote spelled(int number, const Noteset& spellings) {
    if (!spellings.empty()) {
        try {
            return Midinote::of_notenum_in_notelist(number, spellings.elements());
        } catch (const Not_found&) {
        }
    }
    return Midinote::of_notenum(number);
}

}  // namespace

Freq_array make_freq_array() {
    Freq_array weights;
    weights.fill(0.0);
    return weights;
}

void init_with_note(Freq_array& weights, const Note& note) {
    for (std::size_t k = static_cast<std::size_t>(note.semi()); k < weights.size(); k += 12) weights[k] = 1.0;
}

void init_with_notelist(Freq_array& weights, const std::vector<Note>& notes) {
    for (const Note& note : notes) init_with_note(weights, note);
}

double normal_dist(double sigma, double mu, double x) {
    const double pi = 4.0 * std::atan(1.0);
    return std::exp(-(x - mu) * (x - mu) / (2.0 * sigma * sigma)) / (sigma * std::sqrt(2.0 * pi));
}

Mng mng_of_midinote(const Midinote& m) {
    Freq_array weights = make_freq_array();
    weights[static_cast<std::size_t>(m.validate().to_notenum())] = 1.0;
    return Mng(weights, Noteset().add(m.note()));
}

Mng mng_of_note(const Note& n) { return of_notelist({n}); }
Mng mng_of_chord(const Chord& c) { return of_notelist(c.notes()); }
Mng mng_of_scale(const Scale& s) { return of_notelist(s.notes()); }

Mng mng_of_range(const Midinote& lo, const Midinote& hi) {
    Freq_array weights = make_freq_array();
    for (int k = lo.validate().to_notenum(); k <= hi.validate().to_notenum(); ++k)
        weights[static_cast<std::size_t>(k)] = 1.0;
    return Mng(weights, Noteset());
}

Mng mng_normal(const Midinote& center, int n, double s) {
    if (n == 0) return mng_of_midinote(center);
    // Negative or zero spreads would give negative or meaningless weights.
    if (!(s > 0.0)) throw Invalid_argument("Invalid spread: " + std::to_string(s));
    const int c = center.to_notenum();
    const int lo = Midinote::of_notenum(c - n).to_notenum();
    const int hi = Midinote::of_notenum(c + n).to_notenum();
    const double sigma = (hi - lo) / (2.0 * s);
    const double mu = (lo + hi) / 2.0;
    Freq_array weights = make_freq_array();
    for (int k = lo; k <= hi; ++k) weights[static_cast<std::size_t>(k)] = normal_dist(sigma, mu, k);
    return Mng(weights, Noteset());
}

Mng operator|(const Mng& a, const Mng& b) {
    return Mng(combined(a.weights(), b.weights(), [](double x, double y) { return x + y; }),
               a.spellings().union_with(b.spellings()));
}

Mng operator&(const Mng& a, const Mng& b) {
    return Mng(combined(a.weights(), b.weights(), [](double x, double y) { return x * y; }),
               a.spellings().union_with(b.spellings()));
}

Mng operator~(const Mng& a) {
    Freq_array weights;
    for (std::size_t k = 0; k < weights.size(); ++k) weights[k] = counts_as_zero(a.weights()[k]) ? 1.0 : 0.0;
    return Mng(weights, Noteset());
}

Mng operator*(const Mng& a, double f) {
    Freq_array weights;
    for (std::size_t k = 0; k < weights.size(); ++k) weights[k] = a.weights()[k] * f;
    return Mng(weights, Noteset());
}

bool mng_is_null(const Mng& m) {
    for (const double weight : m.weights())
        if (!counts_as_zero(weight)) return false;
    return true;
}

Midinote mng_gen(const Mng& m) { return mng_gen_at(m, Random::float_unit()); }

Midinote mng_gen_at(const Mng& m, double u) {
    double total = 0.0;
    for (const double weight : m.weights()) total += weight;
    const double r = u * total;
    double running = 0.0;
    for (std::size_t k = 0; k < m.weights().size(); ++k) {
        running += m.weights()[k];
        if (running > r) return spelled(static_cast<int>(k), m.spellings());
    }
    throw Failure("Null MNG or faulty random number");
}

}  // namespace zub
