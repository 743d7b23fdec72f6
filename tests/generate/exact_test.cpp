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

}  // namespace
}  // namespace zub
