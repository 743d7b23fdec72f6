#include "core/theory/chordkind.h"

#include <algorithm>
#include <array>

namespace zub::Chordkind {

namespace {

struct Kinddef {
    std::string_view kind;
    std::vector<std::string_view> intervals;
};

// The kinds in the order they are tested: the dominant first, so that any
// type with a major third and a minor seventh is a dominant.
const std::array<Kinddef, 8> kinddefs = {{
    {"7", {"3", "b7"}},
    {"", {"3", "5"}},
    {"m6", {"b3", "5", "6"}},
    {"m7", {"b3", "5", "b7"}},
    {"mMaj7", {"b3", "5", "7"}},
    {"m", {"b3", "5"}},
    {"m7b5", {"b3", "b5", "b7"}},
    {"dim", {"b3", "b5", "6"}},
}};

struct Kind_test {
    std::string_view kind;
    Intvlset intervals;
};

const std::vector<Kind_test>& kind_tests() {
    static const std::vector<Kind_test> tests = [] {
        std::vector<Kind_test> built;
        for (const Kinddef& def : kinddefs) built.push_back({def.kind, invtlset_of_string_list(def.intervals)});
        return built;
    }();
    return tests;
}

}  // namespace

std::string of_chordtype(const Intvllist& type) {
    const Intvlset intervals = intvlset_of_intvllist(type);
    for (const Kind_test& test : kind_tests())
        if (std::includes(intervals.begin(), intervals.end(), test.intervals.begin(), test.intervals.end(),
                          Intvl_less{}))
            return std::string(test.kind);
    return "??";
}

bool is_valid(std::string_view kind) {
    return std::any_of(kinddefs.begin(), kinddefs.end(), [&](const Kinddef& def) { return def.kind == kind; });
}

Intvlset intvlset_of_intvllist(const Intvllist& list) {
    return Intvlset(list.intervals().begin(), list.intervals().end());
}

Intvlset invtlset_of_string_list(const std::vector<std::string_view>& texts) {
    Intvlset set;
    for (std::string_view text : texts) set.insert(Intvl::of_string(text));
    return set;
}

}  // namespace zub::Chordkind
