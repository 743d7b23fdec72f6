#include "core/generate/bass_table.h"

namespace zub::Bass {

const Randset<int>& split_beats() {
    static const Randset<int> set = Randset<int>::create({{0, 0.4}, {1, 0.2}, {2, 0.3}, {3, 0.0}});
    return set;
}

const Perform::Groove_table& groove_table() {
    static const Perform::Groove_table table = {
        {mpq_class(0), 1.0},  {mpq_class(1, 2), 0.7}, {mpq_class(1), 0.8},  {mpq_class(3, 2), 0.7},
        {mpq_class(2), 0.9},  {mpq_class(5, 2), 0.7}, {mpq_class(3), 0.8},  {mpq_class(7, 2), 0.7}};
    return table;
}

}  // namespace zub::Bass
