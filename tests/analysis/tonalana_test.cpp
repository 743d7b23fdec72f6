#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "core/analysis/compatscales.h"
#include "core/analysis/tonalana.h"
#include "core/failure.h"
#include "core/theory/chordtype.h"
#include "core/theory/noteset.h"
#include "temp_env.h"
#include "testing.h"

namespace zub {
namespace {

using testing_env::Temp_env;

std::vector<Chord> chords(std::initializer_list<const char*> symbols) {
    std::vector<Chord> result;
    for (const char* symbol : symbols) result.push_back(Chord::of_string(symbol));
    return result;
}

std::string printed(const std::vector<Scale>& scales) {
    std::string text;
    for (const Scale& scale : scales) text.append(text.empty() ? "" : ", ").append(scale.to_string());
    return text;
}

// Quiet analysis: the first call in a fresh environment prints the rebuild.
std::string analyzed(std::initializer_list<const char*> symbols) {
    ::testing::internal::CaptureStdout();
    const std::string result = printed(Tonalana::analyze(chords(symbols)));
    ::testing::internal::GetCapturedStdout();
    return result;
}

int total_cost(const std::vector<Chord>& sequence, const std::vector<Scale>& scales) {
    int total = 0;
    for (std::size_t i = 1; i < sequence.size(); ++i)
        total += Tonalana::transition_cost(sequence[i - 1], scales[i - 1], sequence[i], scales[i]);
    return total;
}

// The cheapest total over every choice of candidates, by trying them all.
int brute_force_minimum(const std::vector<Chord>& sequence) {
    std::vector<std::vector<Scale>> options;
    for (const Chord& chord : sequence) {
        std::vector<Scale> scales;
        const std::string name = chord.root().to_string() + Chordtype::to_string(chord.chordtype());
        for (const std::string& scale : Compatscales::compatscales(name)) scales.push_back(Scale::of_string(scale));
        options.push_back(scales);
    }
    int best = INT_MAX;
    std::vector<Scale> chosen;
    std::function<void(std::size_t)> walk = [&](std::size_t i) {
        if (i == sequence.size()) {
            best = std::min(best, total_cost(sequence, chosen));
            return;
        }
        for (const Scale& scale : options[i]) {
            chosen.push_back(scale);
            walk(i + 1);
            chosen.pop_back();
        }
    };
    walk(0);
    return best;
}

TEST(Tonalana, TransitionCosts) {
    const auto scale = [](const char* text) { return Scale::of_string(text); };
    const auto chord = [](const char* text) { return Chord::of_string(text); };
    struct Case {
        const char* previous;
        const char* s;
        const char* current;
        const char* t;
        int cost;
    };
    for (const Case& c : {
             Case{"Dm7", "C major", "G7", "C major", -3},            // same scale and ii-V
             Case{"Dm7", "C major", "G7", "G diminished", 10 * 5 - 2},  // ii-V without the same scale
             Case{"C", "C major", "F", "C major", -2},               // same scale, on its root
             Case{"C", "C major", "G7", "G major", 20 - 1},          // F and F# differ; C on its root
             Case{"Em7", "C major", "A7", "C major", -1},            // nothing but the same scale
             Case{"D7", "C major", "G7", "C major", -3},             // ii-V looks at roots only
             Case{"C", "C major", "C", "C:2.3.4.5.6.7", -2},         // equal by value, not by text
             Case{"C#", "C# major", "C", "Db major", 10 * 14 - 1},   // spelled notes: nothing shared
             Case{"C##", "B##:b2", "C", "C major", 90},               // B## + 2 cannot be spelled
         })
        EXPECT_EQ(Tonalana::transition_cost(chord(c.previous), scale(c.s), chord(c.current), scale(c.t)), c.cost)
            << c.previous << " on " << c.s << " -> " << c.current << " on " << c.t;
}

TEST(Tonalana, ChoosesScales) {
    Temp_env env;
    struct Case {
        std::initializer_list<const char*> chords;
        const char* scales;
    };
    for (const Case& c : {
             Case{{"C7"}, "F major"},  // alone: the first candidate
             Case{{"G7"}, "C major"},
             Case{{"C", "C", "C"}, "C major, C major, C major"},
             Case{{"Dm7", "G7", "CMaj7"}, "C major, C major, C major"},
             Case{{"Dm7", "G7", "Cm7"}, "C melodic minor, C melodic minor, Bb major"},  // Cm7 holds Bb
             Case{{"C13#9", "F"}, "C:#2.3.4.5.6.b7, F major"},
             Case{{"C7+", "F"}, "C whole tone, F major"},
         })
        EXPECT_EQ(analyzed(c.chords), c.scales);
}

TEST(Tonalana, FindsTheCheapestPath) {
    Temp_env env;
    for (const auto& sequence : {chords({"Dm7", "G7", "CMaj7", "A7b9", "Dm7", "Db7", "CMaj7"}),
                                 chords({"Bm7b5", "E7b9", "Am6", "D7", "Gm7", "C7", "FMaj7", "Bb7#11"}),
                                 chords({"C", "Ebdim7", "Dm7", "G7+", "C69"})}) {
        ::testing::internal::CaptureStdout();
        const std::vector<Scale> scales = Tonalana::analyze(sequence);
        ::testing::internal::GetCapturedStdout();
        ASSERT_EQ(scales.size(), sequence.size());
        for (std::size_t i = 0; i < sequence.size(); ++i) {
            const Noteset held = noteset_of_notelist(scales[i].notes());
            EXPECT_TRUE(noteset_of_notelist(sequence[i].notes()).subset(held)) << i;
        }
        EXPECT_EQ(total_cost(sequence, scales), brute_force_minimum(sequence));
    }
}

TEST(Tonalana, ErrorCases) {
    EXPECT_EQ(testing::message_of<Invalid_argument>([] { Tonalana::analyze({}); }),
              "Tonalana.analyze: empty chord list");
}

}  // namespace
}  // namespace zub
