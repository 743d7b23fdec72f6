#include <gtest/gtest.h>

#include <string>

#include "core/generate/zub2lite.h"
#include "generate_testing.h"
#include "varied_charts.h"

namespace zub {
namespace {

// Any chart a musician can write accompanies with any seed.
TEST(GenSweep, SwingChartsNeverFail) {
    for (const auto& [name, chart, seeds] : testing::varied_charts(4, 1)) {
        int failures = 0;
        for (int seed = 1; seed <= seeds; ++seed) {
            Zub2lite::init_random_with(static_cast<std::uint64_t>(seed));
            const std::string message = testing::message_of<Failure>([&] { Zub2lite::gen(chart); });
            if (message != "(no failure)" && failures++ < 3) ADD_FAILURE() << name << ": " << message;
        }
        EXPECT_EQ(failures, 0) << name;
    }
}

}  // namespace
}  // namespace zub
