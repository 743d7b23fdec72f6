// A two-way table between names and interval lists, the base of the chord-type
// and scale-type tables. When two names are defined with the same list, both
// names look up that list and the list prints under the later name.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/theory/intvllist.h"

namespace zub {

class Intvllisttbl {
public:
    explicit Intvllisttbl(std::size_t initial_size = 16);

    // Replaces the forward entry of name and the reverse entry of list.
    void define(const std::string& name, const Intvllist& list);
    // lookup("m7") -> b3.5.b7; Throws Not_found for an unknown name.
    const Intvllist& lookup(std::string_view name) const;
    // revlookup(3.#5.b7) -> "7+"; Throws Not_found for a list without name.
    const std::string& revlookup(const Intvllist& list) const;
    // As revlookup, but nullptr for a list without name.
    const std::string* find_name(const Intvllist& list) const;
    // Every name once, in no particular order.
    std::vector<std::string> keys() const;

    // A type text: a name, or ":" and an explicit list. lookup_type(":3.5.b7") -> 3.5.b7,
    // lookup_type("m7") as lookup; the Intvllist::of_string failures for a bad list.
    Intvllist lookup_type(std::string_view text) const;
    // The list's name, or ":" and the list when it has none.
    std::string type_name(const Intvllist& list) const;

    // A table of definitions {name, interval-list text}, defined in the order given.
    template <typename Definitions>
    static Intvllisttbl of_definitions(const Definitions& definitions, std::size_t initial_size) {
        Intvllisttbl table(initial_size);
        for (const auto& def : definitions) table.define(std::string(def.name), Intvllist::of_string(def.intervals));
        return table;
    }

private:
    std::unordered_map<std::string, Intvllist> forward_;
    std::unordered_map<Intvllist, std::string> reverse_;
};

}  // namespace zub
