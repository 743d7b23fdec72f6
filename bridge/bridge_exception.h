// The bridge's own exception: a name (the operation or conversion that failed,
// "convertBar", "callWithParam:") and a readable reason ("Not a list node").
// The apps show the reason; tests check both.
#pragma once

#include <stdexcept>
#include <string>

namespace zub {

class Bridge_exception : public std::runtime_error {
public:
    Bridge_exception(std::string name, std::string reason)
        : std::runtime_error(name + ": " + reason), name_(std::move(name)), reason_(std::move(reason)) {}
    const std::string& name() const { return name_; }
    const std::string& reason() const { return reason_; }

private:
    std::string name_;
    std::string reason_;
};

}  // namespace zub
