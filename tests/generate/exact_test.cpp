#include <gtest/gtest.h>

#include "core/failure.h"
#include "core/generate/exact.h"

namespace zub {
namespace {

// q - m floor(q / m), computed the long way.
mpq_class reference_modulo(const mpq_class& q, const mpq_class& m) {
    const mpq_class quotient = q / m;
    mpz_class floor;
    mpz_fdiv_q(floor.get_mpz_t(), quotient.get_num_mpz_t(), quotient.get_den_mpz_t());
    return q - m * mpq_class(floor);
}

TEST(Exact, ModuloAgreesWithTheDefinitionForEverySign) {
    const std::vector<mpq_class> moduli = {mpq_class(1), mpq_class(4), mpq_class(-3), mpq_class(3, 2),
                                           mpq_class(-5, 4)};
    for (long num = -40; num <= 40; ++num) {
        for (long den : {1L, 2L, 3L, 8L, 12L}) {
            mpq_class q(num, den);
            q.canonicalize();
            for (const mpq_class& m : moduli) {
                const mpq_class got = Exact::modulo(q, m);
                EXPECT_EQ(got, reference_modulo(q, m)) << q << " mod " << m;
                // A result in lowest terms compares equal to its canonical form field by field.
                mpq_class canonical = got;
                canonical.canonicalize();
                EXPECT_EQ(got.get_num(), canonical.get_num()) << q << " mod " << m;
                EXPECT_EQ(got.get_den(), canonical.get_den()) << q << " mod " << m;
            }
        }
    }
    EXPECT_EQ(Exact::modulo(mpq_class(-1, 4), 4), mpq_class(15, 4));
    EXPECT_EQ(Exact::modulo(mpq_class(5, 2), 1), mpq_class(1, 2));
}

TEST(Exact, ModuloByZeroFails) {
    EXPECT_THROW(Exact::modulo(mpq_class(1, 2), 0), Invalid_argument);
    EXPECT_THROW(Exact::modulo(mpq_class(1, 2), mpq_class(0, 5)), Invalid_argument);
}

TEST(Exact, SumsAndProductsAreTheGeneralOnesInLowestTerms) {
    // Whole and fractional, either side, zero, signs, shared factors, and a
    // whole number of two limbs.
    std::vector<mpq_class> numbers;
    for (const char* text :
         {"0", "4", "-3", "1/2", "-5/6", "3/8", "3/2", "647/240", "36893488147419103232", "-7/36893488147419103232"})
        numbers.emplace_back(text);
    for (const mpq_class& a : numbers)
        for (const mpq_class& b : numbers) {
            const mpq_class sum = Exact::add(a, b);
            const mpq_class product = Exact::multiply(a, b);
            EXPECT_EQ(sum.get_num(), mpq_class(a + b).get_num()) << a << " + " << b;
            EXPECT_EQ(sum.get_den(), mpq_class(a + b).get_den()) << a << " + " << b;
            EXPECT_EQ(product.get_num(), mpq_class(a * b).get_num()) << a << " x " << b;
            EXPECT_EQ(product.get_den(), mpq_class(a * b).get_den()) << a << " x " << b;
        }
}

TEST(Exact, CompareAgreesWithTheGeneralComparison) {
    // Around the edge of the machine-word path: 2^31 - 1 takes it, 2^31 and
    // numbers of two limbs do not; both signs, and zero.
    const std::vector<mpq_class> numbers = {mpq_class(0),
                                            mpq_class(1, 2),
                                            mpq_class(-1, 2),
                                            mpq_class(647, 240),
                                            mpq_class(2147483647),
                                            mpq_class(-2147483647),
                                            mpq_class(1, 2147483647),
                                            mpq_class("2147483648"),
                                            mpq_class("-2147483648"),
                                            mpq_class("1/2147483648"),
                                            mpq_class("4611686018427387904/3"),
                                            mpq_class("36893488147419103232"),
                                            mpq_class("-36893488147419103233/2"),
                                            mpq_class(2147483646, 2147483647)};
    const auto sign = [](int value) { return (value > 0) - (value < 0); };
    for (const mpq_class& a : numbers)
        for (const mpq_class& b : numbers) EXPECT_EQ(sign(Exact::compare(a, b)), sign(cmp(a, b))) << a << " vs " << b;
}

TEST(Exact, SmallTicksOnlyForWholeTicksOfModestSize) {
    EXPECT_EQ(Exact::small_ticks(mpq_class(5, 2), 480), 1200);
    EXPECT_EQ(Exact::small_ticks(mpq_class(-1, 960), 960), -1);
    EXPECT_EQ(Exact::small_ticks(mpq_class(1, 7), 480), std::nullopt);
    EXPECT_EQ(Exact::small_ticks(mpq_class("1099511627775"), 480), 1099511627775L * 480);
    EXPECT_EQ(Exact::small_ticks(mpq_class("1099511627776"), 480), std::nullopt);
    EXPECT_EQ(Exact::small_ticks(mpq_class("1/36893488147419103232"), 480), std::nullopt);
}

}  // namespace
}  // namespace zub
