// Transposition through the table of moved notes against a plain reference that
// parses every symbol with the chord pattern and moves notes with add_intvl,
// on many random charts (fixed seeds).
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <regex>

#include "core/charts/transpose.h"
#include "core/failure.h"
#include "core/theory/scale.h"

namespace zub {
namespace {

namespace Reference {

// Natural first, then the accidental the spelling leaned to.
std::string plain(int pitch, bool sharp) {
    for (const char* name : {"C", "D", "E", "F", "G", "A", "B"})
        if (Note::of_string(name).semi() == pitch) return name;
    for (const char* name : {"C", "D", "E", "F", "G", "A", "B"}) {
        const Note note = Note::of_string(std::string(name) + (sharp ? "#" : "b"));
        if (note.semi() == pitch) return note.to_string();
    }
    return "?";
}

std::string note(const std::string& name, const Key& from, const Key& to) {
    const Note old = Note::of_string(name);
    const Intvl step = to.tonic().sub_note(from.tonic());
    const int pitch = (old.semi() + step.semi()) % 12;
    std::optional<Note> spelled;
    try {
        spelled = old.add_intvl(step);
    } catch (const Failure&) {
    }
    // Out of add_intvl's reach: a triple accidental, leaning as the two alterations do.
    if (!spelled) return plain(pitch, old.alt() + step.alt() > 0);
    if (spelled->alt() == 2 || spelled->alt() == -2) return plain(pitch, spelled->alt() > 0);
    return spelled->to_string();
}

std::string symbol(const std::string& text, const Key& from, const Key& to) {
    static const std::regex chord("^(([A-G])((##|#|bb|b)?))([^/]*)(/(([A-G])((##|#|bb|b)?)))?$");
    std::smatch match;
    if (text.empty()) return text;
    if (!std::regex_match(text, match, chord)) throw Failure("Invalid chord: " + text);
    std::string moved = note(match[1], from, to) + match[5].str();
    if (match[7].matched) moved += "/" + note(match[7], from, to);
    return moved;
}

}  // namespace Reference

const std::vector<std::string> roots = {"C",  "C#", "Db", "D",  "D#", "Eb", "E",   "E#",  "Fb",  "F",   "F#",
                                        "Gb", "G",  "G#", "Ab", "A",  "A#", "Bb",  "B",   "B#",  "Cb",  "C##",
                                        "Dbb", "E##", "Fbb", "G##", "Abb", "B##", "Cbb"};
const std::vector<std::string> types = {"", "7", "m7", "Maj7", "m7b5", "7b9", "dim7", "7#5", "13", "sus", "m6"};
const std::vector<std::string> keys = {"C",  "G",  "D",  "A",  "E",  "B",  "F#", "C#", "F",   "Bb",  "Eb",
                                       "Ab", "Db", "Gb", "Cb", "Am", "Em", "Bm", "F#m", "C#m", "G#m", "D#m",
                                       "A#m", "Dm", "Gm", "Cm", "Fm", "Bbm", "Ebm", "Abm"};

Chart random_chart(std::mt19937& random, const std::string& key) {
    auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    std::vector<Chart::Bar> bars(1 + pick(16));
    for (Chart::Bar& bar : bars)
        for (std::size_t chord = 0, count = 1 + pick(3); chord < count; ++chord) {
            std::string symbol = roots[pick(roots.size())] + types[pick(types.size())];
            if (pick(4) == 0) symbol += "/" + roots[pick(roots.size())];
            bar.push_back({symbol, static_cast<int>(1 + pick(4))});
        }
    return Chart("Random", {4, 1}, key, 120, std::move(bars), {1, 1, 1}, {});
}

TEST(TransposeRandom, MovedNotesMatchThePlainReference) {
    std::mt19937 random(23);
    auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    int charts = 0, unspellable = 0;
    for (int round = 0; round < 400; ++round) {
        const std::string from = keys[pick(keys.size())];
        std::string to = keys[pick(keys.size())];
        if ((from.back() == 'm') != (to.back() == 'm')) to = Key::of_string(from).moved_by(static_cast<int>(pick(23)) - 11).to_string();
        to = Key::of_string(to).as_written().to_string();  // a move goes to the key as musicians write it
        const Chart chart = random_chart(random, from);
        std::optional<Chart> moved;
        try {
            moved = Transpose::chart(chart, Key::of_string(to));
        } catch (const Failure& failure) {
            ++unspellable;  // a step no interval spells, such as Cb to B#
            EXPECT_EQ(failure.what(), "Cannot transpose from " + from + " to " + to);
            continue;
        }
        ++charts;
        ASSERT_EQ(moved->bars().size(), chart.bars().size());
        for (std::size_t bar = 0; bar < chart.bars().size(); ++bar)
            for (std::size_t k = 0; k < chart.bars()[bar].size(); ++k) {
                const std::string& old = chart.bars()[bar][k].symbol;
                ASSERT_EQ(moved->bars()[bar][k].symbol, Reference::symbol(old, Key::of_string(from), Key::of_string(to)))
                    << old << " from " << from << " to " << to;
            }
    }
    EXPECT_GT(charts, 350);
}

// Up and down again by the same number of semitones restores a chart whose
// roots lie in the scale of its key, the key being one the rule itself picks.
// (A chromatic root may come back respelled: Dbm7 in C goes to Em7 in Eb and
// back to C#m7, since Fb is not in Eb.)
TEST(TransposeRandom, UpAndDownAgainRestoresADiatonicChart) {
    std::mt19937 random(5);
    auto pick = [&](std::size_t size) { return std::uniform_int_distribution<std::size_t>(0, size - 1)(random); };
    for (int round = 0; round < 300; ++round) {
        const Key key = Key::of_string(pick(2) == 0 ? "C" : "Am").moved_by(static_cast<int>(pick(12)));
        const std::string tonic = key.tonic().to_string();
        const std::vector<Note> scale =
            Scale::of_string(tonic + (key.mode() == Key::Mode::major ? ":2.3.4.5.6.7" : ":2.b3.4.5.b6.b7")).notes();
        std::vector<Chart::Bar> bars(1 + pick(8));
        for (Chart::Bar& bar : bars) {
            std::string symbol = scale[pick(scale.size())].to_string() + types[pick(types.size())];
            if (pick(3) == 0) symbol += "/" + scale[pick(scale.size())].to_string();
            bar.push_back({symbol, 4});
        }
        const Chart chart("Round trip", {4, 1}, key.to_string(), 120, std::move(bars), {1, 1, 1}, {});
        const int semitones = static_cast<int>(pick(23)) - 11;
        const Chart there = Transpose::chart_by(chart, semitones);
        const Chart back = Transpose::chart_by(there, -semitones);
        ASSERT_EQ(back, chart) << "by " << semitones << ":\n" << chart << there;
    }
}

}  // namespace
}  // namespace zub
