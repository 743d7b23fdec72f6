// The bridge's own exception, and the only one its functions throw: a name
// (the operation or conversion that failed, "convertBar", "callWithParam:")
// and a readable reason ("Not a list node"). Failures of the core reach
// callers as this type too, with the core's message as the reason, so the
// apps catch one type and show the reason; tests check both.
#pragma once

#include <stdexcept>
#include <string>

namespace zub {

class Bridge_exception : public std::runtime_error {
public:
    // what() is the reason alone: it is the text users see.
    Bridge_exception(std::string name, std::string reason)
        : std::runtime_error(reason), name_(std::move(name)), reason_(std::move(reason)) {}
    const std::string& name() const { return name_; }
    const std::string& reason() const { return reason_; }

private:
    std::string name_;
    std::string reason_;
};

}  // namespace zub
