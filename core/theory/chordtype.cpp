#include "core/theory/chordtype.h"

#include "core/failure.h"
#include "core/theory/chordtype_table.h"

namespace zub::Chordtype {

const Intvllisttbl& table() {
    static const Intvllisttbl filled = [] {
        Intvllisttbl definitions(50);
        for (const Chorddef& def : chorddefs)
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
    return name != nullptr ? *name : ":" + type.to_string();
}

void pp(std::ostream& out, const Intvllist& type) { out << to_string(type); }

Intvl nth(const Intvllist& type, int degree) { return type.nth(degree); }

std::vector<std::string> all_names() { return table().keys(); }

}  // namespace zub::Chordtype
