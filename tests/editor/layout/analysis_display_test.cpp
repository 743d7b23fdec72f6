#include "editor/layout/analysis_display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "bridge/bridge_exception.h"
#include "editor/app/my_document.h"
#include "editor/view/chart_view.h"
#include "../view_testing.h"
#include "../failure_testing.h"

namespace zub {
namespace {

using testing::reasonOf;
using testing::ViewOfChart;

// The shipped table on charWidth 10, charHeight 20: vAdj 4, hAdj 5,
// chordNotationSpacing 2, romanHeight 16, notationHeight 20.
const ChordFontMetrics metrics(10, 20, MyParameters::shared());
constexpr double pi = std::numbers::pi;

Plist figure(const char* type, std::int64_t destination = -1) {
    Plist::Dictionary d{{"Type", Plist::make_string(type)}};
    if (destination >= 0) d.emplace("Destination", Plist::make_integer(destination));
    return Plist::make_dictionary(std::move(d));
}

Plist annotation(const char* chord, const char* roman) {
    return Plist::make_dictionary({{"Chord", Plist::make_string(chord)}, {"Roman", Plist::make_string(roman)}});
}

Plist analysisOf(Plist::Array annotations, Plist::Array arrows, Plist::Array brackets) {
    Plist::Array keys(annotations.size(), Plist::make_dictionary({{"Change", Plist::make_string("No")}}));
    return Plist::make_dictionary({{"Annotations", Plist::make_array(std::move(annotations))},
                                   {"Arrows", Plist::make_array(std::move(arrows))},
                                   {"Keys", Plist::make_array(std::move(keys))},
                                   {"Brackets", Plist::make_array(std::move(brackets))}});
}

std::string same(const std::string& s) { return s; }

// Two lines of two one-slot... bars: bars 0-1 on line 1, bars 2-3 on line 2,
// each with two slots 40 wide at x = 100 * bar + {0, 50}, y = 100 * line.
std::vector<AnalysisBar> twoLines() {
    std::vector<AnalysisBar> bars;
    for (std::size_t b = 0; b < 4; ++b) {
        const float x = 100.0f * static_cast<float>(b % 2), y = 100.0f * static_cast<float>(b / 2);
        bars.push_back({{{x, y, 40, 22}, {x + 50, y, 40, 22}}, {20, 10}, b % 2 == 0, b % 2 == 1});
    }
    return bars;
}

TEST(ComputeRomansAndSlots, MatchesAnnotationsToSlotsInOrder) {
    // [Dm7 - G7 -] [C - - -] [C - - -]: the held C comes back as "/" and takes the next empty slot.
    const Plist analysis = analysisOf({annotation("Dm7", "IIm7"), annotation("G7", "V7"), annotation("C", "I"),
                                       annotation("/", ""), annotation("Bb7", "bVII7")},
                                      {}, {});
    const auto a = ChartAnalysis::computeRomansAndSlots(
        analysisResultOf(analysis), {{"Dm7", "", "G7", ""}, {"C", "", "", ""}, {"B\u266D7", ""}}, same);
    const std::vector<std::vector<std::string>> romans = {
        {"IIm7", "", "V7", ""}, {"I", "", "", ""}, {"\u266DVII7", ""}};
    EXPECT_EQ(a.romans(), romans);
    const std::vector<SlotRef> positions = {{0, 0}, {0, 2}, {1, 0}, {1, 1}, {2, 0}};
    EXPECT_EQ(a.slotsShown(), positions);
    EXPECT_EQ(a.slotAt(4), (SlotRef{2, 0}));
    for (std::int64_t outside : {-1, 5, 1000}) EXPECT_FALSE(a.slotAt(outside)) << outside;
    EXPECT_EQ(a.roman(9, 9), "");
}

TEST(ComputeRomansAndSlots, UnmatchedAnnotationsLeaveNoPosition) {
    const Plist analysis = analysisOf({annotation("C", "I"), annotation("F", "IV")}, {}, {});
    const auto a = ChartAnalysis::computeRomansAndSlots(analysisResultOf(analysis), {{"C", "G7"}}, same);
    EXPECT_EQ(a.slotsShown(), std::vector<SlotRef>{(SlotRef{0, 0})});
    EXPECT_FALSE(a.slotAt(1));
}

TEST(ComputeRomansAndSlots, ErrorCases) {
    const struct {
        Plist analysis;
        const char* message;
    } cases[] = {
        {Plist::make_dictionary({}), "Missing key: Annotations"},
        {Plist::make_dictionary({{"Annotations", Plist::make_array({})}}), "Missing key: Arrows"},
        {analysisOf({Plist::make_dictionary({{"Roman", Plist::make_string("I")}})}, {}, {}), "Missing key: Chord"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reasonOf(
                      [&] { ChartAnalysis::computeRomansAndSlots(analysisResultOf(c.analysis), {{"C"}}, same); }),
                  c.message);
}

TEST(AnalysisGeometry, ReferencePointsAndLineRelations) {
    const AnalysisGeometry g(twoLines(), metrics);
    EXPECT_EQ(g.upperLeft({1, 1}), QPointF(150, 4));
    EXPECT_EQ(g.upperRight({1, 1}), QPointF(190, 4));
    EXPECT_EQ(g.upperRightOfString({0, 0}), QPointF(25, 4));
    EXPECT_EQ(g.midPointBelow({2, 1}), QPointF(55, 122));
    EXPECT_EQ(g.arcTop(QPointF(10, 30), QPointF(50, 0)), QPointF(30, 26));
    EXPECT_TRUE(g.sameLine({0, 0}, {1, 1}));
    EXPECT_FALSE(g.sameLine({1, 1}, {2, 0}));
    EXPECT_FALSE(g.sameLine({1, 0}, {0, 0}));  // only forward
    EXPECT_EQ(g.lastSlotOfLineAfter({0, 0}), (SlotRef{1, 1}));
    EXPECT_EQ(g.firstSlotOfLineBefore({3, 1}), (SlotRef{2, 0}));
    EXPECT_TRUE(g.beginsLine({2, 0}));
    EXPECT_FALSE(g.beginsLine({3, 0}));
    EXPECT_EQ(g.endOfLineAfter({0, 1}), QPointF(190, 0));
    EXPECT_EQ(g.beginningOfLineBefore({3, 1}), QPointF(0, 100));
}

TEST(AnalysisGeometry, ErrorCases) {
    const AnalysisGeometry g(twoLines(), metrics);
    EXPECT_EQ(reasonOf([&] { g.upperLeft({4, 0}); }), "Chord index out of range: 4/0");
    EXPECT_EQ(reasonOf([&] { g.upperLeft({0, 2}); }), "Chord index out of range: 0/2");
    EXPECT_THROW(g.sameLine({0, 0}, {9, 0}), Bridge_exception);
}

TEST(Arcs, ControlRodAngleAndCurves) {
    const struct {
        double h, w, angle;
    } angles[] = {{0, 10, 0}, {1, std::sqrt(3.0) * 2, 2 * std::atan2(1, std::sqrt(3.0) * 2)},
                  {10, 10, pi / 4 + pi / 16}, {10, 0, pi / 2}};
    for (const auto& a : angles) EXPECT_NEAR(controlRodAngle(a.h, a.w), a.angle, 1e-12) << a.h << " " << a.w;

    const QPainterPath left = leftArc(QPointF(0, 10), QPointF(30, 0));
    ASSERT_EQ(left.elementCount(), 4);
    const double la = controlRodAngle(10, 30), d = 0.33 * 30;
    EXPECT_NEAR(left.elementAt(1).x, std::cos(la) * d, 1e-9);
    EXPECT_NEAR(left.elementAt(1).y, 10 - std::sin(la) * d, 1e-9);
    EXPECT_NEAR(left.elementAt(2).x, 30 - d, 1e-9);
    EXPECT_EQ(left.elementAt(2).y, 0);
    EXPECT_EQ(QPointF(left.elementAt(3)), QPointF(30, 0));

    double incoming = -1;
    const QPainterPath right = rightArc(QPointF(30, 0), QPointF(60, 10), &incoming);
    EXPECT_NEAR(incoming, controlRodAngle(10, 30), 1e-12);
    EXPECT_NEAR(right.elementAt(1).x, 30 + d, 1e-9);
    EXPECT_NEAR(right.elementAt(2).x, 60 - std::cos(incoming) * d, 1e-9);
    EXPECT_NEAR(right.elementAt(2).y, 10 - std::sin(incoming) * d, 1e-9);

    const QPolygonF head = arrowhead(QPointF(10, 10), 0, 6);
    ASSERT_EQ(head.size(), 3);
    EXPECT_NEAR(head[1].x(), 10 - 6 * std::cos(pi / 6), 1e-9);
    EXPECT_NEAR(head[1].y(), 10 + 3, 1e-9);
    EXPECT_NEAR(head[2].y(), 10 - 3, 1e-9);
}

// Result slots: 0 = bar 0/0, 1 = bar 1/1 (end of line 1), 2 = bar 2/0 (line start), 3 = bar 3/1.
ChartAnalysis fourSlots(Plist::Array arrows, Plist::Array brackets) {
    const Plist analysis = analysisOf({annotation("A", "I"), annotation("B", "II"), annotation("C", "III"),
                                       annotation("D", "IV")},
                                      std::move(arrows), std::move(brackets));
    return ChartAnalysis::computeRomansAndSlots(analysisResultOf(analysis), {{"A", ""}, {"", "B"}, {"C", ""}, {"", "D"}}, same);
}

// The figures of fourSlots on twoLines, with the default arrow parameters (size 6, adjustment 4).
AnalysisFigures figuresOf(Plist::Array arrows, Plist::Array brackets = Plist::Array(4, figure("None"))) {
    return analysisFigures(fourSlots(std::move(arrows), std::move(brackets)), AnalysisGeometry(twoLines(), metrics), {});
}
// The figure on slot `from` alone.
Plist::Array only(std::size_t from, Plist f) {
    Plist::Array figures(4, figure("None"));
    figures[from] = std::move(f);
    return figures;
}

TEST(AnalysisFigures, RomansSitAboveTheirChords) {
    const auto figures = figuresOf(Plist::Array(4, figure("None")));
    ASSERT_EQ(figures.romans.size(), 4u);
    EXPECT_EQ(figures.romans[1], (AnalysisText{QPointF(150, -16), "II"}));
    EXPECT_TRUE(figures.arrows.empty());
    EXPECT_TRUE(figures.brackets.empty());
}

TEST(AnalysisFigures, ArrowOnOneLineArchesOverTheMiddle) {
    const auto figures = figuresOf(only(0, figure("Solid", 1)));
    ASSERT_EQ(figures.arrows.size(), 2u);
    EXPECT_EQ(figures.arrows[0].path.elementAt(0), QPointF(25, 4));
    EXPECT_EQ(QPointF(figures.arrows[0].path.currentPosition()), QPointF(87.5, 0));
    EXPECT_EQ(QPointF(figures.arrows[1].path.currentPosition()), QPointF(150, 4));
    EXPECT_FALSE(figures.arrows[0].dotted);
    ASSERT_EQ(figures.arrowheads.size(), 1u);
    EXPECT_EQ(figures.arrowheads[0][0], QPointF(150, 4));
}

TEST(AnalysisFigures, ArrowToALineStartLeavesOverTheLineEndAndEntersFromTheMargin) {
    const auto figures = figuresOf(only(1, figure("Dotted", 2)));
    ASSERT_EQ(figures.arrows.size(), 2u);
    EXPECT_TRUE(figures.arrows[0].dotted && figures.arrows[0].arc);
    EXPECT_EQ(figures.arrows[0].path.elementAt(0), QPointF(165, 4));
    EXPECT_EQ(QPointF(figures.arrows[0].path.currentPosition()), QPointF(190, 0));
    EXPECT_EQ(figures.arrows[1].path.elementAt(0), QPointF(-12, 96));
    EXPECT_EQ(QPointF(figures.arrows[1].path.currentPosition()), QPointF(0, 104));
}

TEST(AnalysisFigures, ArrowToTheMiddleOfTheNextLineUsesBothLineEnds) {
    const auto figures = figuresOf(only(0, figure("Solid", 3)));
    ASSERT_EQ(figures.arrows.size(), 2u);
    EXPECT_EQ(QPointF(figures.arrows[0].path.currentPosition()), QPointF(190, 0));
    EXPECT_EQ(figures.arrows[1].path.elementAt(0), QPointF(0, 100));
    EXPECT_EQ(QPointF(figures.arrows[1].path.currentPosition()), QPointF(150, 104));
}

TEST(AnalysisFigures, PassThroughArrows) {
    // 0 -Passthru1-> 1 -Passthru2-> 3: a solid arc 0 to 3 over 1, and a dotted line 1 to 3.
    const auto figures =
        figuresOf({figure("Passthru1", 1), figure("Passthru2", 3), figure("None"), figure("None")});
    ASSERT_EQ(figures.arrows.size(), 4u);
    EXPECT_FALSE(figures.arrows[0].dotted);
    EXPECT_EQ(QPointF(figures.arrows[1].path.currentPosition()), QPointF(150, 104));
    EXPECT_TRUE(figures.arrows[2].dotted && !figures.arrows[2].arc);
    EXPECT_EQ(QPointF(figures.arrows[2].path.currentPosition()), QPointF(190, 4));
    EXPECT_EQ(figures.arrows[3].path.elementAt(0), QPointF(0, 104));
    EXPECT_EQ(QPointF(figures.arrows[3].path.currentPosition()), QPointF(146, 104));
    EXPECT_EQ(figures.arrowheads.back()[0], QPointF(146, 104));
    // A Passthru1 whose destination is no Passthru2, and destinations without a position: nothing.
    EXPECT_TRUE(figuresOf({figure("Passthru1", 2), figure("Solid", 9), figure("Dotted", -1), figure("Passthru1", 99)})
                    .arrows.empty());
}

TEST(AnalysisFigures, DottedBracketOverTwoLinesIsTwoDottedPieces) {
    const auto figures = figuresOf(Plist::Array(4, figure("None")), only(1, figure("Dotted", 3)));
    ASSERT_EQ(figures.brackets.size(), 4u);  // two ticks, two pieces
    EXPECT_EQ(figures.brackets[0].path.elementAt(0), QPointF(155, 20));
    EXPECT_EQ(QPointF(figures.brackets[0].path.currentPosition()), QPointF(155, 22));
    for (int piece : {2, 3}) EXPECT_TRUE(figures.brackets[piece].dotted) << piece;
    EXPECT_EQ(figures.brackets[2].path.elementAt(0), QPointF(155, 22));
    EXPECT_EQ(QPointF(figures.brackets[2].path.currentPosition()), QPointF(190, 22));
    EXPECT_EQ(figures.brackets[3].path.elementAt(0), QPointF(0, 122));
    EXPECT_EQ(QPointF(figures.brackets[3].path.currentPosition()), QPointF(155, 122));

    const auto oneLine = figuresOf(Plist::Array(4, figure("None")), only(0, figure("Solid", 1)));
    ASSERT_EQ(oneLine.brackets.size(), 3u);
    EXPECT_FALSE(oneLine.brackets[2].dotted);
    EXPECT_EQ(oneLine.brackets[2].path.elementAt(0), QPointF(10, 22));
    EXPECT_EQ(QPointF(oneLine.brackets[2].path.currentPosition()), QPointF(155, 22));
}

TEST(KeyLabels, OneLabelWhereTheKeyChanges) {
    const AnalysisGeometry g(twoLines(), metrics);
    const auto labels = keyLabels({{"F", "F"}, {"F", "F"}, {"Bb", "Bb"}, {"", "Bb"}}, g);
    // Under the slash row: y + 20 + 2 + 2 + 20.
    const std::vector<AnalysisText> expected = {{QPointF(0, 44), "F:"}, {QPointF(0, 144), "B\u266D:"}};
    EXPECT_EQ(labels, expected);
}

TEST(KeyLabels, FFFFThenFFGG) {
    Plist::Array bars;
    for (const char* keys : {"FFFF", "FFGG"}) {
        Plist::Array chords, keySlots;
        for (const char* k = keys; *k; ++k) {
            chords.push_back(Plist::make_string(""));
            keySlots.push_back(Plist::make_string(std::string(1, *k)));
        }
        bars.push_back(Plist::make_dictionary({{"Chords", Plist::make_array(chords)},
                                               {"Keys", Plist::make_array(keySlots)},
                                               {"SectionMark", Plist::make_integer(32)}}));
    }
    ViewOfChart owner;
    ChartView& view = owner.view;
    view.setChart(MyDocument::newChart().with("Chords", Plist::make_array(bars)));
    const auto& labels = view.keyLabels();
    ASSERT_EQ(labels.size(), 2u);
    const ChartLayout& l = view.layout();
    EXPECT_EQ(labels[0].text, "F:");
    EXPECT_FLOAT_EQ(labels[0].topLeft.x(), l.bars[0].frame.x + l.bars[0].chordFrames[0].x);
    EXPECT_EQ(labels[1].text, "G:");
    EXPECT_FLOAT_EQ(labels[1].topLeft.x(), l.bars[1].frame.x + l.bars[1].chordFrames[2].x);
}

}  // namespace
}  // namespace zub
