#include "core/generate/exact.h"

#include "core/failure.h"

namespace zub::Exact {

mpq_class divide(const mpq_class& a, const mpq_class& b) {
    if (sgn(b) == 0) throw Invalid_argument("Division_by_zero");
    return a / b;
}

long integer_of(const mpq_class& q) {
    if (q.get_den() != 1) throw Failure("integer argument required");
    if (!q.get_num().fits_slong_p()) throw Invalid_argument("Integer out of range: " + q.get_str());
    return q.get_num().get_si();
}

mpz_class floor_of(const mpq_class& q) {
    mpz_class result;
    mpz_fdiv_q(result.get_mpz_t(), q.get_num_mpz_t(), q.get_den_mpz_t());
    return result;
}

mpq_class modulo(const mpq_class& q, const mpq_class& m) {
    if (sgn(m) == 0) throw Invalid_argument("Division_by_zero");
    if (m.get_den() == 1) {
        // With q = a/b and a whole m: a mod (m b) over b, already in lowest terms
        // because the remainder has a's common factors with b (none). The
        // generators take every time modulo a whole number of beats.
        mpz_class bound = m.get_num() * q.get_den();
        mpq_class result;
        mpz_fdiv_r(result.get_num_mpz_t(), q.get_num_mpz_t(), bound.get_mpz_t());
        result.get_den() = q.get_den();
        return result;
    }
    const mpq_class quotient = q / m;
    return q - m * mpq_class(floor_of(quotient));
}

namespace {

bool whole(const mpq_class& q) { return mpz_cmp_ui(q.get_den_mpz_t(), 1) == 0; }

mpq_class plus_whole(const mpq_class& q, const mpq_class& w) {
    mpq_class sum(q);
    mpz_addmul(sum.get_num_mpz_t(), w.get_num_mpz_t(), sum.get_den_mpz_t());
    return sum;
}

mpq_class times_whole(const mpq_class& q, const mpq_class& w) {
    mpz_class common;
    mpz_gcd(common.get_mpz_t(), w.get_num_mpz_t(), q.get_den_mpz_t());
    mpq_class product;
    mpz_divexact(product.get_den_mpz_t(), q.get_den_mpz_t(), common.get_mpz_t());
    mpz_divexact(common.get_mpz_t(), w.get_num_mpz_t(), common.get_mpz_t());
    mpz_mul(product.get_num_mpz_t(), q.get_num_mpz_t(), common.get_mpz_t());
    return product;
}

}  // namespace

mpq_class add(const mpq_class& a, const mpq_class& b) {
    if (whole(b)) return plus_whole(a, b);
    if (whole(a)) return plus_whole(b, a);
    return a + b;
}

mpq_class multiply(const mpq_class& a, const mpq_class& b) {
    // A zero factor would leave a zero over a denominator other than 1.
    if (sgn(a) == 0 || sgn(b) == 0) return mpq_class(0);
    if (whole(b)) return times_whole(a, b);
    if (whole(a)) return times_whole(b, a);
    return a * b;
}

std::optional<long> small_ticks(const mpq_class& q, long per_beat) {
    constexpr long limit = 1L << 40;
    if (!q.get_num().fits_slong_p() || !q.get_den().fits_slong_p()) return std::nullopt;
    const long num = q.get_num().get_si();
    const long den = q.get_den().get_si();
    if (num >= limit || num <= -limit) return std::nullopt;
    const long scaled = num * per_beat;
    if (scaled % den != 0) return std::nullopt;
    return scaled / den;
}

}  // namespace zub::Exact
