#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

#include "core/charts/ireal_link.h"
#include "core/charts/ireal_playlist.h"
#include "core/charts/ireal_quality.h"
#include "core/failure.h"
#include "testing.h"

namespace zub {
namespace {

Chart chart_of(std::vector<Chart::Bar> bars, Chart::Chorus chorus, std::vector<Chart::Section> sections = {},
               std::string name = "Tune", std::string key = "C", Chart::Style style = {4, 1}) {
    return Chart(std::move(name), style, std::move(key), 120, std::move(bars), chorus, std::move(sections));
}

// The progression inside a single-song link.
std::string progression_of(const Chart& chart) {
    return std::get<Ireal_song>(read_ireal_playlist(ireal_link({{chart, ""}}, "")).songs.at(0)).progression;
}

TEST(IrealWriter, LayoutOfIntroChorusAndCoda) {
    const Chart chart = chart_of({{{"Ebm7", 4}},
                                  {{"Cm7", 2}, {"F7", 2}},
                                  {{"BbMaj7", 1}, {"G7#5", 1}},
                                  {{"C7/E", 3}},
                                  {{"F7sus", 4}}},
                                 {2, 4, 3}, {{2, 'A'}, {3, 'B'}});
    EXPECT_EQ(progression_of(chart), "[*iEb-7   ][*AC-7 F7 ][*BT24Bb^7,G7#5,|T34C7/E   ][T44QF7sus   Z");
}

TEST(IrealWriter, SongFieldsAndPage) {
    const Chart chart("The Song = Fine", {3, 8}, "F#m", 96, {{{"C", 3}}}, {1, 1, 4}, {});
    EXPECT_THROW(ireal_link({{chart, ""}}, ""), Failure);
    const Chart named("The Song", {3, 8}, "F#m", 96, {{{"C", 3}}}, {1, 1, 4}, {});
    const std::string link = ireal_link({{named, "Miles Davis"}}, "Waltzes & Co");
    const std::string decoded = Ireal_link::percent_decode(link);
    EXPECT_TRUE(decoded.starts_with("irealb://Song, The=Davis Miles==Jazz Waltz=F#-==1r34LbKcu7")) << decoded;
    EXPECT_TRUE(decoded.ends_with("==96=4===Waltzes & Co")) << decoded;
    EXPECT_EQ(link.find_first_of(" =&"), std::string::npos);

    const std::string page = ireal_html({{named, "Miles Davis"}}, "Waltzes & Co");
    EXPECT_NE(page.find("<a href=\"" + link + "\">Waltzes &amp; Co</a>"), std::string::npos);
    const auto playlist = read_ireal_playlist(page);
    EXPECT_EQ(playlist.name, "Waltzes & Co");
    ASSERT_EQ(playlist.songs.size(), 1u);
    EXPECT_EQ(std::get<Ireal_song>(playlist.songs[0]).title, "The Song");
    EXPECT_EQ(std::get<Ireal_song>(playlist.songs[0]).composer, "Miles Davis");
}

TEST(IrealWriter, ErrorCases) {
    const Chart::Bar bar{{"C7", 4}};
    const struct {
        Chart chart;
        std::string_view message;
    } cases[] = {
        {chart_of({}, {1, 1, 1}), "No chords"},
        {chart_of({{{"C7", 8}}}, {1, 1, 1}), "A bar of 8 beats cannot be written"},
        {chart_of({{{"C7", 1}}}, {1, 1, 1}), "A bar of 1 beats cannot be written"},
        {chart_of({bar}, {1, 2, 1}), "The chorus lies outside the bars"},
        {chart_of({bar}, {1, 1, 1}, {}, "Tune", "H"), "Invalid key: H"},
        {chart_of({{{"Hmaj", 4}}}, {1, 1, 1}), "Invalid chord: Hmaj"},
        {chart_of({{{"C##7", 4}}}, {1, 1, 1}), "Cannot write the root or bass of: C##7"},
        {chart_of({{{"C7", 0}, {"F7", 4}}}, {1, 1, 1}), "A chord without beats cannot be written: C7"},
    };
    for (const auto& c : cases) EXPECT_EQ(testing::failure_of([&] { ireal_link({{c.chart, ""}}, ""); }), c.message);
    EXPECT_THROW(ireal_link({}, "Empty"), Failure);
}

TEST(IrealWriter, InterpolatedTypesTakeTheNearestQuality) {
    const Chart chart = chart_of({{{"C:3.5.b7.b9.13", 2}, {"Dm13", 2}}}, {1, 1, 1});
    EXPECT_EQ(progression_of(chart), "[C13b9 D-11 Z");
}

// Random charts our writer can hold exactly: a first bar of the meter, bars of
// 2 to 4 beats, types with an official quality, marks from the chorus on.
class Chart_maker {
public:
    explicit Chart_maker(unsigned seed) : random_(seed) {
        for (auto quality : Ireal_quality::official()) types_.push_back(Ireal_quality::type_of_quality(quality));
    }

    Ireal_chart make() {
        const int meter = pick(2) == 0 ? 3 : 4;
        const int count = 1 + pick(40);
        std::vector<Chart::Bar> bars;
        for (int k = 0; k < count; ++k) bars.push_back(bar(k == 0 || pick(6) > 0 ? meter : 2 + pick(3)));
        const int begin = 1 + pick(std::min(count, 4));
        const int end = begin + pick(count - begin + 1);
        std::vector<Chart::Section> sections;
        for (int k = begin; k <= count; ++k)
            if (pick(4) == 0) sections.push_back({k, pick(2) == 0 ? 'A' : 'B'});
        static const char* keys[] = {"C", "Db", "D", "Eb", "E", "F", "F#", "Gb", "G", "Ab", "A", "Bb", "B", "Am", "C#m", "Ebm"};
        static const int styles[] = {1, 4, 8};
        const std::string name = (pick(3) == 0 ? "The Tune " : "Tune ") + std::to_string(pick(1000));
        std::vector<Bar_form> forms = form(bars, meter, begin, end);
        std::vector<Chart::Marks> marks;
        for (std::size_t k = 0; k < forms.size(); ++k)
            if (!forms[k].empty()) marks.push_back({static_cast<int>(k + 1), forms[k]});
        Chart chart(name, {meter, styles[pick(3)]}, keys[pick(16)], 40 + pick(260), std::move(bars),
                    {begin, end, 1 + pick(5)}, std::move(sections), std::move(marks));
        return {std::move(chart), pick(2) == 0 ? "" : "First Last" + std::to_string(pick(9))};
    }

    // Marks the chart as our reader reads iReal's: a time signature where the beats
    // change, a coda after the chorus, and in the chorus a repeat (with a count or
    // two endings), a segno, a Fine, a D.S. or D.C. and a jump to the coda.
    std::vector<Bar_form> form(const std::vector<Chart::Bar>& bars, int meter, int begin, int end) {
        std::vector<Bar_form> forms(bars.size());
        int in_force = meter;
        for (std::size_t k = 0; k < bars.size(); ++k) {
            int beats = 0;
            for (const auto& entry : bar_of(bars, k)) beats += entry.duration;
            if (beats != in_force) forms[k].time = Time_signature::of_beats(beats);
            in_force = beats;
        }
        const auto first = static_cast<std::size_t>(begin - 1), last = static_cast<std::size_t>(end - 1);
        auto in_chorus = [&] { return first + static_cast<std::size_t>(pick(static_cast<int>(last - first + 1))); };
        if (last + 1 < bars.size()) {
            forms[last + 1].coda = true;
            if (pick(2) == 0) forms[in_chorus()].to_coda = true;
        }
        if (last >= first + 2 && pick(2) == 0) {
            const std::size_t start = first + static_cast<std::size_t>(pick(static_cast<int>(last - first)));
            const std::size_t stop = start + 1 + static_cast<std::size_t>(pick(static_cast<int>(last - start)));
            if (stop <= last && pick(2) == 0 && stop + 1 <= last) {
                forms[start].repeat_start = true;
                forms[stop].repeat_end = 2;
                forms[stop].endings = {1};
                forms[stop + 1].endings = {2};
            } else if (stop <= last) {
                forms[start].repeat_start = true;
                forms[stop].repeat_end = 2 + pick(4);
            }
        }
        if (pick(3) == 0) forms[in_chorus()].segno = true;
        if (pick(3) == 0) forms[in_chorus()].fine = true;
        if (pick(3) == 0) forms[in_chorus()].direction = Direction::of_string(pick(2) == 0 ? "D.C." : "D.S. al Fine");
        return forms;
    }

    static const Chart::Bar& bar_of(const std::vector<Chart::Bar>& bars, std::size_t k) { return bars[k]; }

private:
    std::mt19937 random_;
    std::vector<std::string> types_;

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string chord() {
        static const char* roots[] = {"C", "Db", "D", "Eb", "E", "F", "F#", "Gb", "G", "Ab", "A", "Bb", "B", "C#"};
        std::string symbol = roots[pick(14)] + types_[static_cast<std::size_t>(pick(static_cast<int>(types_.size())))];
        if (pick(8) == 0) symbol += std::string("/") + roots[pick(14)];
        return symbol;
    }

    Chart::Bar bar(int beats) {
        Chart::Bar bar;
        for (int left = beats; left > 0;) {
            const int duration = 1 + pick(left);
            bar.push_back({chord(), duration});
            left -= duration;
        }
        return bar;
    }
};

bool same_bass(const std::string& symbol) {
    const auto slash = symbol.find('/');
    if (slash == std::string::npos) return false;
    const std::string root = symbol.substr(0, symbol.size() > 1 && (symbol[1] == 'b' || symbol[1] == '#') ? 2 : 1);
    return symbol.substr(slash + 1) == root;
}

TEST(IrealWriter, ReaderReadsBackWhatTheWriterWrote) {
    Chart_maker maker(20261207);
    for (int round = 0; round < 200; ++round) {
        std::vector<Ireal_chart> charts;
        for (int k = 0; k < 3; ++k) {
            Ireal_chart chart = maker.make();
            bool plain = true;  // "C/C" is written as "C"; leave those out
            for (const auto& bar : chart.chart.bars())
                for (const auto& entry : bar) plain = plain && !same_bass(entry.symbol);
            if (plain) charts.push_back(std::move(chart));
        }
        if (charts.empty()) continue;
        const auto playlist = read_ireal_playlist(ireal_html(charts, "Round " + std::to_string(round)));
        EXPECT_EQ(playlist.name, "Round " + std::to_string(round));
        ASSERT_EQ(playlist.songs.size(), charts.size());
        for (std::size_t k = 0; k < charts.size(); ++k) {
            const auto back = chart_of_ireal_song(std::get<Ireal_song>(playlist.songs[k]));
            EXPECT_EQ(back.chart, charts[k].chart) << "round " << round << "\n"
                                                   << charts[k].chart << back.chart << std::get<Ireal_song>(playlist.songs[k]).progression;
            EXPECT_EQ(back.composer, charts[k].composer);
        }
    }
}

}  // namespace
}  // namespace zub

namespace zub {
namespace {

// Every song of a public playlist of blues, read, written and read again: the
// same bars, marks, sections and chorus.
TEST(IrealWriter, BluesPlaylistComesBackAsWritten) {
    std::ifstream in(std::string(ZUB_TEST_DATA) + "/playlists/blues50-ireal.txt");
    ASSERT_TRUE(in) << "tests/data/playlists/blues50-ireal.txt is missing";
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto playlist = read_ireal_playlist(text);
    ASSERT_EQ(playlist.songs.size(), 54u);
    int marked = 0;
    for (const auto& read : playlist.songs) {
        const Ireal_song& song = std::get<Ireal_song>(read);
        const Ireal_chart chart = chart_of_ireal_song(song);
        marked += !chart.chart.forms().empty();
        const auto written = read_ireal_playlist(ireal_link({chart}, ""));
        const Ireal_song& again = std::get<Ireal_song>(written.songs.at(0));
        const Chart back = chart_of_ireal_song(again).chart;
        EXPECT_EQ(back, chart.chart) << song.title << "\n" << song.progression << "\n" << again.progression;
    }
    EXPECT_GT(marked, 25);
}

}  // namespace
}  // namespace zub
