// A straightforward full-matrix computation of the run cost table and the
// optimal partition, every matrix stored whole as an array of rows. Slow and
// memory-hungry on purpose: the tests check the compact computation against it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/analysis/segment.h"

namespace zub::Reference {

// C(i, j) at [i][j - i]: (cost, key name).
using Cost_table = std::vector<std::vector<std::pair<double, std::string>>>;

Cost_table gen_c(const std::vector<Ae>& elements);
// back[j] = (start, key).
std::vector<std::pair<std::size_t, std::string>> optpart(const Cost_table& c, std::size_t n);

}  // namespace zub::Reference
