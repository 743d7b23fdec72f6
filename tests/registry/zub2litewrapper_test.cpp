#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/generate/zub2lite.h"
#include "core/registry/chart_value.h"
#include "core/registry/registry.h"

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
    Zub2lite::init_random_with(5);
    EXPECT_EQ(generate(chart).as_string(), bytes);
}

TEST(Zub2litewrapper, FailureCrossesWithTheSeed) {
    Zub2lite::init_random_with(9);
    const Chart five("Five", {5, 1}, "C", 120, {{{"C", 5}}}, {1, 1, 1}, {});
    try {
        generate(five);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_STREQ(failure.what(), "Gen error (5/4 time cannot be accompanied yet): random seed = 9");
    }
    // A waltz plays, in 3/4.
    const Chart waltz("Waltz", {3, 8}, "C", 120, {{{"C", 3}}}, {1, 1, 1}, {});
    EXPECT_NE(generate(waltz).as_string().find("\xFF\x58\x04\x03\x02"), std::string::npos);
}

}  // namespace
}  // namespace zub
