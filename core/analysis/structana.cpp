#include "core/analysis/structana.h"

#include <functional>
#include <sstream>

#include "core/analysis/structana_table.h"
#include "core/theory/roman.h"

namespace zub {

Ae Ae::chord(Chordelem chord) { return Ae(Tag::Chord, std::move(chord), {}, {}); }

Ae Ae::turnaround(std::vector<Ae> members, std::vector<std::string> keys) {
    if (members.empty()) throw Invalid_argument("Turnaround without chords");
    for (const Ae& member : members)
        if (!member.is(Tag::Chord)) throw Invalid_argument("Turnaround of non-chords");
    return Ae(Tag::Turnaround, std::nullopt, std::move(members), std::move(keys));
}

Ae Ae::twofive(Ae two, Ae five) {
    if (!two.is(Tag::Chord) || !(five.is(Tag::Chord) || five.is(Tag::Passthru)))
        throw Invalid_argument("Twofive of non-chord");
    return Ae(Tag::Twofive, std::nullopt, {std::move(two), std::move(five)}, {});
}

Ae Ae::extdom(std::vector<Ae> members) {
    if (members.size() < 2) throw Invalid_argument("Extdom of fewer than two");
    return Ae(Tag::Extdom, std::nullopt, std::move(members), {});
}

Ae Ae::passthru(Ae passing, Ae target) {
    if (!passing.is(Tag::Chord) || !target.is(Tag::Chord)) throw Invalid_argument("Passthru of non-chords");
    return Ae(Tag::Passthru, std::nullopt, {std::move(passing), std::move(target)}, {});
}

const Chordelem& Ae::chordelem() const {
    if (!chord_) throw Invalid_argument("Not a chord element");
    return *chord_;
}

namespace {

const char* tag_name(Ae::Tag tag) {
    switch (tag) {
        case Ae::Tag::Chord: return "Chord";
        case Ae::Tag::Turnaround: return "Turnaround";
        case Ae::Tag::Twofive: return "Twofive";
        case Ae::Tag::Extdom: return "Extdom";
        case Ae::Tag::Passthru: return "Passthru";
    }
    return "?";
}

}  // namespace

std::string to_string(const Ae& element) {
    if (element.is(Ae::Tag::Chord)) {
        const Chordelem& chord = element.chordelem();
        return chord.c().to_string() + "@" + chord.t().get_str() + ":" + chord.d().get_str();
    }
    std::string text = std::string(tag_name(element.tag())) + "(" + to_string(element.members());
    if (element.is(Ae::Tag::Turnaround)) {
        text += " ;";
        for (const std::string& key : element.keys()) text += " " + key;
    }
    return text + ")";
}

std::string to_string(const std::vector<Ae>& elements) {
    std::string text;
    for (const Ae& element : elements) {
        if (!text.empty()) text += ' ';
        text += to_string(element);
    }
    return text;
}

void pp(std::ostream& out, const Ae& element) { out << to_string(element); }
std::ostream& operator<<(std::ostream& out, const Ae& element) { return out << to_string(element); }

namespace Structana {

using Tag = Ae::Tag;

const Intvl& minor_second() {
    static const Intvl interval = Intvl::of_string("b2");
    return interval;
}

const Intvl& fifth() {
    static const Intvl interval = Intvl::of_string("5");
    return interval;
}

const mpq_class& ae_t(const Ae& element) {
    if (!element.is(Tag::Chord)) throw Failure("Can't get timestamp for complex ae");
    return element.chordelem().t();
}

const mpq_class& ae_d(const Ae& element) {
    if (!element.is(Tag::Chord)) throw Failure("Can't get duration for complex ae");
    return element.chordelem().d();
}

const Simplchord& ae_c(const Ae& element) {
    if (!element.is(Tag::Chord)) throw Failure("Can't get chord for complex ae");
    return element.chordelem().c();
}

const Ae& lastchord(const Ae& element) {
    switch (element.tag()) {
        case Tag::Chord: return element;
        case Tag::Turnaround:
        case Tag::Extdom: return lastchord(list_last(element.members()));
        case Tag::Twofive:
        case Tag::Passthru: return lastchord(element.members()[1]);
    }
    return element;
}

const Ae& firstchord(const Ae& element) {
    switch (element.tag()) {
        case Tag::Chord: return element;
        case Tag::Turnaround:
        case Tag::Extdom: return firstchord(element.members().front());
        case Tag::Twofive: return element.members()[0];
        case Tag::Passthru: return element.members()[1];
    }
    return element;
}

int metric_weight(const mpq_class& time) {
    mpq_class t = time;
    t.canonicalize();
    // A negative time would index before the table; no chart produces one.
    if (t.get_den() != 1 || sgn(t) < 0) throw Failure("Invalid time: " + t.get_str());
    const mpz_class position = t.get_num() % 16;
    return metric_weights[position.get_ui()];
}

Intvl intvlbetw(const Ae& a, const Ae& b) { return ae_c(a).root().sub_note(ae_c(b).root()); }

std::pair<Roman, bool> parse_romankey(std::string_view romankey) {
    const bool minor = romankey.ends_with('m');
    try {
        return {Roman::of_string(minor ? romankey.substr(0, romankey.size() - 1) : romankey), minor};
    } catch (const Failure&) {
        throw Failure("Invalid romankey: " + std::string(romankey));
    }
}

std::string romankey_to_key(const Note& tonic, std::string_view romankey) {
    const auto [degree, minor] = parse_romankey(romankey);
    return tonic.add_intvl(degree.to_intvl()).to_string() + (minor ? "m" : "");
}

Roman degree_by_pitch(const Note& tonic, const Note& root) {
    static const std::vector<Roman> degrees = [] {
        std::vector<Roman> built;
        for (std::string_view name : {"I", "bII", "II", "bIII", "III", "IV", "bV", "V", "bVI", "VI", "bVII", "VII"})
            built.push_back(Roman::of_string(name));
        return built;
    }();
    return degrees[static_cast<std::size_t>((root.semi() - tonic.semi() + 12) % 12)];
}

Romanchord romanize(const Note& tonic, const Ae& element) {
    const Simplchord& chord = ae_c(element);
    return Romanchord::of_root_kind(degree_by_pitch(tonic, chord.root()), chord.kind());
}

namespace {

// The root motion between two chords in semitones, 0..11: the semitones of
// intvlbetw, but defined for every pair of spellings (C## over Cbb too).
int root_motion(const Ae& a, const Ae& b) {
    return (ae_c(lastchord(a)).root().semi() - ae_c(lastchord(b)).root().semi() + 12) % 12;
}

bool is_kind(const Ae& chord, std::string_view kind) { return ae_c(chord).kind() == kind; }

bool falls_a_fifth_or_half_step(const Ae& a, const Ae& b) {
    const int motion = root_motion(a, b);
    return motion == fifth().semi() || motion == minor_second().semi();
}

// The parsed turnaround rows, built once.
struct Turnaround_pattern {
    std::vector<Romanchord> chords;
    std::vector<std::string> keys;
};

const std::vector<Turnaround_pattern>& turnaround_patterns() {
    static const std::vector<Turnaround_pattern> patterns = [] {
        std::vector<Turnaround_pattern> built;
        for (const Turnaround_row& row : turnaround_rows) {
            Turnaround_pattern pattern;
            for (std::string_view chord : row.pattern) pattern.chords.push_back(Romanchord::of_string(chord));
            for (std::string_view key : row.keys) pattern.keys.emplace_back(key);
            built.push_back(std::move(pattern));
        }
        return built;
    }();
    return patterns;
}

// The turnaround the pattern makes of the elements from start on, if it matches.
// Every pattern chord has relative length 1, so all durations equal the first.
std::optional<Ae> matchturnaround(const Turnaround_pattern& pattern, const std::vector<Ae>& elements,
                                  std::size_t start) {
    const std::size_t length = pattern.chords.size();
    if (elements.size() - start < length) return std::nullopt;
    try {
        const Note tonic = ae_c(elements[start]).root().sub_intvl(pattern.chords[0].root().to_intvl());
        const mpq_class& unit = ae_d(elements[start]);
        for (std::size_t k = 0; k < length; ++k) {
            const Ae& element = elements[start + k];
            const Romanchord chord = romanize(tonic, element);
            // By pitch: the patterns spell #Idim and bII7 alike.
            if (chord.kind() != pattern.chords[k].kind() || !Roman::equiv(chord.root(), pattern.chords[k].root()) ||
                ae_d(element) != unit)
                return std::nullopt;
        }
        std::vector<std::string> keys;
        for (const std::string& key : pattern.keys) keys.push_back(romankey_to_key(tonic, key));
        std::vector<Ae> members(elements.begin() + static_cast<std::ptrdiff_t>(start),
                                elements.begin() + static_cast<std::ptrdiff_t>(start + length));
        return Ae::turnaround(std::move(members), std::move(keys));
    } catch (const Failure&) {
        return std::nullopt;
    }
}

// An element that follows at position start and passes the test, or a passing
// dominant followed by one that does (as one Passthru); with the position after it.
struct Parsed {
    Ae element;
    std::size_t next;
};

std::optional<Parsed> parsewithpassthru(const std::function<bool(const Ae&)>& test, const std::vector<Ae>& elements,
                                        std::size_t start) {
    if (start >= elements.size()) return std::nullopt;
    const Ae& first = elements[start];
    if (test(first)) return Parsed{first, start + 1};
    if (start + 1 < elements.size()) {
        const Ae& second = elements[start + 1];
        if (arepassthru(first, second) && test(second)) return Parsed{Ae::passthru(first, second), start + 2};
    }
    return std::nullopt;
}

}  // namespace

bool arepassthru(const Ae& a, const Ae& b) {
    if (!a.is(Tag::Chord) || !b.is(Tag::Chord)) return false;
    return root_motion(a, b) == minor_second().semi() && is_kind(a, "7");
}

bool aretwofive(const Ae& a, const Ae& b) {
    if (!a.is(Tag::Chord) || !b.is(Tag::Chord)) return false;
    return falls_a_fifth_or_half_step(a, b) && (is_kind(a, "m7") || is_kind(a, "m7b5")) && is_kind(b, "7") &&
           metric_weight(ae_t(a)) > metric_weight(ae_t(b));
}

bool aredompair(const Ae& a, const Ae& b) {
    if (a.is(Tag::Turnaround) || b.is(Tag::Turnaround)) return false;
    const Ae& la = lastchord(a);
    const Ae& lb = lastchord(b);
    return falls_a_fifth_or_half_step(la, lb) && is_kind(la, "7") && is_kind(lb, "7");
}

bool domresolves(const Ae& a, const Ae& b) {
    if (a.is(Tag::Turnaround) || b.is(Tag::Turnaround)) return false;
    const Ae& la = lastchord(a);
    const Ae& fb = firstchord(b);
    return root_motion(la, fb) == fifth().semi() && metric_weight(ae_t(la)) < metric_weight(ae_t(fb)) &&
           is_kind(la, "7");
}

std::vector<Ae> makeseq(const std::vector<Chord_entry>& entries) {
    std::vector<Ae> elements;
    elements.reserve(entries.size());
    mpq_class t = 0;
    for (const auto& [symbol, beats] : entries) {
        const mpq_class d = beats;
        elements.push_back(Ae::chord(Chordelem(t, d, Simplchord::of_chord_name(symbol))));
        t += d;
    }
    return elements;
}

std::vector<Ae> mergesame(const std::vector<Ae>& elements) {
    std::vector<Ae> merged;
    if (elements.empty()) return merged;
    Ae current = elements.front();
    for (std::size_t k = 1; k < elements.size(); ++k) {
        const Ae& next = elements[k];
        if (current.is(Tag::Chord) && next.is(Tag::Chord) &&
            Chord::compare(ae_c(current).orig(), ae_c(next).orig()) == 0) {
            const Chordelem& kept = current.chordelem();
            current = Ae::chord(Chordelem(kept.t(), kept.d() + ae_d(next), kept.c()));
        } else {
            merged.push_back(std::move(current));
            current = next;
        }
    }
    merged.push_back(std::move(current));
    return merged;
}

std::vector<Ae> groupturnaround(const std::vector<Ae>& elements) {
    std::vector<Ae> grouped;
    std::size_t k = 0;
    while (k < elements.size()) {
        std::optional<Ae> turnaround;
        for (const Turnaround_pattern& pattern : turnaround_patterns()) {
            turnaround = matchturnaround(pattern, elements, k);
            if (turnaround) break;
        }
        if (turnaround) {
            k += turnaround->members().size();
            grouped.push_back(std::move(*turnaround));
        } else {
            grouped.push_back(elements[k++]);
        }
    }
    return grouped;
}

std::vector<Ae> grouptwofive(const std::vector<Ae>& elements) {
    std::vector<Ae> grouped;
    std::size_t k = 0;
    while (k < elements.size()) {
        const Ae& two = elements[k];
        if (auto five = parsewithpassthru([&](const Ae& x) { return aretwofive(two, x); }, elements, k + 1)) {
            grouped.push_back(Ae::twofive(two, five->element));
            k = five->next;
        } else {
            grouped.push_back(two);
            ++k;
        }
    }
    return grouped;
}

std::vector<Ae> groupextdom(const std::vector<Ae>& elements) {
    std::vector<Ae> grouped;
    if (elements.empty()) return grouped;
    Ae current = elements.front();
    std::size_t k = 1;
    while (k < elements.size()) {
        const bool chain = current.is(Tag::Extdom);
        const Ae& newest = chain ? current.members().back() : current;
        if (auto next = parsewithpassthru([&](const Ae& x) { return aredompair(newest, x); }, elements, k)) {
            std::vector<Ae> members = chain ? current.members() : std::vector<Ae>{current};
            members.push_back(next->element);
            current = Ae::extdom(std::move(members));
            k = next->next;
        } else {
            grouped.push_back(std::move(current));
            current = elements[k++];
        }
    }
    grouped.push_back(std::move(current));
    return grouped;
}

std::vector<Ae> grouppassthru(const std::vector<Ae>& elements) {
    std::vector<Ae> grouped;
    std::size_t k = 0;
    while (k < elements.size()) {
        const Ae& dominant = elements[k];
        grouped.push_back(dominant);
        if (auto target = parsewithpassthru([&](const Ae& x) { return domresolves(dominant, x); }, elements, k + 1)) {
            grouped.push_back(target->element);
            k = target->next;
        } else {
            ++k;
        }
    }
    return grouped;
}

std::vector<Ae> structana(const std::vector<Chord_entry>& entries) {
    return grouppassthru(groupextdom(grouptwofive(groupturnaround(mergesame(makeseq(entries))))));
}

}  // namespace Structana
}  // namespace zub
