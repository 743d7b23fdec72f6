#include "core/charts/biabchords.h"

#include <optional>
#include <unordered_map>
#include <vector>

#include "core/charts/biab_tables.h"
#include "core/failure.h"
#include "core/theory/chordtype.h"

namespace zub::Biabchords {

namespace {

struct Code_table {
    std::vector<std::optional<Intvllist>> types;     // slot k holds code k + 1
    std::unordered_map<Intvllist, int> lowest_code;  // the code writing uses
};

const Code_table& table() {
    static const Code_table built = [] {
        Code_table t;
        t.types.reserve(biab_chord_code_count);
        for (int slot = 0; slot < biab_chord_code_count; ++slot) {
            const char* text = biab_chord_codes[slot];
            if (text == nullptr) {
                t.types.emplace_back();
                continue;
            }
            Intvllist type = Chordtype::of_string(std::string(":") + text);
            t.lowest_code.try_emplace(type, slot + 1);
            t.types.emplace_back(std::move(type));
        }
        return t;
    }();
    return built;
}

}  // namespace

std::string to_kel(int code) {
    if (code < 1 || code > biab_chord_code_count)
        throw Failure("BiaB chord code out of range: " + std::to_string(code));
    const auto& type = table().types[code - 1];
    if (!type) throw Failure("Unknown BiaB chord code: " + std::to_string(code));
    return Chordtype::to_string(*type);
}

int of_kel(std::string_view type_text) {
    const auto& codes = table().lowest_code;
    auto found = codes.find(Chordtype::of_string(type_text));
    if (found == codes.end()) throw Not_found();
    return found->second;
}

}  // namespace zub::Biabchords
