// The one wrapper of a named family of interval lists, the chord types and the
// scale types: the family's definitions {name, interval-list text} read on
// first use into an Intvllisttbl that never changes, and the calls on type
// texts that every family answers alike. A family names its definitions and
// the table's initial size:
//   struct Scaletype : Type_table<Scaletype> {
//       static const auto& definitions() { return scaledefs; }
//       static constexpr std::size_t initial_size = 10;
//   };
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/theory/intvllist.h"
#include "core/theory/intvllisttbl.h"

namespace zub {

template <typename Family>
class Type_table {
public:
    // The table, filled once with the definitions on first use and never changed.
    static const Intvllisttbl& table() {
        static const Intvllisttbl filled = Intvllisttbl::of_definitions(Family::definitions(), Family::initial_size);
        return filled;
    }
    // A name, or ":" and an explicit list. Throws Not_found for an unknown name,
    // Failure "Invalid interval: ..." for a bad explicit list.
    static Intvllist of_string(std::string_view text) { return table().lookup_type(text); }
    // The name defined last for the list, or ":" and the list when it has none.
    static std::string to_string(const Intvllist& type) { return table().type_name(type); }
    static void pp(std::ostream& out, const Intvllist& type) { out << to_string(type); }
    // As Intvllist::nth. Throws Not_found when the degree is absent.
    static Intvl nth(const Intvllist& type, int degree) { return type.nth(degree); }
    // Every name, in no particular order.
    static std::vector<std::string> all_names() { return table().keys(); }
    // Every name in the order it is defined.
    static std::vector<std::string> names_in_order() {
        std::vector<std::string> names;
        for (const auto& def : Family::definitions()) names.emplace_back(def.name);
        return names;
    }
};

}  // namespace zub
