#include "bridge/analysis_conversion.h"

#include <gtest/gtest.h>

#include "bridge/bridge_exception.h"
#include "bridge/internal/analysis_values.h"
#include "plist_testing.h"

namespace zub {
namespace {

Plist bar(const std::vector<std::string>& chords) { return testing::bar_dictionary(chords); }

Plist center(const char* key, int beats) {
    return Plist::make_dictionary({{"Key", Plist::make_string(key)}, {"Beats", Plist::make_integer(beats)}});
}

std::string reason_of(auto&& action) { return testing::named_reason_of(action); }

Plist none() { return Plist::make_dictionary({{"Type", Plist::make_string("None")}}); }

TEST(KovThroughTheBridge, KeyCentersAndAnalysisDictionaries) {
    const Plist::Array one_chord = {bar({"C", "", "", ""})};
    EXPECT_EQ(kov_partition(one_chord), Plist::make_array({center("C", 4)}));
    Plist one = kov_annotate(one_chord, {center("C", 4)});
    for (const char* key : {"Annotations", "Arrows", "Keys", "Brackets"}) EXPECT_EQ(one.array_at(key).size(), 1u) << key;

    // G7 is held over the bar line and comes back as a continuation slot.
    const Plist::Array bars = {bar({"Dm7", "", "G7", ""}), bar({"", "", "C", ""})};
    Plist analysis = kov_annotate(bars, {center("C", 8)});
    const auto& annotations = analysis.array_at("Annotations");
    ASSERT_EQ(annotations.size(), 4u);
    EXPECT_EQ(annotations[1].string_at("Roman"), "V7");
    EXPECT_EQ(annotations[2].string_at("Chord"), "/");
    EXPECT_EQ(analysis.array_at("Arrows")[1],
              Plist::make_dictionary({{"Type", Plist::make_string("Solid")}, {"Destination", Plist::make_integer(3)}}));
    EXPECT_EQ(analysis.array_at("Arrows")[0], none());
    EXPECT_EQ(analysis.array_at("Keys")[0],
              Plist::make_dictionary({{"Change", Plist::make_string("Yes")}, {"Key", Plist::make_string("C")}}));
    EXPECT_EQ(analysis.array_at("Keys")[1], Plist::make_dictionary({{"Change", Plist::make_string("No")}}));
    EXPECT_EQ(analysis.array_at("Brackets")[0].string_at("Type"), "Solid");
}

TEST(KovThroughTheBridge, DisplayStrings) {
    EXPECT_EQ(preprocessRomanDisplayString("subV7/bII"), "subV7/\u266DII");
    EXPECT_EQ(preprocessRomanDisplayString("#IVm7b5"), "\u266FIVm7\u266D5");
    EXPECT_EQ(standardize_chord_name(""), "");
    EXPECT_EQ(standardize_chord_name("B\u266D7\u266F5"), "B\u266D7+");
    auto changed = barsWithNewKeyCenter({bar({"C", ""})}, "F");
    EXPECT_EQ(changed[0].at("Keys"), Plist::make_array({Plist::make_string("F"), Plist::make_string("F")}));
    EXPECT_EQ(changed[0].at("Chords"), bar({"C", ""}).at("Chords"));
}

TEST(KovThroughTheBridge, ErrorCases) {
    auto arrow_of_kind = [](long kind) { return Value::constructor(0, {Value::constructor(kind, {Value::of_int(1)})}); };
    EXPECT_EQ(reason_of([&] { convertArrow(arrow_of_kind(4)); }), "convertArrow / Unknown constructor variant");
    EXPECT_EQ(reason_of([&] { convertBracket(arrow_of_kind(2)); }), "convertBracket / Unknown constructor variant");
    EXPECT_EQ(reason_of([&] { convertKey(Value::constructor(0, {Value::of_int(1)})); }),
              "convertKey / Unknown constructor variant");
    EXPECT_EQ(reason_of([&] { kov_annotate({bar({"C", "", "", ""})}, {center("C", 8)}); }),
              "callWithParam1:param2: / Core exception in function Kov.annotate - Not enough chords for repartitioning");
}

}  // namespace
}  // namespace zub
