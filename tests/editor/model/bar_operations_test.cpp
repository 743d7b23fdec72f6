#include <gtest/gtest.h>

#include "bridge/bridge_exception.h"
#include "editor/model/bar_operations.h"
#include "../failure_testing.h"

namespace zub {
namespace {

TEST(BarOperations, ChorusAfterReplacement) {
    struct Case {
        Chorus before;
        BarRange range;
        std::size_t newBars;
        Chorus after;
    };
    const Chorus whole{1, Chorus::to_the_end, 2};
    const Case cases[] = {
        {{3, 6, 2}, {2, 0}, 3, {3, 9, 2}},   // pasting at the chorus's first bar joins it
        {{3, 6, 2}, {0, 2}, 0, {1, 4, 2}},   // deleting the bars before it moves it
        {{3, 6, 2}, {2, 4}, 0, whole},       // deleting exactly its bars resets it
        {whole, {0, 3}, 0, whole},           // a chorus to the end never changes
        {{3, 6, 2}, {6, 0}, 2, {3, 6, 2}},   // bars inserted after it leave it alone
        {{3, 6, 2}, {4, 0}, 1, {3, 7, 2}},   // inserted inside it, it grows
        {{3, 6, 2}, {3, 1}, 0, {3, 5, 2}},   // a bar deleted inside it, it shrinks
        {{3, 6, 2}, {2, 1}, 2, {3, 7, 2}},   // its first bar replaced: the chorus covers the replacement
        {{3, 6, 2}, {5, 1}, 1, {3, 6, 2}},   // its last bar replaced by one bar
        {{3, 6, 2}, {0, 1}, 1, {3, 6, 2}},   // a bar before it replaced by one bar
    };
    for (const Case& c : cases) {
        const Chorus got = newChorusAfterReplacementInRange(c.before, c.range, c.newBars);
        EXPECT_EQ(got, c.after) << c.range.location << "," << c.range.length << " +" << c.newBars << " -> "
                                << got.begin << "-" << got.end;
    }
}

TEST(BarOperations, ChorusOfSelectionKeepsRepeats) {
    EXPECT_EQ(chorusOfSelection({2, 3}, {1, 9, 4}), (Chorus{3, 5, 4}));
}

TEST(BarOperations, ChorusPlistRoundTrip) {
    const Chorus c{2, 7, 3};
    EXPECT_EQ(Chorus::of_plist(c.to_plist()), c);
}

TEST(BarOperations, DeleteRules) {
    using Plan = std::optional<DeletePlan>;
    struct Case {
        const char* what;
        Plan (*rule)(BarRange, std::size_t);
        BarRange selection;
        std::size_t bars;
        Plan plan;
    };
    const Case cases[] = {
        {"selection", deleteSelection, {1, 2}, 5, DeletePlan{{1, 2}, false, {1, 0}}},
        {"every bar", deleteSelection, {0, 5}, 5, DeletePlan{{0, 5}, true, {0, 1}}},
        {"insertion point", deleteSelection, {2, 0}, 5, std::nullopt},
        {"backward", deleteBackward, {2, 0}, 5, DeletePlan{{1, 1}, false, {1, 0}}},
        {"backward at 0", deleteBackward, {0, 0}, 5, std::nullopt},
        {"backward one bar", deleteBackward, {1, 0}, 1, std::nullopt},
        {"backward selection", deleteBackward, {0, 5}, 5, DeletePlan{{0, 5}, true, {0, 1}}},
        {"forward", deleteForward, {2, 0}, 5, DeletePlan{{2, 1}, false, {2, 0}}},
        {"forward at end", deleteForward, {5, 0}, 5, std::nullopt},
        {"forward one bar", deleteForward, {0, 0}, 1, std::nullopt},
        {"forward selection", deleteForward, {3, 2}, 5, DeletePlan{{3, 2}, false, {3, 0}}},
        {"forward past the end", deleteForward, {9, 0}, 5, std::nullopt},
        {"backward past the end", deleteBackward, {9, 0}, 5, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(c.rule(c.selection, c.bars), c.plan) << c.what;
}

TEST(BarOperations, DropAcceptanceAndMove) {
    struct Case {
        std::size_t drop;
        bool same;
        bool accepted;
        std::optional<std::size_t> moveTo;
    };
    const BarRange dragged{1, 2};
    const Case cases[] = {
        {0, true, true, 0}, {1, true, false, 1}, {2, true, false, 0},
        {3, true, true, std::nullopt},  // right after itself: nothing happens
        {6, true, true, 4},             // 6 minus the two dragged bars
        {2, false, true, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dropAccepted(c.drop, dragged, c.same), c.accepted) << c.drop;
        if (c.accepted && c.same) {
            EXPECT_EQ(moveInsertionIndex(c.drop, dragged), c.moveTo) << c.drop;
        }
    }
}

TEST(BarOperations, SectionMarkTags) {
    EXPECT_EQ(sectionMarkForTag(0), 'A');
    EXPECT_EQ(sectionMarkForTag(1), 'B');
    EXPECT_EQ(sectionMarkForTag(2), 32);
    EXPECT_EQ(testing::reasonOf([] { sectionMarkForTag(7); }), "Unknown section mark tag: 7");
}

}  // namespace
}  // namespace zub
