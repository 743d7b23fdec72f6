#include "bridge/core_names.h"

#include "bridge/internal/reaching_core.h"
#include "core/analysis/segment_table.h"
#include "core/theory/chord.h"
#include "core/theory/chordtype.h"

namespace zub {

std::vector<std::string> analysisKeyNames() {
    std::vector<std::string> keys(major_key_names.begin(), major_key_names.end());
    for (std::string_view tonic : minor_key_tonics) keys.push_back(std::string(tonic) + "m");
    return keys;
}

std::vector<std::string> chordTypeNames() {
    return reaching_core("chordTypeNames", [] { return Chordtype::all_names(); });
}

std::string chordPrintName(const std::string& symbol) {
    return reaching_core("chordPrintName", [&] { return chord_printname(symbol); });
}

std::string namedChordSymbol(const std::string& symbol) { return named_symbol(symbol); }

}  // namespace zub
