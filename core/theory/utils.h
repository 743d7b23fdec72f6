// Small general helpers used across the core.
#pragma once

#include <gmpxx.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/failure.h"

namespace zub::Utils {

// Index of the first element equal to value: index_array({C, D, E}, D) == 1.
// Throws Not_found when no element is equal.
template <typename T>
std::size_t index_array(const std::vector<T>& array, const T& value) {
    for (std::size_t k = 0; k < array.size(); ++k)
        if (array[k] == value) return k;
    throw Not_found();
}

// The text without its trailing space characters (code 32 only; tabs stay):
// trim_right_string("Am7\t  ") == "Am7\t".
std::string trim_right_string(std::string_view text);

// An association list keyed by exact rational numbers.
template <typename V>
using Num_alist = std::vector<std::pair<mpq_class, V>>;

// The value of the first pair whose key equals number exactly:
// num_assoc(1/2, {{2/4, "half"}}) == "half". Throws Not_found when there is none.
template <typename V>
const V& num_assoc(const mpq_class& number, const Num_alist<V>& alist) {
    for (const auto& [key, value] : alist)
        if (cmp(key, number) == 0) return value;
    throw Not_found();
}

// Whether num_assoc would find a pair.
template <typename V>
bool num_mem_assoc(const mpq_class& number, const Num_alist<V>& alist) {
    for (const auto& pair : alist)
        if (cmp(pair.first, number) == 0) return true;
    return false;
}

}  // namespace zub::Utils
