#include "core/registry/registry.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/failure.h"
#include "core/registry/chart_value.h"
#include "testing.h"

namespace zub {
namespace {

class Registry_test : public ::testing::Test {
protected:
    void SetUp() override { start_core(); }

    static Value call(std::string_view name, std::vector<Value> arguments) {
        const Core_function* function = Registry::find(name);
        if (function == nullptr) throw std::logic_error("not registered");
        return function->call(arguments);
    }
};

TEST_F(Registry_test, EveryEntryPointIsRegistered) {
    for (const char* name : {"Chordtype.all_names", "chord_printname", "Kelreader.read_chart", "Biabreader.read_chart",
                             "Biabwriter.write_chart", "Gc.compact", "Kov.partition", "Kov.annotate",
                             "Compatscales.set_cache_pathname"})
        EXPECT_NE(Registry::find(name), nullptr) << name;
    EXPECT_EQ(Registry::find("Kelreader.read_file"), nullptr);
    EXPECT_EQ(Registry::find("gc.compact"), nullptr);
    EXPECT_TRUE(Registry::is_error("Failure"));
    EXPECT_FALSE(Registry::is_error("Not_found"));
    start_core();  // a second start registers nothing twice
}

TEST_F(Registry_test, EntryPointsTakeAndReturnCoreValues) {
    EXPECT_EQ(call("chord_printname", {Value::of_string("C7#5")}), Value::of_string("C7+"));
    EXPECT_EQ(call("Gc.compact", {Value::unit()}), Value::unit());
    auto names = Values::strings_of(call("Chordtype.all_names", {Value::unit()}));
    EXPECT_EQ(names.size(), 68u);
    EXPECT_NE(std::find(names.begin(), names.end(), "m7b5"), names.end());

    Value chart = call("Kelreader.read_chart", {Value::of_string("Name: Blues\nSections: 1A\n| F7 | Bb7 |\n")});
    EXPECT_EQ(chart.field(0), Value::of_string("Blues"));
    Chart back = Chart_value::chart_of(chart);
    EXPECT_EQ(back.bars().at(1).at(0).symbol, "Bb7");
    EXPECT_EQ(back.sections().at(0).mark, 'A');
    EXPECT_EQ(Chart_value::chart_of(Chart_value::of_chart(back)), back);

    Value biab = call("Biabwriter.write_chart", {chart});
    EXPECT_EQ(Chart_value::chart_of(call("Biabreader.read_chart", {biab})).bars(), back.bars());
}

TEST_F(Registry_test, AnalysisCrossesAsTuplesAndVariants) {
    Value bars = Chart_value::of_bars({{{"Dm7", 2}, {"G7", 2}}, {{"C", 4}}});
    Value centers = call("Kov.partition", {bars});
    ASSERT_EQ(centers.as_list().size(), 1u);
    EXPECT_EQ(centers.as_list()[0], Value::of_tuple({Value::of_string("C"), Value::of_int(8)}));

    Value result = call("Kov.annotate", {bars, centers});
    ASSERT_EQ(result.fields().size(), 5u);
    EXPECT_EQ(result.field(0).as_array()[1], Value::of_tuple({Value::of_string("G7"), Value::of_string("V7")}));
    EXPECT_EQ(result.field(1).as_array()[0], Value::of_bool(true));
    // G7's Solid arrow (tag 0) points at slot 2; Dm7 has none (constant 0).
    EXPECT_EQ(result.field(2).as_array()[1], Value::constructor(0, {Value::constructor(0, {Value::of_int(2)})}));
    EXPECT_EQ(result.field(2).as_array()[0], Value::constant(0));
    EXPECT_EQ(result.field(3).as_array()[0], Value::constructor(0, {Value::of_string("C")}));
}

TEST_F(Registry_test, ErrorCases) {
    EXPECT_EQ(testing::failure_of([] { call("Kelreader.read_chart", {Value::of_string("nonsense")}); }),
              "Invalid input line: nonsense");
    EXPECT_THROW(call("chord_printname", {Value::of_int(3)}), Invalid_argument);
    EXPECT_THROW(call("Kov.annotate", {Value::unit()}), Invalid_argument);
    EXPECT_THROW(Chart_value::chart_of(Value::of_tuple({Value::of_string("x")})), Invalid_argument);
    EXPECT_THROW(Registry::register_function("Gc.compact", 1, [](std::span<const Value>) { return Value::unit(); }),
                 Invalid_argument);

    struct Case {
        std::function<void()> access;
        const char* message;
    };
    const std::vector<Case> cases = {
        {[] { (void)Value::of_string("x").as_int(); }, "Not an integer"},
        {[] { (void)Value::of_int(1).field(0); }, "Not a tuple"},
        {[] { (void)Value::of_tuple({}).field(0); }, "Not a tuple"},
        {[] { (void)Value::of_int(1).as_float(); }, "Not a float"},
        {[] { (void)Value::constant(0).constructor_tag(); }, "Not a non-constant constructor"},
        {[] { (void)Value::constructor(1, {}).constructor_field(0); }, "Not a non-constant constructor"},
        {[] { (void)Value::of_int(1).constant_index(); }, "Not an immediate integer"},
        {[] { (void)Value::of_list({}).as_float_array(); }, "Not a float array"},
        // Counts of the chart record are ints: a larger core integer must not wrap.
        {[] { (void)Values::int_of(Value::of_int(4294967296L)); }, "Integer out of range: 4294967296"},
        {[] { (void)Values::int_of(Value::of_int(-2147483649L)); }, "Integer out of range: -2147483649"},
        {[] {
             Value chart = Chart_value::of_chart(Chart());
             auto fields = chart.fields();
             fields[3] = Value::of_int(4294967416L);
             (void)Chart_value::chart_of(Value::of_tuple(fields));
         },
         "Integer out of range: 4294967416"},
        {[] {
             (void)call("Kov.partition", {Value::of_list({Value::of_list(
                                                   {Value::of_tuple({Value::of_string("C"), Value::of_int(1L << 33)})})})});
         },
         "Integer out of range: 8589934592"},
    };
    for (const auto& c : cases) EXPECT_EQ(testing::message_of<Invalid_argument>(c.access), c.message);
}

}  // namespace
}  // namespace zub
