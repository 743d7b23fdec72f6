// The intervals of a chord or scale above its root, sorted by degree and then
// alteration; the root itself is not in the list. Text form: "3.5.b7.#9".
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/theory/intvl.h"

namespace zub {

class Intvllist {
public:
    Intvllist() = default;  // the empty list (a lone root)
    // Sorts the intervals stably: {5, 3} -> 3.5.
    explicit Intvllist(std::vector<Intvl> intervals);

    // of_string("b7.3.5") -> 3.5.b7; ".3.5" and "3.5." -> 3.5; "" -> empty;
    // "3..5" fails with "Invalid interval: " (the empty piece).
    static Intvllist of_string(std::string_view text);
    // "3.5.b7"; the empty list gives "".
    std::string to_string() const;

    // The interval of written degree 1..13, trying natural, #, b, ##, bb:
    // nth(3.#5.b7, 5) -> #5. Throws Not_found when the degree is absent.
    Intvl nth(int degree) const;

    const std::vector<Intvl>& intervals() const { return intervals_; }
    std::size_t size() const { return intervals_.size(); }
    bool empty() const { return intervals_.empty(); }

    // Lexicographic by Intvl::compare; a proper prefix sorts first.
    static int compare(const Intvllist& a, const Intvllist& b);
    bool operator==(const Intvllist&) const = default;
    std::size_t hash() const;

private:
    std::vector<Intvl> intervals_;
};

void pp(std::ostream& out, const Intvllist& list);

// How alike two lists are: the intervals in both, and those in only one.
// likeness(3.5.b7, 3.5.7) -> {2, 2}.
struct Likeness {
    int common = 0;
    int differing = 0;
};
Likeness likeness(const Intvllist& a, const Intvllist& b);

// nearest(3.5.b7.b9.13, lists) -> the index of the list with most intervals in
// common with type, then fewest differing, then one holding type's third (b3.5.7.9
// goes to b3.5.7 rather than 5.7.9), then the first of those; an equal list is
// always the nearest. Invalid_argument "nearest: no lists" for none.
std::size_t nearest(const Intvllist& type, const std::vector<Intvllist>& lists);

}  // namespace zub

template <>
struct std::hash<zub::Intvllist> {
    std::size_t operator()(const zub::Intvllist& list) const { return list.hash(); }
};
