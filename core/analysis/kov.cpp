#include "core/analysis/kov.h"

#include "core/analysis/annotate.h"
#include "core/analysis/segment.h"
#include "core/failure.h"

namespace zub::Kov {

namespace {

using Tag = Ae::Tag;

std::vector<Chord_entry> flatten(const std::vector<Bar_chords>& bars) {
    std::vector<Chord_entry> chords;
    for (const auto& bar : bars) chords.insert(chords.end(), bar.begin(), bar.end());
    return chords;
}

int segdur(const std::vector<Ae>& elements) {
    mpq_class total = 0;
    for (const auto& element : elements) total += Segment::ae_dur(element);
    if (total.get_den() != 1) throw Failure("Duration is not a whole number: " + total.get_str());
    return static_cast<int>(total.get_num().get_si());
}

// The accidentals of the roots in elements: sharps less flats.
int sharps_over_flats(const std::vector<Ae>& elements) {
    int balance = 0;
    for (const Ae& element : elements) {
        if (element.tag() == Tag::Chord) {
            const int alt = element.chordelem().c().root().alt();
            balance += (alt > 0) - (alt < 0);
        } else {
            balance += sharps_over_flats(element.members());
        }
    }
    return balance;
}

// F# and Gb, D#m and Ebm are all keys musicians write: an area is named in the
// spelling its chords are written in (the analysis names them by pitch, flat).
std::string named_like_its_chords(const std::string& key, const std::vector<Ae>& elements) {
    static const std::vector<std::pair<std::string, std::string>> flat_and_sharp = {{"Gb", "F#"}, {"Ebm", "D#m"}};
    for (const auto& [flat, sharp] : flat_and_sharp) {
        if (key == flat && sharps_over_flats(elements) > 0) return sharp;
        if (key == sharp && sharps_over_flats(elements) < 0) return flat;
    }
    return key;
}

struct Chord_run {
    std::string key;
    std::vector<Chord_entry> chords;
    int start;
};

// Takes from the front the chords that fill each key center exactly.
std::vector<Chord_run> repart_chords(const std::vector<Chord_entry>& chords, const std::vector<Key_center>& keys) {
    std::vector<Chord_run> runs;
    std::size_t next = 0;
    int start = 0;
    for (const auto& [key, duration] : keys) {
        Chord_run run{key, {}, start};
        long remaining = duration;
        while (remaining != 0) {
            if (next == chords.size()) throw Failure("Not enough chords for repartitioning");
            remaining -= chords[next].second;
            run.chords.push_back(chords[next++]);
        }
        runs.push_back(std::move(run));
        start += duration;
    }
    return runs;
}

Ae ae_adjust_time(const Ae& element, const mpq_class& offset) {
    auto shifted = [&](std::size_t i) { return ae_adjust_time(element.members()[i], offset); };
    std::vector<Ae> members;
    for (std::size_t i = 0; i < element.members().size(); ++i) members.push_back(shifted(i));
    switch (element.tag()) {
        case Tag::Chord: {
            const auto& chord = element.chordelem();
            return Ae::chord(Chordelem(chord.t() + offset, chord.d(), chord.c()));
        }
        case Tag::Turnaround: return Ae::turnaround(std::move(members), {});
        case Tag::Twofive: return Ae::twofive(std::move(members[0]), std::move(members[1]));
        case Tag::Extdom: return Ae::extdom(std::move(members));
        case Tag::Passthru: return Ae::passthru(std::move(members[0]), std::move(members[1]));
    }
    throw Failure("Unknown analysis element");
}

std::vector<Ae> adjust_times(const std::vector<Ae>& elements, int offset) {
    std::vector<Ae> shifted;
    shifted.reserve(elements.size());
    for (const auto& element : elements) shifted.push_back(ae_adjust_time(element, offset));
    return shifted;
}

}  // namespace

std::vector<Key_center> partition(const std::vector<Bar_chords>& bars) {
    std::vector<Key_center> centers;
    for (const auto& segment : Segment::partition(Structana::structana(flatten(bars))))
        centers.emplace_back(named_like_its_chords(segment.key, segment.elements), segdur(segment.elements));
    return centers;
}

Analysis_result annotate(const std::vector<Bar_chords>& bars, const std::vector<Key_center>& key_centers) {
    std::vector<Segment::Key_segment> segments;
    // Each segment is grouped on its own, so no group crosses a key-center boundary.
    for (const auto& run : repart_chords(flatten(bars), key_centers))
        segments.push_back({run.key, adjust_times(Structana::structana(run.chords), run.start)});
    return Output::dvi_output(Annotate::annotate(segments));
}

}  // namespace zub::Kov
