// Structural grouping: a flat chord sequence becomes a sequence of analysis
// elements, single chords with their start time and duration, and the groups
// a jazz musician hears as one gesture: turnarounds, ii-V pairs, chains of
// dominants and chromatic passing dominants. Purely local pattern matching
// over neighbours, in a fixed order of passes. Times are exact rationals in
// the unit of the durations given (beats).
#pragma once

#include <gmpxx.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/failure.h"
#include "core/theory/intvl.h"
#include "core/theory/note.h"
#include "core/theory/roman.h"
#include "core/theory/romanchord.h"
#include "core/theory/simplchord.h"

namespace zub {

// One chord of the sequence: start time t, duration d, simplified chord c.
class Chordelem {
public:
    Chordelem(mpq_class t, mpq_class d, Simplchord c) : t_(std::move(t)), d_(std::move(d)), c_(std::move(c)) {}
    const mpq_class& t() const { return t_; }
    const mpq_class& d() const { return d_; }
    const Simplchord& c() const { return c_; }

private:
    mpq_class t_;
    mpq_class d_;
    Simplchord c_;
};

// An analysis element: a chord or one of four groups of elements.
class Ae {
public:
    enum class Tag { Chord, Turnaround, Twofive, Extdom, Passthru };

    static Ae chord(Chordelem chord);
    // The matched chords in order and the key names the turnaround stands for.
    // Invalid_argument "Turnaround of non-chords" unless every member is a Chord,
    // "Turnaround without chords" for no members.
    static Ae turnaround(std::vector<Ae> members, std::vector<std::string> keys);
    // A ii chord and its V (a Chord or a Passthru); Invalid_argument "Twofive of non-chord" otherwise.
    static Ae twofive(Ae two, Ae five);
    // Two or more elements each resolving to the next; Invalid_argument "Extdom of fewer than two".
    static Ae extdom(std::vector<Ae> members);
    // A passing dominant and the chord it leads into; Invalid_argument "Passthru of non-chords".
    static Ae passthru(Ae passing, Ae target);

    Tag tag() const { return tag_; }
    bool is(Tag tag) const { return tag_ == tag; }
    // The chord of a Chord; Invalid_argument "Not a chord element" for a group.
    const Chordelem& chordelem() const;
    // Turnaround and Extdom: all members; Twofive and Passthru: the two components; Chord: none.
    const std::vector<Ae>& members() const { return members_; }
    // The key names of a Turnaround; empty for every other element.
    const std::vector<std::string>& keys() const { return keys_; }

private:
    Ae(Tag tag, std::optional<Chordelem> chord, std::vector<Ae> members, std::vector<std::string> keys)
        : tag_(tag), chord_(std::move(chord)), members_(std::move(members)), keys_(std::move(keys)) {}
    Tag tag_;
    std::optional<Chordelem> chord_;
    std::vector<Ae> members_;
    std::vector<std::string> keys_;
};

// Debug form: "Dm7@0:2" for a chord at time 0 lasting 2, and for groups
// "Twofive(Dm7@0:2 G7@2:2)", "Turnaround(C@0:1 ... ; C Cm)", "Extdom(...)", "Passthru(...)".
std::string to_string(const Ae& element);
std::string to_string(const std::vector<Ae>& elements);
void pp(std::ostream& out, const Ae& element);
std::ostream& operator<<(std::ostream& out, const Ae& element);

// A chord symbol with its duration in whole beats, as the chart gives it.
using Chord_entry = std::pair<std::string, int>;

namespace Structana {

// The minor second and the perfect fifth, the root motions the grouping looks for.
const Intvl& minor_second();
const Intvl& fifth();

// The fields of a Chord: ae_t(Dm7@0:2) = 0. On a group they fail with
// "Can't get timestamp for complex ae", "Can't get duration for complex ae",
// "Can't get chord for complex ae".
const mpq_class& ae_t(const Ae& element);
const mpq_class& ae_d(const Ae& element);
const Simplchord& ae_c(const Ae& element);

// The last element: list_last({a, b}) = b; "No last element on empty list".
template <typename T>
const T& list_last(const std::vector<T>& list) {
    if (list.empty()) throw Failure("No last element on empty list");
    return list.back();
}

// The chord that ends an element: the second component of a pair, the last member of a list.
const Ae& lastchord(const Ae& element);
// The chord that starts an element functionally: the first member of a list,
// the ii of a Twofive, the target (not the passing chord) of a Passthru.
const Ae& firstchord(const Ae& element);

// Weight of a whole time within a 16-unit span: 0 -> 15, 8 -> 14, 7 -> 1, 18 -> 11.
// "Invalid time: 3/2" for a time that is not whole or is negative.
int metric_weight(const mpq_class& t);

// The root interval from b's chord up to a's chord, both Chords: intvlbetw(G7, Dm7) = 4.
Intvl intvlbetw(const Ae& a, const Ae& b);
// A roman key read as its degree and whether it is minor: "bIII" -> (bIII, false),
// "VIm" -> (VI, true); "Invalid romankey: x" when it is not a roman degree with an optional "m".
std::pair<Roman, bool> parse_romankey(std::string_view romankey);
// The key name a roman key stands for over a tonic: romankey_to_key(Eb, "VIm") = "Cm";
// "Invalid romankey: x" when the text is not a roman degree with an optional "m".
std::string romankey_to_key(const Note& tonic, std::string_view romankey);
// The degree of a root over a tonic read by pitch, as the key-center rules
// spell degrees, so that a chart's spelling does not matter: F# and Gb over C are both bV.
Roman degree_by_pitch(const Note& tonic, const Note& root);
// The chord of a Chord relative to a tonic, its root read by pitch: romanize(C, Dm9) = IIm7,
// romanize(Gb, C#7) = V7; "Invalid kind: ??" for a kind outside the eight.
Romanchord romanize(const Note& tonic, const Ae& element);

// The passes, in the order structana applies them.
std::vector<Ae> makeseq(const std::vector<Chord_entry>& entries);
std::vector<Ae> mergesame(const std::vector<Ae>& elements);
std::vector<Ae> groupturnaround(const std::vector<Ae>& elements);
std::vector<Ae> grouptwofive(const std::vector<Ae>& elements);
std::vector<Ae> groupextdom(const std::vector<Ae>& elements);
std::vector<Ae> grouppassthru(const std::vector<Ae>& elements);

// The neighbour tests; each is false when a side has the wrong constructor.
bool arepassthru(const Ae& a, const Ae& b);
bool aretwofive(const Ae& a, const Ae& b);
bool aredompair(const Ae& a, const Ae& b);
bool domresolves(const Ae& a, const Ae& b);

// All passes: structana({{"Dm7", 2}, {"G7", 2}, {"C", 4}}) -> Twofive(Dm7 G7), C.
// Chord symbols that do not parse fail with the Chord::of_string message.
std::vector<Ae> structana(const std::vector<Chord_entry>& entries);

}  // namespace Structana
}  // namespace zub
