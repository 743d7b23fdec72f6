// Weighted random choice among alternatives: the generators make every musical
// decision by drawing from such a set. Each alternative is kept with the running
// share of the total weight up to and including its own, in the order given.
// Pg offers the same two operations under a second name.
#pragma once

#include <utility>
#include <vector>

#include "core/failure.h"
#include "core/generate/random.h"

namespace zub {

template <typename T>
class Randset {
public:
    using Entry = std::pair<T, double>;  // value, cumulative probability

    // create({{"a", 1}, {"b", 1}, {"c", 2}}) -> cumulative 0.25, 0.5, 1.0.
    // An empty list or weights summing to 0 make a set that choose rejects.
    static Randset create(const std::vector<std::pair<T, double>>& weighted) {
        double total = 0.0;
        for (const auto& alternative : weighted) total += alternative.second;
        std::vector<Entry> entries;
        entries.reserve(weighted.size());
        double running = 0.0;
        for (const auto& [value, weight] : weighted) {
            running += weight / total;
            entries.emplace_back(value, running);
        }
        return Randset(std::move(entries));
    }

    // One value, drawn with the probabilities of the weights; consumes exactly
    // one draw. Throws Not_found when no entry can be chosen (empty set, zero total).
    // The draw is scaled by 1 - 2^-52 so that rounding in the cumulative sums
    // cannot leave it above the last entry.
    const T& choose() const { return choose_at(Random::float_unit() * (1.0 - 0x1p-52)); }

    // The value that the draw r selects: the first entry whose cumulative
    // probability is at least r. choose_at(0.25) on weights 1, 1, 2 -> the first.
    const T& choose_at(double r) const {
        for (const auto& [value, cumulative] : entries_)
            if (cumulative >= r) return value;
        throw Not_found();
    }

    const std::vector<Entry>& entries() const { return entries_; }

private:
    explicit Randset(std::vector<Entry> entries) : entries_(std::move(entries)) {}
    std::vector<Entry> entries_;
};

namespace Pg {

// The same as Randset<T>::create and choose.
template <typename T>
Randset<T> create(const std::vector<std::pair<T, double>>& weighted) {
    return Randset<T>::create(weighted);
}

template <typename T>
const T& choose(const Randset<T>& set) {
    return set.choose();
}

}  // namespace Pg

}  // namespace zub
