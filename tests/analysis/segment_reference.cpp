#include "segment_reference.h"

#include <limits>
#include <map>

namespace zub::Reference {

namespace {

using namespace Segment;

constexpr double infinity = std::numeric_limits<double>::infinity();

template <typename T>
using Tri = std::vector<std::vector<T>>;

template <typename T>
Tri<T> make_tri(std::size_t n, T init) {
    Tri<T> m(n);
    for (std::size_t i = 0; i < n; ++i) m[i].assign(n - i, init);
    return m;
}

// Accumulates a per-element value along every row: m(i, j) = combine(m(i, j - 1), m(j, j)).
template <typename T, typename Single, typename Combine>
Tri<T> accumulate(std::size_t n, Single single, Combine combine) {
    Tri<T> m = make_tri<T>(n, T{});
    for (std::size_t i = 0; i < n; ++i) m[i][0] = single(i);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j) m[i][j - i] = combine(m[i][j - i - 1], m[j][0]);
    return m;
}

Tri<double> gen_d(const std::vector<int>& c) {
    const std::size_t n = c.size();
    const auto k = accumulate<double>(n, [&](std::size_t i) { return cost(c[i]); },
                                      [](double a, double b) { return a + b; });
    const auto r = accumulate<char>(n, [&](std::size_t i) -> char { return c[i] == 0 || c[i] == 9; },
                                    [](char a, char b) -> char { return a || b; });
    const auto u = accumulate<char>(n, [&](std::size_t i) -> char { return c[i] != 10; },
                                    [](char a, char b) -> char { return a && b; });
    Tri<double> d = make_tri(n, infinity);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i; j < n; ++j) {
            const bool f = !(c[j] >= 2 && c[j] <= 5);
            if (r[i][j - i] && u[i][j - i] && f) d[i][j - i] = k[i][j - i];
        }
    return d;
}

Tri<char> gen_relation(Zone_relation relation, const std::vector<int>& z) {
    const std::size_t n = z.size();
    Tri<char> e = make_tri<char>(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i; j < n; ++j) {
            const bool same = z[i] == z[j];
            const bool gaps = z[i] % 2 == 0 && z[j] % 2 == 0;
            e[i][j - i] = relation == Zone_relation::nol ? same : same || gaps;
        }
    return e;
}

Tri<char> gen_e(const std::string& key, bool minor, const Class_map& majors, const Class_map& minors,
                const std::vector<mpq_class>& durations) {
    const std::vector<int>& c = (minor ? minors : majors).at(key);
    const std::size_t n = c.size();
    Tri<char> e = make_tri<char>(n, 1);
    for (const Secondary_rule& rule : minor ? minor_secondary_rules() : major_secondary_rules()) {
        const std::vector<int>& c2 = key_intvl_is_minor_to_cls(key, rule.interval, rule.minor, majors, minors);
        const Tri<char> relation = gen_relation(rule.relation, gen_z(c2, c, durations, rule.zone_classes, rule.test));
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t j = i; j < n; ++j) e[i][j - i] = e[i][j - i] && relation[i][j - i];
    }
    return e;
}

std::map<std::string, Tri<double>> gen_d2m(const Class_map& classes, bool minor, const Class_map& majors,
                                           const Class_map& minors, const std::vector<mpq_class>& durations) {
    std::map<std::string, Tri<double>> d2m;
    for (const auto& [key, c] : classes) {
        Tri<double> d = gen_d(c);
        const Tri<char> e = gen_e(key, minor, majors, minors, durations);
        for (std::size_t i = 0; i < d.size(); ++i)
            for (std::size_t j = 0; j < d[i].size(); ++j)
                if (!e[i][j]) d[i][j] = infinity;
        d2m[key] = std::move(d);
    }
    return d2m;
}

}  // namespace

Cost_table gen_c(const std::vector<Ae>& elements) {
    const std::size_t n = elements.size();
    const Class_map majors = gen_clsm(elements);
    const Class_map minors = m_gen_clsm(elements);
    const std::vector<mpq_class> durations = gen_dur(elements);
    const auto major_d2 = gen_d2m(majors, false, majors, minors, durations);
    const auto minor_d2 = gen_d2m(minors, true, majors, minors, durations);
    Cost_table c = make_tri(n, std::pair<double, std::string>{infinity, ""});
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i; j < n; ++j) {
            std::pair<double, std::string> kept{infinity, ""};
            for (std::string_view key : major_key_names) {
                const double d2 = major_d2.at(std::string(key))[i][j - i];
                if (d2 < kept.first) kept = {d2, std::string(key)};
            }
            for (std::string_view tonic : minor_key_tonics) {
                const double d2 = minor_d2.at(std::string(tonic))[i][j - i];
                if (d2 < kept.first) kept = {d2, std::string(tonic) + "m"};
            }
            c[i][j - i] = kept;
        }
    for (std::size_t i = 0; i < n; ++i)
        if (c[i][0].first == infinity) c[i][0] = {unexplained_cost, singletonkey(elements[i])};
    return c;
}

std::vector<std::pair<std::size_t, std::string>> optpart(const Cost_table& c, std::size_t n) {
    std::vector<double> best(n);
    std::vector<std::pair<std::size_t, std::string>> back(n);
    for (std::size_t j = 0; j < n; ++j) {
        double kept = c[0][j].first;
        std::pair<std::size_t, std::string> pointer{0, c[0][j].second};
        for (std::size_t i = 1; i <= j; ++i) {
            const double candidate = best[i - 1] + c[i][j - i].first + segment_charge;
            if (candidate < kept) {
                kept = candidate;
                pointer = {i, c[i][j - i].second};
            }
        }
        best[j] = kept;
        back[j] = pointer;
    }
    return back;
}

}  // namespace zub::Reference
