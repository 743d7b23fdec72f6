#include "editor/layout/form_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zub {
namespace {

// A chart written as one letter per bar: "." plain, "A".."Z" a section mark,
// "[" a repeat start, "1"/"2" a bar of that ending, "Q" the coda's start.
struct Written {
    std::vector<std::int64_t> sections;
    std::vector<BarMarks> marks;
};

Written written(const std::string& bars) {
    Written w;
    for (char c : bars) {
        BarMarks m;
        std::int64_t section = 32;
        if (c >= 'A' && c <= 'Z' && c != 'Q') section = c;
        if (c == '[') m.repeatStart = true;
        if (c == '1' || c == '2') m.endings = {c - '0'};
        if (c == 'Q') m.coda = true;
        w.sections.push_back(section);
        w.marks.push_back(m);
    }
    return w;
}

std::vector<std::size_t> barsPerLine(const std::string& bars, int most) {
    const Written w = written(bars);
    std::vector<std::size_t> counts;
    for (LineSpan line : linesByForm(formLineStarts(w.sections, w.marks), most)) counts.push_back(line.count);
    return counts;
}

TEST(LinesByForm, BarsPerLineFollowTheForm) {
    struct Case { const char* chart; int most; std::vector<std::size_t> lines; };
    const Case cases[] = {
        {"A...........", 4, {4, 4, 4}},                       // a 12-bar blues
        {"A.......A.......B.......A.......", 4, {4, 4, 4, 4, 4, 4, 4, 4}},  // A A B A
        {"A.....A.......", 4, {4, 2, 4, 4}},                   // a 6-bar section ends short
        {"A...........", 6, {6, 6}},
        {"A...........", 8, {8, 4}},
        {"A...........", 2, {2, 2, 2, 2, 2, 2}},
        {"[......11[..22", 4, {4, 3, 2, 3, 2}},                // repeats and endings begin lines
        {"A.....1122", 4, {4, 2, 2, 2}},                       // each ending on a line of its own
        {"A...Q...", 4, {4, 4}},
        {"A..Q....", 4, {3, 4, 1}},                            // the coda begins a line
        {"....", 4, {4}},
        {"", 4, {0}},                                          // no bars: one empty line
    };
    for (const Case& c : cases) EXPECT_EQ(barsPerLine(c.chart, c.most), c.lines) << c.chart << " by " << c.most;
}

TEST(LinesByForm, AnEndingRunningOnIsOneEnding) {
    const Written w = written("..1111222");
    EXPECT_TRUE(beginsEnding(w.marks, 2));
    EXPECT_FALSE(beginsEnding(w.marks, 3));
    EXPECT_TRUE(beginsEnding(w.marks, 6));
    EXPECT_FALSE(beginsEnding(w.marks, 0));
    EXPECT_FALSE(beginsEnding(w.marks, 99));
}

TEST(LinesByForm, SignsOverTheChords) {
    BarMarks plain, count2, count3, direction;
    count2.repeatEnd = 2;
    count3.repeatEnd = 3;
    direction.direction = "D.C. al Fine";
    EXPECT_FALSE(drawsAboveChords(plain));
    EXPECT_FALSE(drawsAboveChords(count2));  // two times goes without saying
    EXPECT_TRUE(drawsAboveChords(count3));
    EXPECT_TRUE(drawsAboveChords(direction));
}

}  // namespace
}  // namespace zub
