// Annotation: every chord of an analysed chart gets its label, a roman-numeral
// function relative to the key center of its segment ("IIm7", "V7/II",
// "subV7"), and a dominant that resolves gets an arrow to its resolution.
// The grouping of the elements (ii-V pairs, turnarounds, chains of dominants,
// passing chords) is kept for the brackets of the output.
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/analysis/segment.h"
#include "core/analysis/structana.h"
#include "core/theory/chord.h"

namespace zub {

// Where a resolving dominant points: down a fifth (Solid), down a half step
// (Dotted, a tritone substitute), or through a passing chord (Via_passthru).
class Arrow {
public:
    enum class Kind { None, Solid, Dotted, Via_passthru };

    static Arrow none() { return Arrow(Kind::None, 0, 0); }
    static Arrow solid(mpq_class to) { return Arrow(Kind::Solid, std::move(to), 0); }
    static Arrow dotted(mpq_class to) { return Arrow(Kind::Dotted, std::move(to), 0); }
    static Arrow via_passthru(mpq_class passing, mpq_class to) {
        return Arrow(Kind::Via_passthru, std::move(passing), std::move(to));
    }

    Kind kind() const { return kind_; }
    // Solid and Dotted: the start of the resolution; Via_passthru: the start of the passing chord.
    const mpq_class& first() const { return first_; }
    // Via_passthru: the start of the resolution.
    const mpq_class& second() const { return second_; }
    bool operator==(const Arrow&) const = default;

private:
    Arrow(Kind kind, mpq_class first, mpq_class second)
        : kind_(kind), first_(std::move(first)), second_(std::move(second)) {}
    Kind kind_;
    mpq_class first_;
    mpq_class second_;
};

// One chord with its place in time, its label and its arrow.
struct Annotated_chord {
    mpq_class t;
    mpq_class d;
    Chord chord;
    std::string label;
    Arrow arrow;
};

// The annotated counterpart of an analysis element, with the same five shapes.
class Annotated {
public:
    using Tag = Ae::Tag;

    static Annotated chord(Annotated_chord chord) { return Annotated(Tag::Chord, std::move(chord), {}); }
    static Annotated group(Tag tag, std::vector<Annotated> members) {
        return Annotated(tag, std::nullopt, std::move(members));
    }

    Tag tag() const { return tag_; }
    bool is(Tag tag) const { return tag_ == tag; }
    // The chord of a Chord; Invalid_argument "Not a chord element" for a group.
    const Annotated_chord& annotated_chord() const;
    // Members in chart order: both components of a Twofive or Passthru, all of a list.
    const std::vector<Annotated>& members() const { return members_; }

private:
    Annotated(Tag tag, std::optional<Annotated_chord> chord, std::vector<Annotated> members)
        : tag_(tag), chord_(std::move(chord)), members_(std::move(members)) {}
    Tag tag_;
    std::optional<Annotated_chord> chord_;
    std::vector<Annotated> members_;
};

// A key name ("Eb", "Cm") with the annotated elements of its segment.
struct Annotated_segment {
    std::string key;
    std::vector<Annotated> elements;
};

namespace Annotate {

// The tonic of a key name: keyroot("Cm") = C; the Note::of_string message otherwise.
Note keyroot(const std::string& key);

// In C: Dm7 G7 C -> "IIm7", "V7" (Solid to C), "I"; Db7 C -> "subV7" (Dotted);
// D7 F -> "(II7)"; a chord that cannot be labelled gets "?". Structural
// failures ("Twofive contains non-Chord and non-Passthru variant", ...) for
// element shapes the grouping never builds.
std::vector<Annotated_segment> annotate(const std::vector<Segment::Key_segment>& segments);

}  // namespace Annotate
}  // namespace zub
