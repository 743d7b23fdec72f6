#include "core/registry/registry.h"

#include <memory>
#include <set>

#include "core/failure.h"

namespace zub {

Value Core_function::call(std::span<const Value> arguments) const {
    if (arguments.size() != arity_)
        throw Invalid_argument(name_ + " takes " + std::to_string(arity_) + (arity_ == 1 ? " argument" : " arguments"));
    return body_(arguments);
}

namespace Registry {

namespace {

std::map<std::string, std::unique_ptr<Core_function>, std::less<>>& functions() {
    static std::map<std::string, std::unique_ptr<Core_function>, std::less<>> table;
    return table;
}

std::set<std::string, std::less<>>& errors() {
    static std::set<std::string, std::less<>> known;
    return known;
}

}  // namespace

void register_function(const std::string& name, std::size_t arity, Core_function::Body body) {
    auto [slot, added] = functions().try_emplace(name);
    if (!added) throw Invalid_argument("Already registered: " + name);
    slot->second = std::make_unique<Core_function>(name, arity, std::move(body));
}

const Core_function* find(std::string_view name) {
    auto found = functions().find(name);
    return found == functions().end() ? nullptr : found->second.get();
}

void register_error(const std::string& name) { errors().insert(name); }

bool is_error(std::string_view name) { return errors().contains(name); }

}  // namespace Registry
}  // namespace zub
