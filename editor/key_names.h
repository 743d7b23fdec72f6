// Until the bridge's core_names lands: the 24 keys of the analysis.
#pragma once

#include <string>
#include <vector>

namespace zub {
std::vector<std::string> analysisKeyNames();
}
