#include "core/analysis/annotate.h"

#include <algorithm>

#include "core/analysis/segment_table.h"
#include "core/failure.h"
#include "core/theory/constants.h"
#include "core/theory/romanchord.h"

namespace zub {

const Annotated_chord& Annotated::annotated_chord() const {
    if (!chord_) throw Invalid_argument("Not a chord element");
    return *chord_;
}

namespace Annotate {

namespace {

using Tag = Ae::Tag;
using Next = const Ae*;  // the element after, or none at the end of a segment

struct Label {
    std::string text;
    Arrow arrow = Arrow::none();
};

// Runs a labelling step, giving nullopt where any core failure ends it.
template <typename Step>
std::optional<Label> attempt(Step step) {
    try {
        return step();
    } catch (const Failure&) {
    } catch (const Not_found&) {
    } catch (const Invalid_argument&) {
    }
    return std::nullopt;
}

// The chords a key's own scale explains: the other-diatonic rule of the major
// keys and the tonic and other-diatonic rules of the minor keys.
const std::vector<Romanchord>& diatonic_chords() {
    static const std::vector<Romanchord> chords = [] {
        std::vector<Romanchord> all;
        auto add = [&](const std::vector<Class_ruledef>& rules, int cls) {
            for (const auto& rule : rules)
                if (rule.cls == cls)
                    for (auto text : rule.chords) all.push_back(Romanchord::of_string(text));
        };
        add(major_class_ruledefs, 1);
        add(minor_class_ruledefs, 0);
        add(minor_class_ruledefs, 1);
        return all;
    }();
    return chords;
}

class Annotator {
public:
    explicit Annotator(Note root) : root_(root) {}

    std::vector<Annotated> anno(const std::vector<Ae>& elements) const {
        std::vector<Annotated> annotated;
        annotated.reserve(elements.size());
        for (std::size_t i = 0; i < elements.size(); ++i)
            annotated.push_back(tl_anno(elements[i], i + 1 < elements.size() ? &elements[i + 1] : nullptr));
        return annotated;
    }

private:
    Note root_;

    // A diminished chord leads up a half step, so it is named from below by its
    // pitch (#IIdim, whether written D#dim or Ebdim): a moved chart may have to
    // write F##dim as Gdim. So is the chord a tritone away (#IVm7b5, whether
    // written F#m7b5 or Gbm7b5). Other chromatic chords are named from above
    // (bII7, bVI, whether written C#7 or Db7), as the tritone substitutes and
    // borrowed chords they are.
    Roman degree(const Simplchord& chord) const {
        const int semitones = (chord.root().semi() - root_.semi() + 12) % 12;
        if (chord.kind() == "dim" || semitones == 6) return sharp_degree(chord.root());
        return Structana::degree_by_pitch(root_, chord.root());
    }
    Roman sharp_degree(const Note& root) const {
        constexpr int letters[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
        const int semitones = (root.semi() - root_.semi() + 12) % 12;
        const int letter = letters[semitones];
        return Roman::of_n_alt(letter, semitones - Constants::degree_semitones[letter]);
    }

    std::string anno_non_dom(const Simplchord& chord) const { return degree(chord).to_string() + chord.kind(); }

    std::string anno_dia(const Simplchord& chord) const {
        auto roman = Romanchord::of_root_kind(degree(chord), chord.kind());
        const auto& diatonic = diatonic_chords();
        if (std::find(diatonic.begin(), diatonic.end(), roman) == diatonic.end())
            throw Failure("Chord isn't diatonic");
        return roman.to_string();
    }

    // X resolving to Y: down a fifth is V7 (of Y's degree), down a half step subV7.
    Label dom_annotation(const Simplchord& x, const Chordelem& y) const {
        int step = (x.root().semi() - y.c().root().semi() + 12) % 12;
        std::string target = degree(y.c()).to_string();
        std::string of = target == "I" ? "" : "/" + target;
        if (step == 7) return {"V7" + of, Arrow::solid(y.t())};
        if (step == 1) return {"subV7" + of, Arrow::dotted(y.t())};
        throw Failure("Doesn't resolve");
    }

    Label anno_dom(const Simplchord& x, Next next) const {
        if (x.kind() != "7") throw Failure("Not dom chord");
        if (next == nullptr) return {anno_non_dom(x)};
        switch (next->tag()) {
            case Tag::Chord: return dom_annotation(x, next->chordelem());
            case Tag::Turnaround:
            case Tag::Extdom: return anno_dom(x, &next->members().front());
            case Tag::Twofive:
                if (auto towards_two = attempt([&] { return anno_dom(x, &next->members()[0]); }))
                    return *towards_two;
                return anno_dom(x, &next->members()[1]);
            case Tag::Passthru: {
                const Ae& passing = next->members()[0];
                const Ae& target = next->members()[1];
                if (!passing.is(Tag::Chord) || !target.is(Tag::Chord))
                    throw Failure("Main of Passthru can only be Chord variant");
                Label label = dom_annotation(x, target.chordelem());
                return {label.text, Arrow::via_passthru(passing.chordelem().t(), target.chordelem().t())};
            }
        }
        throw Failure("Not dom chord");
    }

    // "(II7)": a dominant that does not resolve.
    Label anno_dr_dom(const Simplchord& x) const { return {"(" + degree(x).to_string() + "7)"}; }

    Label anno_chord(const Simplchord& x, Next next) const {
        if (x.kind() != "7") return {anno_non_dom(x)};
        if (auto dominant = attempt([&] { return anno_dom(x, next); })) return *dominant;
        if (auto unresolved = attempt([&] { return anno_dr_dom(x); })) return *unresolved;
        throw Failure("No annotation for chord");
    }

    static Annotated with_label(const Chordelem& chord, Label label) {
        return Annotated::chord({chord.t(), chord.d(), chord.c().orig(), std::move(label.text), label.arrow});
    }

    static const Chordelem& chord_of(const Ae& element, const char* guard) {
        if (!element.is(Tag::Chord)) throw Failure(guard);
        return element.chordelem();
    }

    Annotated tl_anno_chord(const Ae& element, Next next) const {
        const Chordelem& chord = chord_of(element, "tl_anno_chord handles only Chord variant");
        auto label = attempt([&] { return anno_chord(chord.c(), next); });
        return with_label(chord, label ? *label : Label{"?"});
    }

    // A ii chord is labelled only when diatonic, and never has an arrow.
    Annotated tl_anno_two(const Ae& element) const {
        const Chordelem& chord = chord_of(element, "tl_anno_two handles only Chord variant");
        auto label = attempt([&] { return Label{anno_dia(chord.c())}; });
        return with_label(chord, label ? *label : Label{});
    }

    // The same annotation with the label blanked; the arrow stays.
    Annotated null_anno_chord(const Ae& element, Next next) const {
        const Chordelem& chord = chord_of(element, "null_anno_chord handles only Chord variant");
        auto label = attempt([&] { return anno_chord(chord.c(), next); });
        return with_label(chord, label ? Label{"", label->arrow} : Label{"?"});
    }

    static void check_twofive(const Ae& element) {
        const auto& parts = element.members();
        if (!parts[0].is(Tag::Chord) || !(parts[1].is(Tag::Chord) || parts[1].is(Tag::Passthru)))
            throw Failure("Twofive contains non-Chord and non-Passthru variant");
    }

    static void check_passthru(const Ae& element) {
        const auto& parts = element.members();
        if (!parts[0].is(Tag::Chord) || !parts[1].is(Tag::Chord)) throw Failure("Passthru contains non-Chord variant");
    }

    Annotated tl_anno_passthru(const Ae& element, Next next) const {
        check_passthru(element);
        const auto& parts = element.members();
        return Annotated::group(Tag::Passthru, {tl_anno_chord(parts[0], &parts[1]), tl_anno_chord(parts[1], next)});
    }

    Annotated tl_anno_twofive(const Ae& element, Next next) const {
        check_twofive(element);
        const auto& parts = element.members();
        Annotated five = parts[1].is(Tag::Passthru) ? tl_anno_passthru(parts[1], next) : tl_anno_chord(parts[1], next);
        return Annotated::group(Tag::Twofive, {tl_anno_two(parts[0]), std::move(five)});
    }

    Annotated tl_anno_turnaround(const Ae& element, Next next) const {
        const auto& members = element.members();
        std::vector<Annotated> annotated;
        for (std::size_t i = 0; i < members.size(); ++i)
            annotated.push_back(tl_anno_chord(members[i], i + 1 < members.size() ? &members[i + 1] : next));
        return Annotated::group(Tag::Turnaround, std::move(annotated));
    }

    // The label of a passing chord leading into its target, blanked, and the target.
    Annotated blank_passthru(const Ae& element, Next next, bool blank_target) const {
        check_passthru(element);
        const auto& parts = element.members();
        return Annotated::group(Tag::Passthru, {null_anno_chord(parts[0], &parts[1]),
                                                blank_target ? null_anno_chord(parts[1], next)
                                                             : tl_anno_chord(parts[1], next)});
    }

    Annotated null_anno_twofive(const Ae& element, Next next) const {
        check_twofive(element);
        const auto& parts = element.members();
        Annotated five = parts[1].is(Tag::Passthru) ? blank_passthru(parts[1], next, true)
                                                    : null_anno_chord(parts[1], next);
        return Annotated::group(Tag::Twofive, {null_anno_chord(parts[0], &parts[1]), std::move(five)});
    }

    Annotated null_anno(const Ae& element, Next next) const {
        switch (element.tag()) {
            case Tag::Chord: return null_anno_chord(element, next);
            case Tag::Twofive: return null_anno_twofive(element, next);
            case Tag::Passthru: return blank_passthru(element, next, true);
            default: throw Failure("Extdom may contain only chords, twofives, and passthrus");
        }
    }

    // The head of a chain: its dominant label in parentheses, "(V7/VI)".
    Annotated anno_extdom_first(const Ae& head, Next next) const {
        if (head.is(Tag::Twofive)) return tl_anno_twofive(head, next);
        if (!head.is(Tag::Chord)) throw Failure("Head of Extdom must be Chord or Twofive");
        const Chordelem& chord = head.chordelem();
        auto label = attempt([&] { return anno_dom(chord.c(), next); });
        if (!label) throw Failure("No annotation for chord");
        return with_label(chord, {"(" + label->text + ")", label->arrow});
    }

    Annotated anno_extdom_last(const Ae& last, Next next) const {
        switch (last.tag()) {
            case Tag::Chord: return tl_anno_chord(last, next);
            case Tag::Twofive: {
                check_twofive(last);
                const auto& parts = last.members();
                Annotated five = parts[1].is(Tag::Passthru) ? tl_anno_passthru(parts[1], next)
                                                            : tl_anno_chord(parts[1], next);
                return Annotated::group(Tag::Twofive, {null_anno_chord(parts[0], nullptr), std::move(five)});
            }
            case Tag::Passthru: return blank_passthru(last, next, false);
            default: throw Failure("Extdom may contain only chords, twofives, and passthrus");
        }
    }

    Annotated tl_anno_extdom(const Ae& element, Next next) const {
        const auto& members = element.members();
        if (members.size() < 2) throw Failure("Extdom contains less than two ae");
        std::vector<Annotated> annotated;
        annotated.push_back(anno_extdom_first(members[0], &members[1]));
        for (std::size_t i = 1; i + 1 < members.size(); ++i) annotated.push_back(null_anno(members[i], &members[i + 1]));
        annotated.push_back(anno_extdom_last(members.back(), next));
        return Annotated::group(Tag::Extdom, std::move(annotated));
    }

    Annotated tl_anno(const Ae& element, Next next) const {
        switch (element.tag()) {
            case Tag::Chord: return tl_anno_chord(element, next);
            case Tag::Turnaround: return tl_anno_turnaround(element, next);
            case Tag::Twofive: return tl_anno_twofive(element, next);
            case Tag::Passthru: return tl_anno_passthru(element, next);
            case Tag::Extdom: return tl_anno_extdom(element, next);
        }
        throw Failure("tl_anno_chord handles only Chord variant");
    }
};

}  // namespace

Note keyroot(const std::string& key) {
    std::string_view name = key;
    if (!name.empty() && name.back() == 'm') name.remove_suffix(1);
    return Note::of_string(name);
}

std::vector<Annotated_segment> annotate(const std::vector<Segment::Key_segment>& segments) {
    std::vector<Annotated_segment> annotated;
    annotated.reserve(segments.size());
    for (const auto& [key, elements] : segments) annotated.push_back({key, Annotator(keyroot(key)).anno(elements)});
    return annotated;
}

}  // namespace Annotate
}  // namespace zub
