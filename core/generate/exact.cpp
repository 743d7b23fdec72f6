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
    const mpq_class quotient = divide(q, m);
    return q - m * mpq_class(floor_of(quotient));
}

}  // namespace zub::Exact
