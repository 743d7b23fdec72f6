#include "editor/key_names.h"

#include "core/analysis/segment_table.h"

namespace zub {
std::vector<std::string> analysisKeyNames() {
    std::vector<std::string> names(major_key_names.begin(), major_key_names.end());
    for (std::string_view tonic : minor_key_tonics) names.push_back(std::string(tonic) + "m");
    return names;
}
}  // namespace zub
