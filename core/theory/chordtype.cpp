#include "core/theory/chordtype.h"

#include "core/failure.h"
#include "core/theory/chordtype_table.h"

namespace zub::Chordtype {

const Intvllisttbl& table() {
    static const Intvllisttbl filled = Intvllisttbl::of_definitions(chorddefs, 50);
    return filled;
}

Intvllist of_string(std::string_view text) { return table().lookup_type(text); }

std::string to_string(const Intvllist& type) { return table().type_name(type); }

void pp(std::ostream& out, const Intvllist& type) { out << to_string(type); }

Intvl nth(const Intvllist& type, int degree) { return type.nth(degree); }

std::vector<std::string> all_names() { return table().keys(); }

}  // namespace zub::Chordtype
