#include "core/analysis/output.h"

#include <map>
#include <numeric>

#include "core/failure.h"

namespace zub::Output {

namespace {

using Tag = Ae::Tag;

const mpq_class bar_length = 4;

struct Slot {
    mpq_class t;
    mpq_class d;
    std::string chord;
    std::string label;
    Arrow arrow;
};

Slot continuation(const mpq_class& t, const mpq_class& d) { return {t, d, "/", "", Arrow::none()}; }

void serialize(const Annotated& element, std::vector<Slot>& slots) {
    if (element.is(Tag::Chord)) {
        const auto& c = element.annotated_chord();
        slots.push_back({c.t, c.d, c.chord.to_string(), c.label, c.arrow});
        return;
    }
    for (const auto& member : element.members()) serialize(member, slots);
}

std::vector<Slot> serialize_part(const std::vector<Annotated_segment>& segments) {
    std::vector<Slot> slots;
    for (const auto& segment : segments)
        for (const auto& element : segment.elements) serialize(element, slots);
    return slots;
}

// Cuts every slot that crosses a bar line; the rest goes on as "/".
std::vector<Slot> bar_partition(const std::vector<Slot>& slots) {
    std::vector<Slot> cut;
    mpq_class position = 0;
    for (Slot slot : slots) {
        for (;;) {
            mpq_class p = position + slot.d;
            if (p <= bar_length) {
                position = p == bar_length ? mpq_class(0) : p;
                cut.push_back(std::move(slot));
                break;
            }
            mpq_class first = slot.d - (p - bar_length);
            mpq_class rest_start = slot.t + first;
            slot.d = first;
            cut.push_back(std::move(slot));
            slot = continuation(rest_start, p - bar_length);
            position = 0;
        }
    }
    return cut;
}

long whole_beats(const mpq_class& d) {
    if (d.get_den() != 1) throw Failure("Duration is not a whole number: " + d.get_str());
    return d.get_num().get_si();
}

// Every slot of the bar gets the bar's greatest common duration.
void bar_equalize(const std::vector<Slot>& bar, std::vector<Slot>& out) {
    long g = 4;
    for (const auto& slot : bar) g = std::gcd(g, whole_beats(slot.d));
    for (const auto& slot : bar) {
        Slot first = slot;
        first.d = g;
        out.push_back(first);
        for (mpq_class t = slot.t + g; t < slot.t + slot.d; t += g) out.push_back(continuation(t, g));
    }
}

std::vector<Slot> beat_equalize(const std::vector<Slot>& slots) {
    std::vector<Slot> out;
    std::vector<Slot> bar;
    mpq_class beats = 0;
    for (const auto& slot : slots) {
        bar.push_back(slot);
        beats += slot.d;
        if (beats == bar_length) {
            bar_equalize(bar, out);
            bar.clear();
            beats = 0;
        }
    }
    return out;
}

const mpq_class& start_time(const Annotated& element) {
    return element.is(Tag::Chord) ? element.annotated_chord().t : start_time(element.members().front());
}

struct Time_bracket {
    mpq_class two;
    mpq_class five;
    Bracket::Kind kind;
};

// A ii-V whose ii lies a fifth above its V is a real one; others are drawn dotted.
bool is_dom_twofive(const Annotated_chord& two, const Annotated_chord& five) {
    return (two.chord.root().semi() - five.chord.root().semi() + 12) % 12 == 7;
}

void twofives(const Annotated& element, std::vector<Time_bracket>& brackets) {
    if (element.is(Tag::Extdom)) {
        for (const auto& member : element.members()) twofives(member, brackets);
        return;
    }
    if (!element.is(Tag::Twofive)) return;
    const auto& parts = element.members();
    const Annotated& five = parts[1].is(Tag::Passthru) ? parts[1].members()[1] : parts[1];
    if (!parts[0].is(Tag::Chord) || !five.is(Tag::Chord))
        throw Failure("Twofive contains non-Chord and non-Passthru variant");
    const auto& two = parts[0].annotated_chord();
    const auto& v = five.annotated_chord();
    brackets.push_back({two.t, v.t, is_dom_twofive(two, v) ? Bracket::Kind::Solid : Bracket::Kind::Dotted});
}

class Timestamp_map {
public:
    explicit Timestamp_map(const std::vector<Slot>& slots) {
        for (std::size_t i = 0; i < slots.size(); ++i) index_[slots[i].t] = static_cast<int>(i);
    }
    // The slot starting at t, or none for a time past the complete bars.
    std::optional<int> find(const mpq_class& t) const {
        auto found = index_.find(t);
        return found == index_.end() ? std::nullopt : std::optional<int>(found->second);
    }

private:
    std::map<mpq_class, int> index_;
};

void gen_arrows(const std::vector<Slot>& slots, const Timestamp_map& times, Analysis_result& result) {
    result.arrows.assign(slots.size(), std::nullopt);
    for (std::size_t i = slots.size(); i-- > 0;) {
        const Arrow& arrow = slots[i].arrow;
        switch (arrow.kind()) {
            case Arrow::Kind::None: break;
            case Arrow::Kind::Solid:
            case Arrow::Kind::Dotted:
                if (auto to = times.find(arrow.first()))
                    result.arrows[i] = Slot_arrow{arrow.kind() == Arrow::Kind::Solid ? Slot_arrow::Kind::Solid
                                                                                      : Slot_arrow::Kind::Dotted,
                                                  *to};
                break;
            case Arrow::Kind::Via_passthru: {
                auto passing = times.find(arrow.first());
                auto target = times.find(arrow.second());
                if (!passing || !target) break;
                result.arrows[i] = Slot_arrow{Slot_arrow::Kind::Passthru1, *passing};
                result.arrows[*passing] = Slot_arrow{Slot_arrow::Kind::Passthru2, *target};
                break;
            }
        }
    }
}

}  // namespace

Analysis_result dvi_output(const std::vector<Annotated_segment>& segments) {
    std::vector<Slot> slots = beat_equalize(bar_partition(serialize_part(segments)));
    Timestamp_map times(slots);
    Analysis_result result;
    for (const auto& slot : slots) {
        result.chords.emplace_back(slot.chord, slot.label);
        result.barlines.push_back(mpq_class(slot.t / bar_length).get_den() == 1);
    }
    gen_arrows(slots, times, result);

    result.keys.assign(slots.size(), std::nullopt);
    for (const auto& [key, elements] : segments) {
        if (elements.empty()) continue;
        if (auto at = times.find(start_time(elements.front()))) result.keys[*at] = key;
    }

    result.brackets.assign(slots.size(), std::nullopt);
    std::vector<Time_bracket> brackets;
    for (const auto& segment : segments)
        for (const auto& element : segment.elements) twofives(element, brackets);
    for (const auto& bracket : brackets) {
        auto start = times.find(bracket.two);
        auto end = times.find(bracket.five);
        if (start && end) result.brackets[*start] = Bracket{bracket.kind, *end};
    }
    return result;
}

}  // namespace zub::Output
