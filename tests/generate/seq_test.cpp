#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/generate/seq.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::q;
using Sseq = Seq<std::string>;
using Sev = Event<std::string>;

// Adds (time, payload) pairs in the given order, each one beat long.
Sseq seq_of(const std::vector<std::pair<const char*, const char*>>& added) {
    Sseq seq = Sseq::create();
    for (const auto& [time, payload] : added) seq = seq.add(q(time), 1, payload);
    return seq;
}

// "payload@time" of every event in events() order.
std::string listed(const std::vector<Sev>& events) {
    std::string text;
    for (const Sev& event : events) text += (text.empty() ? "" : " ") + event.payload + "@" + event.time.get_str();
    return text;
}
std::string listed(const Sseq& seq) { return listed(seq.events()); }

TEST(Seq, AddKeepsTrackOfTimeOrder) {
    struct Case {
        std::vector<std::pair<const char*, const char*>> added;
        bool rev_sorted;
        const char* events;
    };
    for (const Case& c : {
             Case{{}, true, ""},
             Case{{{"0", "a"}}, true, "a@0"},
             Case{{{"0", "a"}, {"1/2", "b"}, {"1/2", "c"}, {"3", "d"}}, true, "a@0 b@1/2 c@1/2 d@3"},
             // Out of order: a stable sort of the newest-first list puts equal times newest first.
             Case{{{"2", "a"}, {"1", "b"}, {"2", "c"}, {"0", "d"}}, false, "d@0 b@1 c@2 a@2"},
             Case{{{"1", "a"}, {"0", "b"}, {"5", "c"}}, false, "b@0 a@1 c@5"},
         }) {
        const Sseq seq = seq_of(c.added);
        EXPECT_EQ(seq.rev_sorted(), c.rev_sorted) << c.events;
        EXPECT_EQ(listed(seq), c.events);
        EXPECT_EQ(seq.size(), c.added.size());
    }
}

TEST(Seq, OperationsLeaveTheirArgumentsUnchanged) {
    const Sseq base = seq_of({{"0", "a"}, {"1", "b"}});
    const Sseq later = base.add(2, 1, "c");
    const Sseq earlier = base.add(-1, 1, "z");
    EXPECT_EQ(listed(base), "a@0 b@1");
    EXPECT_TRUE(base.rev_sorted());
    EXPECT_EQ(listed(later), "a@0 b@1 c@2");
    EXPECT_EQ(listed(earlier), "z@-1 a@0 b@1");
    EXPECT_FALSE(earlier.rev_sorted());
    (void)Sseq::merge(base, earlier);
    (void)base.map([](Sev event) { return Sev{event.time + 5, event.duration, event.payload}; });
    EXPECT_EQ(listed(base), "a@0 b@1");
}

TEST(Seq, MergeOfSortedSequencesStaysSorted) {
    const Sseq a = seq_of({{"0", "a0"}, {"1", "a1"}, {"3", "a3"}});
    const Sseq b = seq_of({{"1", "b1"}, {"2", "b2"}, {"3", "b3"}});
    const Sseq merged = Sseq::merge(a, b);
    EXPECT_TRUE(merged.rev_sorted());
    // At equal times the second sequence's events come first.
    EXPECT_EQ(listed(merged), "a0@0 b1@1 a1@1 b2@2 b3@3 a3@3");
    EXPECT_EQ(listed(Sseq::merge(a, Sseq::create())), listed(a));
    EXPECT_EQ(listed(Sseq::merge(Sseq::create(), b)), listed(b));
}

TEST(Seq, MergeWithAnUnsortedSequenceConcatenates) {
    const Sseq a = seq_of({{"0", "a0"}, {"2", "a2"}});
    const Sseq b = seq_of({{"3", "b3"}, {"1", "b1"}});
    const Sseq merged = Sseq::merge(a, b);
    EXPECT_FALSE(merged.rev_sorted());
    const auto stored = merged.newest_first();
    ASSERT_EQ(stored.size(), 4U);
    EXPECT_EQ(listed(stored), "a2@2 a0@0 b1@1 b3@3");
    EXPECT_EQ(listed(merged), "a0@0 b1@1 a2@2 b3@3");
}

// Unsorted lists are put in time order as a stable sort of the stored list
// would. Each case joins a sorted sequence (stored newest first, so a falling
// run) to an unsorted one (stored oldest first): one run after the other,
// many runs, an odd number of runs, equal times across runs.
TEST(Seq, UnsortedListsComeOutAsAStableSortWould) {
    using Added = std::vector<std::pair<const char*, const char*>>;
    const std::vector<std::pair<Added, Added>> cases = {
        {{}, {{"0", "a"}, {"1", "b"}}},
        {{{"0", "a"}}, {{"1", "b"}, {"2", "c"}}},
        {{{"0", "a"}, {"1", "b"}, {"1", "c"}, {"2", "d"}}, {{"1", "e"}, {"2", "f"}}},
        {{{"0", "a"}, {"1", "b"}, {"2", "c"}}, {{"0", "d"}, {"1/2", "e"}, {"1", "f"}, {"3", "g"}}},
        {{{"1/2", "a"}, {"1/2", "b"}, {"3", "c"}, {"5", "d"}, {"7", "e"}}, {{"1/2", "f"}, {"4", "g"}}},
    };
    const auto earlier = [](const Sev& a, const Sev& b) { return cmp(a.time, b.time) < 0; };
    for (const auto& [sorted, unsorted] : cases) {
        const Sseq seq = Sseq::merge(seq_of(sorted), seq_of(unsorted).map([](const Sev& e) { return e; }));
        ASSERT_FALSE(seq.rev_sorted());
        std::vector<Sev> expected = seq.newest_first();
        std::stable_sort(expected.begin(), expected.end(), earlier);
        EXPECT_EQ(listed(seq), listed(expected)) << listed(seq.newest_first());
    }
}

// Merging many at once gives what merging them one after another gives: the
// same order at equal times, and concatenation from the first unsorted one on.
TEST(Seq, MergeAllIsMergingFromTheLeft) {
    const Sseq a = seq_of({{"0", "a0"}, {"1", "a1"}, {"3", "a3"}});
    const Sseq b = seq_of({{"1", "b1"}, {"3", "b3"}, {"3", "b3'"}});
    const Sseq c = seq_of({{"1", "c1"}, {"2", "c2"}, {"4", "c4"}});
    const Sseq unsorted = seq_of({{"2", "u2"}, {"0", "u0"}});
    const std::vector<std::vector<Sseq>> cases = {
        {}, {a}, {a, b}, {a, b, c}, {c, Sseq::create(), a, b}, {a, unsorted, b}, {unsorted, a, c}};
    for (const std::vector<Sseq>& seqs : cases) {
        Sseq folded = Sseq::create();
        for (const Sseq& seq : seqs) folded = Sseq::merge(folded, seq);
        const Sseq merged = Sseq::merge_all(seqs);
        EXPECT_EQ(listed(merged.newest_first()), listed(folded.newest_first())) << seqs.size();
        EXPECT_EQ(merged.rev_sorted(), folded.rev_sorted()) << seqs.size();
        EXPECT_EQ(merged.size(), folded.size());
    }
    EXPECT_EQ(listed(Sseq::merge_all({a, b, c})), "a0@0 c1@1 b1@1 a1@1 c2@2 b3@3 b3'@3 a3@3 c4@4");
}

TEST(Seq, MapKeepsResultsInAscendingOrder) {
    const Sseq seq = seq_of({{"0", "a"}, {"1", "b"}, {"2", "c"}});
    const Sseq moved = seq.map([](const Sev& event) { return Sev{3 - event.time, event.duration, event.payload}; });
    // The results, in ascending order of the old times, happen to fall in time.
    EXPECT_TRUE(moved.rev_sorted());
    EXPECT_EQ(listed(moved), "c@1 b@2 a@3");
    const Sseq shifted = seq.map([](const Sev& event) { return Sev{event.time + 5, event.duration, event.payload}; });
    EXPECT_FALSE(shifted.rev_sorted());
    EXPECT_EQ(listed(shifted), "a@5 b@6 c@7");
    // All equal times: the ascending list counts as rev_sorted and reads back reversed.
    const Sseq flat = seq.map([](const Sev& event) { return Sev{0, event.duration, event.payload}; });
    EXPECT_TRUE(flat.rev_sorted());
    EXPECT_EQ(listed(flat), "c@0 b@0 a@0");
    const Sseq renamed = seq.map([](const Sev& event) { return Sev{event.time, 2, event.payload + "!"}; });
    EXPECT_EQ(listed(renamed), "a!@0 b!@1 c!@2");
    EXPECT_EQ(renamed.events()[0].duration, 2);
}

TEST(Seq, MapPrevNextSeesTheNeighbours) {
    const Sseq seq = seq_of({{"2", "c"}, {"0", "a"}, {"1", "b"}});
    const Sseq seen = seq.map_prev_next([](const Sev* previous, const Sev& event, const Sev* next) {
        const std::string before = previous ? previous->payload : "-";
        const std::string after = next ? next->payload : "-";
        return Sev{event.time, event.duration, before + event.payload + after};
    });
    EXPECT_TRUE(seen.rev_sorted());
    EXPECT_EQ(listed(seen), "-ab@0 abc@1 bc-@2");
    EXPECT_TRUE(Sseq::create().map_prev_next([](const Sev*, const Sev& e, const Sev*) { return e; }).empty());
}

TEST(Seq, CarriedStateStartsEmptyAndFlowsForward) {
    const Sseq seq = seq_of({{"0", "a"}, {"1", "b"}, {"2", "c"}});
    const Sseq numbered = seq.map_prev_next_cf<int>(
        [](const Sev* previous, const Sev& event, const Sev* next, std::optional<int> count) {
            const int n = count ? *count + 1 : 0;
            const std::string label = event.payload + std::to_string(n) + (previous ? "<" : "") + (next ? ">" : "");
            return std::pair<Sev, int>{Sev{event.time, event.duration, label}, n};
        });
    EXPECT_EQ(listed(numbered), "a0>@0 b1<>@1 c2<@2");

    std::vector<std::string> trail;
    seq.iter_cf<std::string>([&](const Sev& event, std::optional<std::string> state) {
        trail.push_back(state ? *state : "none");
        return event.payload;
    });
    EXPECT_EQ(trail, (std::vector<std::string>{"none", "a", "b"}));

    std::string order;
    seq_of({{"1", "b"}, {"0", "a"}}).iter([&](const Sev& event) { order += event.payload; });
    EXPECT_EQ(order, "ab");
}

TEST(Seq, ComparesByTimeOnly) {
    const Sev early{q("1/3"), 9, "x"};
    const Sev late{q("1/2"), 1, "a"};
    EXPECT_LT(Sseq::compare(early, late), 0);
    EXPECT_GT(Sseq::compare(late, early), 0);
    EXPECT_EQ(Sseq::compare(early, Sev{q("2/6"), 0, "y"}), 0);
    EXPECT_GT(Sseq::rev_compare(early, late), 0);
    EXPECT_TRUE(Sseq::test_rev_sorted({}));
    EXPECT_TRUE(Sseq::test_rev_sorted({late}));
    EXPECT_TRUE(Sseq::test_rev_sorted({late, early, early}));
    EXPECT_FALSE(Sseq::test_rev_sorted({early, late}));
}

TEST(Seq, LongSequencesAreFreedWithoutDeepRecursion) {
    Seq<int> seq = Seq<int>::create();
    for (int k = 0; k < 300000; ++k) seq = seq.add(k, 1, k);
    const Seq<int> shared = seq.add(300000, 1, 0);
    seq = Seq<int>::create();
    EXPECT_EQ(shared.size(), 300001U);
    EXPECT_EQ(shared.events().back().time, 300000);
}

}  // namespace
}  // namespace zub
