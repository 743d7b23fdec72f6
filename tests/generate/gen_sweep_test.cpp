#include <gtest/gtest.h>

#include <string>

#include "core/generate/zub2lite.h"
#include "generate_testing.h"
#include "varied_charts.h"

namespace zub {
namespace {

// Any chart a musician can write accompanies with any seed, in every style.
TEST(GenSweep, ChartsNeverFail) {
    struct Meter {
        int beats;
        int style;
        int seed_divisor;  // the new styles' sweeps are lighter
    };
    for (const Meter m : {Meter{4, 1, 1}, Meter{3, 8, 3}, Meter{4, 4, 3}}) {
        for (const auto& [name, chart, seeds] : testing::varied_charts(m.beats, m.style)) {
            int failures = 0;
            for (int seed = 1; seed <= seeds / m.seed_divisor; ++seed) {
                Zub2lite::init_random_with(static_cast<std::uint64_t>(seed));
                const std::string message = testing::message_of<Failure>([&, &chart = chart] { Zub2lite::gen(chart); });
                if (message != "(no failure)" && failures++ < 3)
                    ADD_FAILURE() << m.beats << "/4 style " << m.style << ", " << name << ": " << message;
            }
            EXPECT_EQ(failures, 0) << name;
        }
    }
}

}  // namespace
}  // namespace zub
