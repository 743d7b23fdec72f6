// The core's named entry points: callers never call a core function
// directly, they look it up here by its fixed name ("Kelreader.read_chart")
// and call it with core values. Every module registers its names once when
// the core starts (start_core); nothing is registered or removed afterwards.
#pragma once

#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>

#include "core/registry/value.h"

namespace zub {

class Core_function {
public:
    using Body = std::function<Value(std::span<const Value>)>;

    Core_function(std::string name, std::size_t arity, Body body)
        : name_(std::move(name)), arity_(arity), body_(std::move(body)) {}

    const std::string& name() const { return name_; }
    std::size_t arity() const { return arity_; }
    // Runs the function; core failures pass through as thrown.
    // Invalid_argument "NAME takes 2 arguments" for a wrong count.
    Value call(std::span<const Value> arguments) const;

private:
    std::string name_;
    std::size_t arity_;
    Body body_;
};

namespace Registry {

// Registers body under name, replacing nothing: Invalid_argument
// "Already registered: NAME" for a second registration.
void register_function(const std::string& name, std::size_t arity, Core_function::Body body);
// The function registered under name, or nullptr.
const Core_function* find(std::string_view name);
// Error kinds known by name ("Failure"), so callers can tell a failure with a
// message from any other error.
void register_error(const std::string& name);
bool is_error(std::string_view name);

}  // namespace Registry

// Runs every module's registration, once; later calls do nothing.
void start_core();

}  // namespace zub
