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
    std::vector<Intvllist> written_types;            // the lists writing uses, by code
    std::vector<int> written_codes;                  // and their codes
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
            if (t.lowest_code.try_emplace(type, slot + 1).second) {
                t.written_types.push_back(type);
                t.written_codes.push_back(slot + 1);
            }
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

int nearest_code(std::string_view type_text) {
    const Intvllist type = Chordtype::of_string(type_text);
    const Code_table& t = table();
    const std::size_t best = nearest(type, t.written_types);
    const int common = likeness(type, t.written_types[best]).common;
    if (common == 0 || 2 * common < static_cast<int>(type.size())) throw Not_found();
    return t.written_codes[best];
}

}  // namespace zub::Biabchords
