#include "bridge/analysis_result.h"

#include <gtest/gtest.h>

#include "bridge/bridge_exception.h"
#include "plist_testing.h"

namespace zub {
namespace {

Plist figure(const char* type, std::optional<std::int64_t> destination = std::nullopt) {
    Plist::Dictionary d{{"Type", Plist::make_string(type)}};
    if (destination) d.emplace("Destination", Plist::make_integer(*destination));
    return Plist::make_dictionary(std::move(d));
}

Plist analysisOf(Plist::Array arrows, Plist::Array brackets, Plist::Array keys = {}, Plist::Array annotations = {}) {
    return Plist::make_dictionary({{"Annotations", Plist::make_array(std::move(annotations))},
                                   {"Arrows", Plist::make_array(std::move(arrows))},
                                   {"Keys", Plist::make_array(std::move(keys))},
                                   {"Brackets", Plist::make_array(std::move(brackets))}});
}

TEST(AnalysisResultOf, ArrowAndBracketKinds) {
    const AnalysisResult r = analysisResultOf(
        analysisOf({figure("None"), figure("Solid", 2), figure("Dotted", 0), figure("Passthru1", 4),
                    figure("Passthru2", 5), figure("Solid")},
                   {figure("None"), figure("Solid", 1), figure("Dotted", 3)}));
    const std::vector<AnalysisArrow> arrows = {{ArrowKind::none, std::nullopt},     {ArrowKind::solid, 2},
                                               {ArrowKind::dotted, 0},              {ArrowKind::passthru1, 4},
                                               {ArrowKind::passthru2, 5},           {ArrowKind::solid, std::nullopt}};
    EXPECT_EQ(r.arrows, arrows);
    const std::vector<AnalysisBracket> brackets = {
        {BracketKind::none, std::nullopt}, {BracketKind::solid, 1}, {BracketKind::dotted, 3}};
    EXPECT_EQ(r.brackets, brackets);
}

TEST(AnalysisResultOf, DisplayFormsAndKeyChanges) {
    auto annotation = [](const char* chord, const char* roman) {
        return Plist::make_dictionary({{"Chord", Plist::make_string(chord)}, {"Roman", Plist::make_string(roman)}});
    };
    auto key = [](const char* change, const char* name) {
        Plist::Dictionary d{{"Change", Plist::make_string(change)}};
        if (*name) d.emplace("Key", Plist::make_string(name));
        return Plist::make_dictionary(std::move(d));
    };
    const AnalysisResult r = analysisResultOf(analysisOf(
        {}, {}, {key("Yes", "Bb"), key("No", "")}, {annotation("Bb7", "subV7/bII"), annotation("/", "")}));
    const std::vector<AnalysisAnnotation> annotations = {{"B\u266D7", "subV7/\u266DII"}, {"/", ""}};
    EXPECT_EQ(r.annotations, annotations);
    EXPECT_EQ(r.keyChanges, (std::vector<std::string>{"Bb", ""}));
}

TEST(AnalysisResultOf, ErrorCases) {
    const struct {
        Plist analysis;
        const char* reason;
    } cases[] = {
        {analysisOf({figure("Wavy", 1)}, {}), "Unknown arrow type: Wavy"},
        {analysisOf({}, {figure("Passthru1", 1)}), "Unknown bracket type: Passthru1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(testing::named_reason_of([&] { analysisResultOf(c.analysis); }),
                  std::string("analysisResultOf / ") + c.reason);
    EXPECT_ANY_THROW(analysisResultOf(Plist::make_dictionary({})));  // the dictionary's own reading failure
}

}  // namespace
}  // namespace zub
