#include "core/theory/intvllist.h"

#include <algorithm>

#include "core/failure.h"

namespace zub {

Intvllist::Intvllist(std::vector<Intvl> intervals) : intervals_(std::move(intervals)) {
    std::stable_sort(intervals_.begin(), intervals_.end(),
                     [](const Intvl& a, const Intvl& b) { return Intvl::compare(a, b) < 0; });
}

Intvllist Intvllist::of_string(std::string_view text) {
    // The core's split rule: a separator at the very start is skipped, one at
    // the very end closes the last piece, two in a row make an empty piece.
    std::vector<Intvl> intervals;
    std::size_t start = !text.empty() && text[0] == '.' ? 1 : 0;
    while (start < text.size()) {
        const std::size_t dot = std::min(text.find('.', start), text.size());
        intervals.push_back(Intvl::of_string(text.substr(start, dot - start)));
        start = dot + 1;
    }
    return Intvllist(std::move(intervals));
}

std::string Intvllist::to_string() const {
    std::string text;
    for (std::size_t k = 0; k < intervals_.size(); ++k) {
        if (k > 0) text += '.';
        text += intervals_[k].to_string();
    }
    return text;
}

Intvl Intvllist::nth(int degree) const {
    for (int alt : {0, 1, -1, 2, -2})
        for (const Intvl& interval : intervals_)
            if (interval.i() == degree - 1 && interval.alt() == alt) return interval;
    throw Not_found();
}

int Intvllist::compare(const Intvllist& a, const Intvllist& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < common; ++k)
        if (int c = Intvl::compare(a.intervals_[k], b.intervals_[k]); c != 0) return c;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

std::size_t Intvllist::hash() const {
    std::size_t h = intervals_.size();
    for (const Intvl& interval : intervals_) h = h * 31 + interval.hash();
    return h;
}

void pp(std::ostream& out, const Intvllist& list) { out << list.to_string(); }

Likeness likeness(const Intvllist& a, const Intvllist& b) {
    int common = 0;
    for (const Intvl& x : a.intervals())
        if (std::find(b.intervals().begin(), b.intervals().end(), x) != b.intervals().end()) ++common;
    return {common, static_cast<int>(a.size() + b.size()) - 2 * common};
}

namespace {

// Whether list holds type's third (degree index 2), so a minor chord stays minor.
bool keeps_third(const Intvllist& type, const Intvllist& list) {
    const auto is_third = [](const Intvl& x) { return x.i() == 2; };
    const auto third = std::find_if(type.intervals().begin(), type.intervals().end(), is_third);
    return third != type.intervals().end() &&
           std::find(list.intervals().begin(), list.intervals().end(), *third) != list.intervals().end();
}

// Most in common, then fewest differing, then the one that keeps the third.
bool nearer(const Likeness& a, bool a_third, const Likeness& b, bool b_third) {
    if (a.common != b.common) return a.common > b.common;
    if (a.differing != b.differing) return a.differing < b.differing;
    return a_third && !b_third;
}

}  // namespace

std::size_t nearest(const Intvllist& type, const std::vector<Intvllist>& lists) {
    if (lists.empty()) throw Invalid_argument("nearest: no lists");
    std::size_t best = 0;
    Likeness best_likeness = likeness(type, lists[0]);
    bool best_third = keeps_third(type, lists[0]);
    for (std::size_t k = 1; k < lists.size(); ++k) {
        const Likeness next = likeness(type, lists[k]);
        const bool next_third = keeps_third(type, lists[k]);
        if (nearer(next, next_third, best_likeness, best_third)) {
            best = k;
            best_likeness = next;
            best_third = next_third;
        }
    }
    return best;
}

}  // namespace zub
