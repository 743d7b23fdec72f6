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
