#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/generate/random.h"
#include "generate_testing.h"

namespace zub {
namespace {

using testing::message_of;

TEST(Random, StreamIsFixedByTheEngineNotThePlatform) {
    // The 10000th output of the 64-bit Mersenne Twister seeded with 5489 is fixed
    // by the C++ standard; bits(63) drops its lowest bit, float_unit its lowest 11.
    Random::init(5489);
    for (int k = 1; k < 10000; ++k) Random::bits(63);
    EXPECT_EQ(Random::bits(63), 9981545732273789042ULL >> 1);
    Random::init(5489);
    for (int k = 1; k < 10000; ++k) Random::float_unit();
    EXPECT_EQ(Random::float_unit(), static_cast<double>(9981545732273789042ULL >> 11) * 0x1p-53);
}

TEST(Random, DrawsLieInTheUnitIntervalOnA53BitGrid) {
    Random::init(1);
    for (int k = 0; k < 10000; ++k) {
        const double u = Random::float_unit();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        ASSERT_EQ(std::ldexp(u, 53), std::floor(std::ldexp(u, 53)));
    }
}

TEST(Random, BitsStayBelowTheirBound) {
    Random::init(7);
    for (int k = 0; k < 1000; ++k) ASSERT_LT(Random::bits(30), 1ULL << 30);
}

TEST(Random, ErrorCases) {
    EXPECT_EQ(message_of<Invalid_argument>([] { Random::bits(0); }), "Invalid bit count: 0");
    EXPECT_EQ(message_of<Invalid_argument>([] { Random::bits(64); }), "Invalid bit count: 64");
}

}  // namespace
}  // namespace zub
