// Event sequences: what every generator produces. An event is a start time and a
// duration in beats, both exact, and a payload (a MIDI note with a velocity for
// the instruments, a chord symbol for the chord sequence). A sequence keeps its
// events newest-added first and remembers whether they were added in
// non-decreasing time order (rev_sorted), so that reading them back in time
// order is a reversal instead of a sort. Sequences are immutable: every
// operation returns a new one and shares what it can with its argument.
#pragma once

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/generate/block_pool.h"
#include "core/generate/exact.h"

namespace zub {

template <typename P>
struct Event {
    mpq_class time;      // beats from the start of the piece
    mpq_class duration;  // beats
    P payload;
    bool operator==(const Event&) const = default;
};

template <typename P>
class Seq {
public:
    using Ev = Event<P>;

    // The empty sequence; rev_sorted.
    static Seq create() { return Seq(); }

    // The sequence with one more event. Stays rev_sorted only if the new time is
    // not earlier than that of the most recently added event.
    Seq add(const mpq_class& time, const mpq_class& duration, P payload) const {
        const bool in_order = rev_sorted_ && (!head_ || Exact::compare(time, head_->event.time) >= 0);
        return Seq(made_node([&] { return Ev{time, duration, std::move(payload)}; }, head_), size_ + 1,
                   in_order);
    }

    // All events in ascending time order. Equal times come out in the order they
    // were added when rev_sorted, otherwise newest first (a stable sort of the
    // newest-first list).
    std::vector<Ev> events() const {
        std::vector<Ev> list;
        list.reserve(size_);
        for (const Ev* event : ordered()) list.push_back(*event);
        return list;
    }

    // The events in the order of events(), without copying them; the pointers
    // stay valid as long as this sequence does.
    std::vector<const Ev*> ordered() const {
        std::vector<const Ev*> list;
        list.reserve(size_);
        for (const Node* node = head_.get(); node != nullptr; node = node->next.get()) list.push_back(&node->event);
        // A mapped sequence is stored oldest time first already; sorting it would change nothing.
        if (rev_sorted_) std::reverse(list.begin(), list.end());
        else merge_runs(list);
        return list;
    }

    // Both rev_sorted: a stable merge by descending time that takes from a first
    // on equal times, so in events() b's events precede a's at equal times; the
    // result is rev_sorted. Otherwise a's list followed by b's, not rev_sorted.
    static Seq merge(const Seq& a, const Seq& b) {
        if (!a.rev_sorted_ || !b.rev_sorted_) return concatenation(a, b);
        std::vector<const Ev*> front;
        front.reserve(a.size_ + b.size_);
        const std::shared_ptr<const Node>* from_a = &a.head_;
        const std::shared_ptr<const Node>* from_b = &b.head_;
        while (*from_a && *from_b) {
            const std::shared_ptr<const Node>*& taken =
                Exact::compare((*from_a)->event.time, (*from_b)->event.time) >= 0 ? from_a : from_b;
            front.push_back(&(*taken)->event);
            taken = &(*taken)->next;
        }
        // What is left of one list is already in merged order: share it.
        return Seq(prepended(front, *from_a ? *from_a : *from_b), a.size_ + b.size_, true);
    }

    // The same as merging the sequences one after the other from the left,
    // merge(merge(s0, s1), s2)..., without copying the front of each result
    // again: when all are rev_sorted, one merge by descending time that takes
    // from the earliest sequence on equal times.
    static Seq merge_all(const std::vector<Seq>& seqs) {
        const bool all_rev_sorted = std::all_of(seqs.begin(), seqs.end(), [](const Seq& s) { return s.rev_sorted_; });
        if (!all_rev_sorted || seqs.size() < 2) {
            Seq merged = create();
            for (const Seq& seq : seqs) merged = merge(merged, seq);
            return merged;
        }
        std::vector<const Node*> heads;
        std::size_t size = 0;
        for (const Seq& seq : seqs) {
            heads.push_back(seq.head_.get());
            size += seq.size_;
        }
        std::vector<const Ev*> front;
        front.reserve(size);
        std::size_t left = static_cast<std::size_t>(
            std::count_if(heads.begin(), heads.end(), [](const Node* n) { return n; }));
        while (left > 1) {
            std::size_t taken = heads.size();
            for (std::size_t k = 0; k < heads.size(); ++k)
                if (heads[k] &&
                    (taken == heads.size() || Exact::compare(heads[k]->event.time, heads[taken]->event.time) > 0))
                    taken = k;
            front.push_back(&heads[taken]->event);
            heads[taken] = heads[taken]->next.get();
            if (!heads[taken]) --left;
        }
        // What is left of the last list is already in merged order: share it.
        std::shared_ptr<const Node> rest;
        for (std::size_t k = 0; k < heads.size(); ++k)
            if (heads[k]) rest = shared_from(seqs[k], heads[k]);
        return Seq(prepended(front, std::move(rest)), size, true);
    }

    // f(event) -> event over events() in ascending order; the results, in that
    // order, become the new list, and rev_sorted is test_rev_sorted of it.
    // The list is built from its head on, each result made in its node.
    template <typename F>
    Seq map(F f) const {
        std::shared_ptr<const Node> head;
        Node* last = nullptr;
        bool in_order = true;
        for (const Ev* event : ordered()) {
            auto node = made_node([&] { return f(*event); }, nullptr);
            Node* made = node.get();
            if (last) {
                in_order = in_order && Exact::compare(last->event.time, made->event.time) >= 0;
                last->next = std::move(node);
            } else {
                head = std::move(node);
            }
            last = made;
        }
        return Seq(std::move(head), size_, in_order);
    }

    // f(previous or nullptr, event, next or nullptr) -> event over events();
    // the results, newest first, form the new sequence.
    template <typename F>
    Seq map_prev_next(F f) const {
        const std::vector<const Ev*> list = ordered();
        std::vector<Ev> results;
        results.reserve(size_);
        for (std::size_t k = 0; k < list.size(); ++k) results.push_back(f(previous(list, k), *list[k], next(list, k)));
        std::reverse(results.begin(), results.end());
        return of_newest_first(std::move(results));
    }

    // As map_prev_next, carrying a state S: f(previous, event, next, state) ->
    // (event, state); the first call gets no state, each later one the state
    // returned by the call before it.
    template <typename S, typename F>
    Seq map_prev_next_cf(F f) const {
        const std::vector<const Ev*> list = ordered();
        std::vector<Ev> results;
        results.reserve(size_);
        std::optional<S> state;
        for (std::size_t k = 0; k < list.size(); ++k) {
            std::pair<Ev, S> outcome = f(previous(list, k), *list[k], next(list, k), state);
            results.push_back(std::move(outcome.first));
            state = std::move(outcome.second);
        }
        std::reverse(results.begin(), results.end());
        return of_newest_first(std::move(results));
    }

    // f(event) on every event of events(), in order.
    template <typename F>
    void iter(F f) const {
        for (const Ev* event : ordered()) f(*event);
    }

    // f(event, state) -> state on every event of events(); the first call gets no state.
    template <typename S, typename F>
    void iter_cf(F f) const {
        std::optional<S> state;
        for (const Ev* event : ordered()) state = f(*event, state);
    }

    // By time only: negative, zero or positive.
    static int compare(const Ev& a, const Ev& b) { return sign(Exact::compare(a.time, b.time)); }
    static int rev_compare(const Ev& a, const Ev& b) { return -compare(a, b); }
    // Whether every time is at least the time after it: a newest-first list of
    // events added in time order. True for zero or one event.
    static bool test_rev_sorted(const std::vector<Ev>& list) {
        for (std::size_t k = 0; k + 1 < list.size(); ++k)
            if (Exact::compare(list[k].time, list[k + 1].time) < 0) return false;
        return true;
    }

    bool rev_sorted() const { return rev_sorted_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // The events as stored, most recently added first.
    std::vector<Ev> newest_first() const {
        std::vector<Ev> list;
        list.reserve(size_);
        for (const Node* node = head_.get(); node != nullptr; node = node->next.get()) list.push_back(node->event);
        return list;
    }

    Seq(const Seq&) = default;
    Seq(Seq&& other) noexcept
        : head_(std::move(other.head_)),
          size_(std::exchange(other.size_, 0)),
          rev_sorted_(std::exchange(other.rev_sorted_, true)) {}
    Seq& operator=(Seq other) noexcept {
        std::swap(head_, other.head_);
        std::swap(size_, other.size_);
        std::swap(rev_sorted_, other.rev_sorted_);
        return *this;
    }
    ~Seq() { release(std::move(head_)); }

private:
    struct Made_by {};
    struct Node {
        // Made from its event in place: an exact number copied or moved allocates.
        template <typename E>
        Node(E&& e, std::shared_ptr<const Node> n) : event(std::forward<E>(e)), next(std::move(n)) {}
        // Made from what make returns, with no event in between: moving an
        // exact number allocates too.
        template <typename F>
        Node(Made_by, F&& make, std::shared_ptr<const Node> n) : event(make()), next(std::move(n)) {}
        Ev event;
        std::shared_ptr<const Node> next;
    };

    Seq() = default;
    Seq(std::shared_ptr<const Node> head, std::size_t size, bool rev_sorted)
        : head_(std::move(head)), size_(size), rev_sorted_(rev_sorted) {}

    // Nodes come from the block pool: a long piece makes and drops millions.
    template <typename E>
    static std::shared_ptr<Node> make_node(E&& event, std::shared_ptr<const Node> next) {
        return std::allocate_shared<Node>(Block_pool::Allocator<Node>(), std::forward<E>(event), std::move(next));
    }
    template <typename F>
    static std::shared_ptr<Node> made_node(F&& make, std::shared_ptr<const Node> next) {
        return std::allocate_shared<Node>(Block_pool::Allocator<Node>(), Made_by{}, std::forward<F>(make),
                                          std::move(next));
    }
    static int sign(int value) { return (value > 0) - (value < 0); }
    static const Ev* previous(const std::vector<const Ev*>& list, std::size_t k) {
        return k > 0 ? list[k - 1] : nullptr;
    }
    static const Ev* next(const std::vector<const Ev*>& list, std::size_t k) {
        return k + 1 < list.size() ? list[k + 1] : nullptr;
    }

    // A sequence whose stored list is the given one (element 0 newest).
    static Seq of_newest_first(std::vector<Ev> list) {
        const bool in_order = test_rev_sorted(list);
        const std::size_t size = list.size();
        return Seq(chain(std::move(list), size, nullptr), size, in_order);
    }
    static Seq concatenation(const Seq& a, const Seq& b) {
        return Seq(chain(a.newest_first(), a.size_, b.head_), a.size_ + b.size_, false);
    }
    // The first count events of list put in front of tail.
    static std::shared_ptr<const Node> chain(std::vector<Ev> list, std::size_t count,
                                             std::shared_ptr<const Node> tail) {
        for (std::size_t k = count; k-- > 0;)
            tail = make_node(std::move(list[k]), std::move(tail));
        return tail;
    }
    // Copies of the events of front, in its order, put before rest.
    static std::shared_ptr<const Node> prepended(const std::vector<const Ev*>& front,
                                                 std::shared_ptr<const Node> rest) {
        for (std::size_t k = front.size(); k-- > 0;) rest = make_node(*front[k], std::move(rest));
        return rest;
    }
    // The stable sort by time of list, made by merging its ascending runs pairwise:
    // the lists that need sorting are mostly a few long runs (sequences joined
    // end to end, a swing that moves a note past the next).
    static void merge_runs(std::vector<const Ev*>& list) {
        const auto earlier = [](const Ev* a, const Ev* b) { return Exact::compare(a->time, b->time) < 0; };
        std::vector<std::size_t> bounds = {0};
        for (std::size_t k = 1; k < list.size(); ++k)
            if (earlier(list[k], list[k - 1])) bounds.push_back(k);
        bounds.push_back(list.size());
        while (bounds.size() > 2) {
            std::vector<std::size_t> merged = {0};
            std::size_t k = 0;
            for (; k + 2 < bounds.size(); k += 2) {
                std::inplace_merge(list.begin() + static_cast<std::ptrdiff_t>(bounds[k]),
                                   list.begin() + static_cast<std::ptrdiff_t>(bounds[k + 1]),
                                   list.begin() + static_cast<std::ptrdiff_t>(bounds[k + 2]), earlier);
                merged.push_back(bounds[k + 2]);
            }
            if (k + 1 < bounds.size()) merged.push_back(bounds.back());  // an odd run out stays as it is
            bounds = std::move(merged);
        }
    }
    // The owning pointer of node, a node of seq's list.
    static std::shared_ptr<const Node> shared_from(const Seq& seq, const Node* node) {
        const std::shared_ptr<const Node>* link = &seq.head_;
        while (link->get() != node) link = &(*link)->next;
        return *link;
    }
    // Frees the nodes no other sequence shares one by one: a long list must not
    // be destroyed by recursion.
    static void release(std::shared_ptr<const Node> node) {
        while (node && node.use_count() == 1) {
            std::shared_ptr<const Node> rest = node->next;
            node = std::move(rest);
        }
    }

    std::shared_ptr<const Node> head_;
    std::size_t size_ = 0;
    bool rev_sorted_ = true;
};

}  // namespace zub
