#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "bridge/bridge_exception.h"
#include "bridge/internal/form_walk.h"

namespace zub {
namespace {

// A small chart written bar by bar: a token per bar, the bar's name a letter,
// with its marks around it: "{a" repeat start, "b}" and "b}3" repeat end
// (played 3 times), "[1,2]c" an ending, "Sd" segno, "Qe" coda start, "f>" To
// Coda, "g!" Fine, "h@D.S._al_Coda" a direction after the bar.
struct Written {
    std::vector<Bar_form> forms;
    std::string names;
};

Written written(const std::string& tokens) {
    Written chart;
    std::istringstream in(tokens);
    for (std::string token; in >> token;) {
        Bar_form form;
        std::size_t k = 0;
        if (token[k] == '{') form.repeat_start = true, ++k;
        if (token[k] == '[') {
            for (++k; token[k] != ']'; ++k)
                if (token[k] != ',') form.endings.push_back(token[k] - '0');
            ++k;
        }
        if (token[k] == 'S') form.segno = true, ++k;
        if (token[k] == 'Q') form.coda = true, ++k;
        chart.names += token[k++];
        for (; k < token.size(); ++k) {
            if (token[k] == '}') {
                form.repeat_end = 2;
                if (k + 1 < token.size() && std::isdigit(static_cast<unsigned char>(token[k + 1])))
                    form.repeat_end = token[++k] - '0';
            } else if (token[k] == '>') {
                form.to_coda = true;
            } else if (token[k] == '!') {
                form.fine = true;
            } else if (token[k] == '@') {
                std::string text = token.substr(k + 1);
                for (char& c : text)
                    if (c == '_') c = ' ';
                form.direction = Direction::of_string(text);
                break;
            }
        }
        chart.forms.push_back(form);
    }
    return chart;
}

std::string names_played(const Written& chart, Chorus_range chorus) {
    std::string names;
    for (const Played_bar& bar : play_form(chart.forms, chorus)) names += chart.names[static_cast<std::size_t>(bar.bar)];
    return names;
}

struct Case {
    const char* construct;
    const char* chart;
    int begin, end, repeats;  // end 0: the last bar
    const char* played;
};

// One small chart per construct, the bar order written out by hand.
const Case cases[] = {
    {"no marks", "a b c", 1, 0, 1, "abc"},
    {"chorus repeated", "a b c d", 2, 3, 3, "abcbcbcd"},
    {"repeat", "{a b}", 1, 0, 1, "abab"},
    {"repeat three times", "a {b c}3 d", 1, 0, 1, "abcbcbcd"},
    {"repeat without start goes to the top", "a b} c", 1, 0, 1, "ababc"},
    {"second repeat goes back to the bar after the first", "a b} c d} e", 1, 0, 1, "ababcdcde"},
    {"two endings", "{a [1]b} [2]c d", 1, 0, 1, "abacd"},
    {"three endings", "{a [1]b} [2]c} [3]d e", 1, 0, 1, "abacade"},
    {"ending of two bars", "{a [1]b [1]c} [2]d", 1, 0, 1, "abcad"},
    {"first ending for two passes", "{a [1,2]b}3 [3]c", 1, 0, 1, "ababac"},
    {"a lone second ending is played", "a [2]b c", 1, 0, 1, "abc"},
    {"repeats on every chorus", "{a b} c", 1, 0, 2, "ababcababc"},
    {"intro with endings before the chorus", "{a [1]b} [2]c d e", 4, 5, 2, "abacdede"},
    {"D.C. to the first bar", "a b@D.C. c", 1, 0, 1, "ababc"},
    {"D.C. goes back through the intro", "i a b@D.C.", 2, 3, 1, "iabiab"},
    {"D.S.", "a Sb c@D.S.", 1, 0, 1, "abcbc"},
    {"D.S. without segno is a D.C.", "a b@D.S.", 1, 0, 1, "abab"},
    {"D.C. takes no repeats on the way back", "{a b} c@D.C.", 1, 0, 1, "ababcabc"},
    {"D.C. takes the last ending on the way back", "{a [1]b} [2]c@D.C.", 1, 0, 1, "abacac"},
    {"D.C. al Fine", "a b! c d@D.C._al_Fine", 1, 0, 1, "abcdab"},
    {"D.S. al Coda", "a Sb c> d e@D.S._al_Coda Qf", 1, 0, 1, "abcdebcf"},
    {"D.S. al Coda every chorus", "a Sb c> d@D.S._al_Coda Qe", 1, 0, 2, "abcdbceabcdbce"},
    {"To Coda without D.x is an outro", "a b> c Qd", 1, 3, 3, "abcabcabd"},
    {"coda after the chorus, no jump", "a b Qc", 1, 2, 2, "ababc"},
    {"coda vamp played as written", "a b> c {Qd e}3", 1, 3, 2, "abcabdedede"},
    {"coda vamp after D.S. al Coda", "Sa b> c@D.S._al_Coda {Qd e}", 1, 0, 1, "abcabdede"},
    {"al 2nd End.", "{a [1]b} [2]c} [3]d e@D.C._al_2nd_End.", 1, 0, 1, "abacadeace"},
    {"al 1st End.", "{a [1]b} [2]c d@D.C._al_1st_End.", 1, 0, 1, "abacdabd"},
    {"Fine ends every chorus", "a! b@D.C._al_Fine", 1, 0, 2, "abaaba"},
    {"chorus left out", "a b c", 2, 2, 0, "ac"},
    {"direction inside a repeat waits for the last pass", "{a b@D.C. c} d", 1, 0, 1, "abcababcd"},
};

TEST(FormWalk, PlaysEachConstructAsWritten) {
    for (const Case& c : cases) {
        const Written chart = written(c.chart);
        const int end = c.end == 0 ? static_cast<int>(chart.forms.size()) : c.end;
        std::string expected = c.played;
        EXPECT_EQ(names_played(chart, {c.begin, end, c.repeats}), expected) << c.construct << ": " << c.chart;
    }
}

TEST(FormWalk, PassesNumberTheChorus) {
    const Written chart = written("i a b");
    std::vector<int> passes;
    for (const Played_bar& bar : play_form(chart.forms, {2, 2, 2})) passes.push_back(bar.pass);
    EXPECT_EQ(passes, (std::vector<int>{0, 1, 2, 0}));
}

TEST(FormWalk, ErrorCases) {
    struct Error {
        const char* chart;
        int begin, end, repeats;
        const char* reason;
    } errors[] = {
        {"a b> c", 1, 3, 1, "Bar 2: To Coda without a coda after it"},
        {"{a b}9", 1, 2, 9999, "Bar 1: the form plays more than 20000 bars"},
        {"a b", 2, 3, 1, "Chorus bars 2-3 outside the chart's 2 bars"},
    };
    for (const Error& e : errors) {
        const Written chart = written(e.chart);
        try {
            play_form(chart.forms, {e.begin, e.end, e.repeats});
            ADD_FAILURE() << e.chart << ": no failure";
        } catch (const Bridge_exception& failure) {
            EXPECT_EQ(failure.reason(), e.reason) << e.chart;
        }
    }
}

// A chart of plain repeats and endings, played by the walk and by the
// obvious reading: each repeat block written out pass by pass.
TEST(FormWalk, RepeatBlocksAgreeWithWritingThemOut) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::vector<Bar_form> forms;
        std::vector<int> expected;
        const int blocks = 1 + static_cast<int>(random() % 4);
        for (int b = 0; b < blocks; ++b) {
            const int first = static_cast<int>(forms.size());
            const int body = 1 + static_cast<int>(random() % 3);
            const int times = random() % 2 ? 1 : 2 + static_cast<int>(random() % 3);
            const bool endings = times == 2 && random() % 2;
            for (int k = 0; k < body; ++k) forms.emplace_back();
            if (times > 1) {
                forms[static_cast<std::size_t>(first)].repeat_start = true;
                if (endings) {
                    forms.emplace_back();
                    forms.back().endings = {1};
                }
                forms.back().repeat_end = times;
                if (endings) {
                    forms.emplace_back();
                    forms.back().endings = {2};
                }
            }
            const int last = static_cast<int>(forms.size());
            for (int pass = 1; pass <= times; ++pass)
                for (int k = first; k < last; ++k) {
                    const auto& endings_of_bar = forms[static_cast<std::size_t>(k)].endings;
                    if (endings_of_bar.empty() || endings_of_bar.front() == pass) expected.push_back(k);
                }
        }
        std::vector<int> played;
        for (const Played_bar& bar : play_form(forms, {1, static_cast<int>(forms.size()), 1})) played.push_back(bar.bar);
        ASSERT_EQ(played, expected) << "round " << round;
    }
}

}  // namespace
}  // namespace zub
