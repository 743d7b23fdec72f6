#include "core/theory/intvllisttbl.h"

#include "core/failure.h"

namespace zub {

Intvllisttbl::Intvllisttbl(std::size_t initial_size) : forward_(initial_size), reverse_(initial_size) {}

void Intvllisttbl::define(const std::string& name, const Intvllist& list) {
    forward_.insert_or_assign(name, list);
    reverse_.insert_or_assign(list, name);
}

const Intvllist& Intvllisttbl::lookup(std::string_view name) const {
    const auto found = forward_.find(std::string(name));
    if (found == forward_.end()) throw Not_found();
    return found->second;
}

const std::string& Intvllisttbl::revlookup(const Intvllist& list) const {
    const std::string* name = find_name(list);
    if (name == nullptr) throw Not_found();
    return *name;
}

const std::string* Intvllisttbl::find_name(const Intvllist& list) const {
    const auto found = reverse_.find(list);
    return found == reverse_.end() ? nullptr : &found->second;
}

std::vector<std::string> Intvllisttbl::keys() const {
    std::vector<std::string> names;
    names.reserve(forward_.size());
    for (const auto& entry : forward_) names.push_back(entry.first);
    return names;
}

Intvllist Intvllisttbl::lookup_type(std::string_view text) const {
    if (!text.empty() && text[0] == ':') return Intvllist::of_string(text.substr(1));
    return lookup(text);
}

std::string Intvllisttbl::type_name(const Intvllist& list) const {
    const std::string* name = find_name(list);
    return name != nullptr ? *name : ":" + list.to_string();
}

}  // namespace zub
