#include "core/charts/ireal_beats.h"

#include <gtest/gtest.h>

#include <random>

#include "core/charts/ireal_style.h"
#include "core/failure.h"

namespace zub {
namespace {

using Cell = Ireal_cells::Cell;

// Random bars of 1 to 12 cells in 2, 3 and 4 beats: whatever the cells, a bar
// holds its beats, every chord keeps at least one beat and its place, and a
// chord written over more cells never gets fewer beats than one over fewer.
TEST(IrealBeats, FittingKeepsBeatsOrderAndProportion) {
    std::mt19937 random(22);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int round = 0; round < 5000; ++round) {
        const int beats = 2 + pick(3);
        std::vector<Cell> cells;
        std::vector<int> written;  // cells per chord
        const int count = 1 + pick(12);
        for (int k = 0; k < count; ++k) {
            if (k == 0 || pick(3) == 0) {
                cells.push_back({Cell::Kind::chord, "C" + std::to_string(written.size())});
                written.push_back(1);
            } else {
                cells.push_back({Cell::Kind::empty, {}});
                ++written.back();
            }
        }
        if (static_cast<int>(written.size()) > beats) {
            EXPECT_THROW(Ireal_beats::fit_bar(cells, beats, "G7"), Failure);
            continue;
        }
        const Chart::Bar bar = Ireal_beats::fit_bar(cells, beats, "G7");
        ASSERT_EQ(bar.size(), written.size());
        int total = 0;
        for (std::size_t k = 0; k < bar.size(); ++k) {
            EXPECT_EQ(bar[k].symbol, "C" + std::to_string(k));
            EXPECT_GE(bar[k].duration, 1);
            total += bar[k].duration;
            for (std::size_t j = 0; j < bar.size(); ++j) {
                if (written[k] > written[j]) {
                    EXPECT_GE(bar[k].duration, bar[j].duration);
                }
            }
        }
        EXPECT_EQ(total, beats);
    }
}

TEST(IrealBeats, BlanksBeforeTheFirstChord) {
    const std::vector<Cell> cells{{Cell::Kind::empty, {}}, {Cell::Kind::chord, "F7"}, {Cell::Kind::empty, {}}, {Cell::Kind::empty, {}}};
    EXPECT_EQ(Ireal_beats::fit_bar(cells, 4, "C7"), (Chart::Bar{{"C7", 1}, {"F7", 3}}));
    EXPECT_EQ(Ireal_beats::fit_bar(cells, 4, ""), (Chart::Bar{{"F7", 4}}));
    // "n" is N.C., a chord of its own.
    EXPECT_EQ(Ireal_beats::fit_bar({{Cell::Kind::no_chord, {}}}, 3, "C7"), (Chart::Bar{{"N.C.", 3}}));
    EXPECT_EQ(Ireal_beats::fit_bar({{Cell::Kind::chord, "C7"}, {Cell::Kind::no_chord, {}}}, 4, ""),
              (Chart::Bar{{"C7", 2}, {"N.C.", 2}}));
}

TEST(IrealStyle, CodesAndTempos) {
    const struct {
        std::string_view style, groove;
        int type, tempo;
    } cases[] = {
        {"Bossa Nova", "", 4, 130},        {"Samba", "", 4, 180},          {"Latin", "Latin-Brazil: Bossa Electric", 4, 180},
        {"Jazz Waltz", "", 8, 150},        {"Medium Swing", "", 1, 140},   {"Up Tempo Swing", "", 1, 240},
        {"Ballad", "", 25, 66},            {"Slow Swing", "", 1, 90},      {"Medium Up Swing", "", 1, 180},
        {"Afro 12/8", "", 28, 160},        {"Pop", "", 27, 120},           {"", "Jazz-Waltz", 8, 120},
        {"Medium Blues", "Pop-Rock", 27, 140},   {"Slow Blues", "Pop-Shuffle", 30, 90},
        {"Shuffle Blues", "Jazz-Medium Up Swing", 30, 120}, {"Medium Blues", "Pop-RnB", 29, 140},
        {"Country Blues", "Pop-Country", 27, 120}, {"Blues", "", 1, 120},
        {"Swing Two/Four", "", 26, 160},   {"Two-Beat", "", 26, 120},      {"Mambo", "", 28, 120},
        {"Cha Cha", "", 28, 120},          {"Son", "", 28, 120},           {"Sonny Swing", "", 1, 160},
        {"Funk", "", 29, 100},             {"RnB", "", 29, 120},           {"Rock Pop", "", 27, 110},
        {"Soul", "", 27, 120},             {"Folk", "", 27, 120},          {"Even 8ths", "", 27, 140},
        {"Latin", "", 28, 180},            {"Medium Shuffle", "", 30, 120}, {"Bright Shuffle Blues", "", 30, 120},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Ireal_style::style_type(c.style, c.groove), c.type) << c.style;
        EXPECT_EQ(Ireal_style::usual_tempo(c.style), c.tempo) << c.style;
    }
    EXPECT_EQ(Ireal_style::style_text(4), "Bossa Nova");
    EXPECT_EQ(Ireal_style::style_text(8), "Jazz Waltz");
    EXPECT_EQ(Ireal_style::style_text(1), "Medium Swing");
    EXPECT_EQ(Ireal_style::style_text(27), "Even 8ths");
    EXPECT_EQ(Ireal_style::style_text(26), "Swing Two/Four");
    EXPECT_EQ(Ireal_style::style_text(40), "Medium Swing");
    // What we write reads back as the same style.
    for (const int code : {1, 4, 8, 25, 26, 27, 28, 29, 30})
        EXPECT_EQ(Ireal_style::style_type(Ireal_style::style_text(code), ""), code) << code;
}

}  // namespace
}  // namespace zub
