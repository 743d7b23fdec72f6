#include "core/charts/biabchords.h"

#include <gtest/gtest.h>

#include "core/failure.h"

namespace zub {
namespace {

TEST(Biabchords, CodesReadAsChordTypes) {
    struct Case { int code; const char* type; };
    const Case cases[] = {
        {1, ""}, {2, ""}, {64, "7"}, {19, "m7"}, {32, "m7b5"},
        {184, "sus"}, {177, ":4"}, {11, ":5.7.9"}, {113, ":3.b5.#5.b7.b9.#9"},
    };
    for (const auto& c : cases) EXPECT_EQ(Biabchords::to_kel(c.code), c.type) << c.code;
}

TEST(Biabchords, WritingGivesTheLowestCode) {
    struct Case { const char* type; int code; };
    const Case cases[] = {
        {"", 1}, {":3.5", 1}, {"7", 64}, {":3.5.b7", 64}, {"7+", 56},
        {":3.#5", 4}, {":3.5.b7.9.#11.13", 68}, {"sus", 184}, {":4", 177},
    };
    for (const auto& c : cases) EXPECT_EQ(Biabchords::of_kel(c.type), c.code) << c.type;
}

TEST(Biabchords, EveryCodeRoundTripsToItsLowestEquivalent) {
    for (int code = 1; code <= 184; ++code) {
        std::string type;
        try {
            type = Biabchords::to_kel(code);
        } catch (const Failure&) {
            continue;
        }
        int back = Biabchords::of_kel(type);
        EXPECT_LE(back, code);
        EXPECT_EQ(Biabchords::to_kel(back), type);
    }
}

TEST(Biabchords, ErrorCases) {
    for (int code : {27, 31, 71, 135, 178, 183}) {
        try {
            Biabchords::to_kel(code);
            ADD_FAILURE() << code;
        } catch (const Failure& e) {
            EXPECT_EQ(std::string(e.what()), "Unknown BiaB chord code: " + std::to_string(code));
        }
    }
    EXPECT_THROW(Biabchords::to_kel(0), Failure);
    EXPECT_THROW(Biabchords::to_kel(185), Failure);
    EXPECT_THROW(Biabchords::of_kel("maj7"), Not_found);
    EXPECT_THROW(Biabchords::of_kel(":3.b7"), Not_found);
    EXPECT_THROW(Biabchords::of_kel(":3..5"), Failure);
}

}  // namespace
}  // namespace zub
