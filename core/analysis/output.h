// The display form of an analysis: equal-width slots, bar by bar, each with
// its chord text and label, whether a bar line precedes it, and which arrow,
// key-center name and ii-V bracket start at it. Arrow and bracket ends are
// slot indices, so the editor needs no rational arithmetic.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/annotate.h"

namespace zub {

struct Slot_arrow {
    enum class Kind { Solid, Dotted, Passthru1, Passthru2 };
    Kind kind;
    int to;  // slot index
    bool operator==(const Slot_arrow&) const = default;
};

struct Bracket {
    enum class Kind { Solid, Dotted };
    Kind kind;
    int end;  // slot index of the V chord (or of a passing chord's target)
    bool operator==(const Bracket&) const = default;
};

// One entry per slot in each array.
struct Analysis_result {
    std::vector<std::pair<std::string, std::string>> chords;  // chord text ("/" continues), label
    std::vector<bool> barlines;
    std::vector<std::optional<Slot_arrow>> arrows;
    std::vector<std::optional<std::string>> keys;
    std::vector<std::optional<Bracket>> brackets;
};

namespace Output {

// Bars of 4 beats; a bar holding Dm7 2 and G7 2 gives two slots, C 3 and G7 1
// gives four (C, "/", "/", G7). Beats after the last complete bar are left out,
// and so are arrows, key centers and brackets that would start or end there.
// "Duration is not a whole number: 3/2" for a fractional duration.
Analysis_result dvi_output(const std::vector<Annotated_segment>& segments);

}  // namespace Output
}  // namespace zub
