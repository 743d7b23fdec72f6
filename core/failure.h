// The core's three failure kinds. Every core operation that cannot produce a
// value throws one of these; no core code prints or returns error flags.
#pragma once

#include <stdexcept>
#include <string>

namespace zub {

// The usual failure: a fixed text followed by the offending input,
// for example "Invalid chord: Hmaj".
class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message) : std::runtime_error(message) {}
};

// A table lookup that found nothing. Carries no message: callers catch it
// and substitute a default or a message of their own.
class Not_found : public std::exception {
public:
    const char* what() const noexcept override { return "Not_found"; }
};

// An argument outside the domain of an operation, with a message.
class Invalid_argument : public std::invalid_argument {
public:
    explicit Invalid_argument(const std::string& message) : std::invalid_argument(message) {}
};

}  // namespace zub
