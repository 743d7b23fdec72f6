#include "core/theory/scaletype.h"

#include "core/theory/scaletype_table.h"

namespace zub::Scaletype {

const Intvllisttbl& table() {
    static const Intvllisttbl filled = [] {
        Intvllisttbl definitions(10);
        for (const Scaledef& def : scaledefs)
            definitions.define(std::string(def.name), Intvllist::of_string(def.intervals));
        return definitions;
    }();
    return filled;
}

Intvllist of_string(std::string_view text) {
    if (!text.empty() && text[0] == ':') return Intvllist::of_string(text.substr(1));
    return table().lookup(text);
}

std::string to_string(const Intvllist& type) {
    const std::string* name = table().find_name(type);
    if (name != nullptr) return *name;
    std::string text = ":";
    return text += type.to_string();
}

void pp(std::ostream& out, const Intvllist& type) { out << to_string(type); }

Intvl nth(const Intvllist& type, int degree) { return type.nth(degree); }

std::vector<std::string> all_names() { return table().keys(); }

std::vector<std::string> names_in_order() {
    std::vector<std::string> names;
    for (const Scaledef& def : scaledefs) names.emplace_back(def.name);
    return names;
}

}  // namespace zub::Scaletype
