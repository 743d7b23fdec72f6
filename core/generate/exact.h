// Exact-number helpers for the generator: rational arithmetic whose failures
// come back as core exceptions instead of the arithmetic library's abort.
#pragma once

#include <gmpxx.h>

#include <optional>

namespace zub::Exact {

// a / b: divide(1, 3) -> 1/3; Invalid_argument "Division_by_zero" when b is 0.
mpq_class divide(const mpq_class& a, const mpq_class& b);
// The whole number q stands for: integer_of(960/2) -> 480;
// "integer argument required" when q is not whole, Invalid_argument
// "Integer out of range: ..." beyond a long.
long integer_of(const mpq_class& q);
// The largest whole number not above q: floor_of(-1/8) -> -1.
mpz_class floor_of(const mpq_class& q);
// q modulo m, in [0, m) for m > 0: modulo(5/2, 1) -> 1/2, modulo(-1/4, 4) -> 15/4;
// Invalid_argument "Division_by_zero" when m is 0.
mpq_class modulo(const mpq_class& q, const mpq_class& m);
// q x per_beat when that is a whole number and q's numerator is below 2^40 in
// size (so that machine arithmetic on it cannot overflow); nothing otherwise:
// small_ticks(5/2, 480) -> 1200, small_ticks(1/7, 480) -> nothing.
std::optional<long> small_ticks(const mpq_class& q, long per_beat);

// a + b and a x b, the same numbers as the general operations give, but
// quicker when one of them is whole, as a bar's start and length are: a sum
// (n + w d) / d is in lowest terms when n / d is, and a product needs only the
// common factor of the whole number and the other's denominator.
mpq_class add(const mpq_class& a, const mpq_class& b);
mpq_class multiply(const mpq_class& a, const mpq_class& b);

// cmp(a, b): negative, zero or positive as a is below, equal to or above b.
// When every part is below 2^31 in size, as the generator's times are, the
// cross products fit a machine word and the general routine is not called:
// sequences compare times millions of times.
inline int compare(const mpq_class& a, const mpq_class& b) {
    constexpr mp_limb_t small = mp_limb_t(1) << 31;
    const mpz_srcptr parts[] = {a.get_num_mpz_t(), a.get_den_mpz_t(), b.get_num_mpz_t(), b.get_den_mpz_t()};
    for (const mpz_srcptr part : parts)
        if (mpz_size(part) > 1 || mpz_getlimbn(part, 0) >= small) return cmp(a, b);
    const auto magnitude = [](mpz_srcptr part) { return static_cast<long>(mpz_getlimbn(part, 0)); };
    const long left = mpz_sgn(parts[0]) * magnitude(parts[0]) * magnitude(parts[3]);
    const long right = mpz_sgn(parts[2]) * magnitude(parts[2]) * magnitude(parts[1]);
    return (left > right) - (left < right);
}

}  // namespace zub::Exact
