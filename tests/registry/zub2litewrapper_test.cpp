#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/generate/zub2lite.h"
#include "core/registry/chart_value.h"
#include "core/registry/registry.h"
#include "testing.h"

namespace zub {
namespace {

Value generate(const Chart& chart) {
    start_core();
    const Core_function* function = Registry::find("Zub2lite.gen");
    if (function == nullptr) throw std::logic_error("not registered");
    std::vector<Value> arguments = {Chart_value::of_chart(chart)};
    return function->call(arguments);
}

TEST(Zub2litewrapper, ChartInMidiFileOut) {
    Zub2lite::init_random_with(5);
    const Chart chart("Blues", {4, 1}, "F", 140, {{{"F7", 4}}, {{"Bb7", 4}}, {{"F7", 4}}}, {1, 3, 2}, {{1, 'A'}});
    const std::string bytes = generate(chart).as_string();
    EXPECT_EQ(bytes.substr(0, 4), "MThd");
}

TEST(Zub2litewrapper, FailureCrossesWithTheSeed) {
    Zub2lite::init_random_with(9);
    const Chart nine("Nine", {9, 1}, "C", 120, {{{"C", 9}}}, {1, 1, 1}, {});
    EXPECT_EQ(testing::failure_of([&] { generate(nine); }), "Gen error (Chart not in 4/4 time: 9): random seed = 9");
}

}  // namespace
}  // namespace zub
