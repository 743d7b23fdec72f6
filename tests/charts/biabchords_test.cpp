#include "core/charts/biabchords.h"

#include <gtest/gtest.h>

#include "core/failure.h"
#include "testing.h"

namespace zub {
namespace {

TEST(Biabchords, CodesReadAsChordTypes) {
    struct Case { int code; const char* type; };
    const Case cases[] = {
        {1, ""}, {2, ""}, {64, "7"}, {19, "m7"}, {32, "m7b5"},
        {184, "sus"}, {177, ":4"}, {11, ":5.7.9"}, {113, "7alt"},
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

// Codes whose lists have a jazz name read as that name, and the name writes the
// lowest code of its list (a name-less list like 7b9#9 has no code at all).
TEST(Biabchords, JazzNamesAndTheirCodes) {
    struct Case { int code; const char* type; int written; };
    const Case cases[] = {
        {66, "7b13", 66},      {113, "7alt", 113},    {68, "13#11", 68},     {74, "13#11", 68},
        {13, "Maj7#5", 13},    {8, "Maj9#11", 8},     {10, "Maj13", 10},     {15, "sus2", 15},
        {40, "5", 40},         {26, "m69", 26},       {17, "m#5", 17},       {24, "m#5", 17},
        {22, "m13", 22},       {25, "m7#5", 25},      {78, "7b9b13", 78},    {79, "7b9#11", 79},
        {84, "7#9b13", 84},    {72, "9b13", 72},      {80, "13b9#11", 80},   {129, "13sus", 129},
        {130, "7b13sus", 130}, {140, "7b9sus", 140},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Biabchords::to_kel(c.code), c.type) << c.code;
        EXPECT_EQ(Biabchords::of_kel(c.type), c.written) << c.type;
    }
    for (const char* nameless : {"7b9#9", "add9", "madd9", "mb6", "mMaj9", "11", "7susadd3", "dimMaj7", "m9b5"})
        EXPECT_THROW(Biabchords::of_kel(nameless), Not_found) << nameless;
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

// A type without a code of its own is written as the code nearest to it, but
// only when that code holds at least half of the type's intervals.
TEST(Biabchords, NearestCode) {
    struct Case { const char* type; int code; };
    const Case cases[] = {
        {"7", 64},          {"7#9b13", 84},      {"13sus", 129},  {"dim7", 33},   {"dim", 33},
        {"7b9#9", 76},      {"add9", 7},         {"11", 65},
        {":b3.b5.6.b9", 33},
    };
    for (const auto& c : cases) EXPECT_EQ(Biabchords::nearest_code(c.type), c.code) << c.type;
    for (const char* far : {":b2.b6", ":", ":b2.b6.3"}) EXPECT_THROW(Biabchords::nearest_code(far), Not_found) << far;
    EXPECT_THROW(Biabchords::nearest_code("maj7"), Not_found);
    EXPECT_THROW(Biabchords::nearest_code(":3..5"), Failure);
}

TEST(Biabchords, ErrorCases) {
    for (int code : {27, 31, 71, 135, 178, 183})
        EXPECT_EQ(testing::failure_of([&] { Biabchords::to_kel(code); }),
                  "Unknown BiaB chord code: " + std::to_string(code));
    EXPECT_THROW(Biabchords::to_kel(0), Failure);
    EXPECT_THROW(Biabchords::to_kel(185), Failure);
    EXPECT_THROW(Biabchords::of_kel("maj7"), Not_found);
    EXPECT_THROW(Biabchords::of_kel(":3.b7"), Not_found);
    EXPECT_THROW(Biabchords::of_kel(":3..5"), Failure);
}

}  // namespace
}  // namespace zub
