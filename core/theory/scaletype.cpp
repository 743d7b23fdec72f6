#include "core/theory/scaletype.h"

#include "core/theory/scaletype_table.h"

namespace zub::Scaletype {

const Intvllisttbl& table() {
    static const Intvllisttbl filled = Intvllisttbl::of_definitions(scaledefs, 10);
    return filled;
}

Intvllist of_string(std::string_view text) { return table().lookup_type(text); }

std::string to_string(const Intvllist& type) { return table().type_name(type); }

void pp(std::ostream& out, const Intvllist& type) { out << to_string(type); }

Intvl nth(const Intvllist& type, int degree) { return type.nth(degree); }

std::vector<std::string> all_names() { return table().keys(); }

std::vector<std::string> names_in_order() {
    std::vector<std::string> names;
    for (const Scaledef& def : scaledefs) names.emplace_back(def.name);
    return names;
}

}  // namespace zub::Scaletype
