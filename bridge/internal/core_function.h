// Inside the bridge only: this header names core types, which code above the bridge cannot include.
// Calling the core by name. A CoreFunction wraps the entry point registered
// under a fixed name; a core failure comes back as a Bridge_exception whose
// reason names the entry point: "Core exception in function
// Kelreader.read_chart - Invalid input line: x".
#pragma once

#include <memory>
#include <string>

#include "core/registry/registry.h"

namespace zub {

class CoreFunction {
public:
    // The entry point registered under name (looked up in ISO Latin 1), or
    // nullptr when the core registered no such name.
    static std::unique_ptr<CoreFunction> initWithName(const std::string& name);

    // Bridge_exception "callWithParam:" (or "callWithParam1:param2:") when the
    // function fails: the reason is "Core exception in function NAME - MESSAGE"
    // for a core failure with a message, "Generic Core exception in function
    // NAME" for any other error.
    Value callWithParam(const Value& param) const;
    Value callWithParam1(const Value& param1, const Value& param2) const;

    // The wrappers' CoreFunction for name, made on first use and kept for the
    // program's life; Bridge_exception "initWithName:" for a name the core lacks.
    static const CoreFunction& shared(const std::string& name);

    // Calls "Gc.compact"; Bridge_exception "garbageCollection", "GC failed" when it fails.
    static void garbageCollection();

    const std::string& functionName() const { return functionName_; }

private:
    CoreFunction(const Core_function& f, std::string name) : f_(f), functionName_(std::move(name)) {}
    Value call(const char* operation, std::span<const Value> params) const;
    const Core_function& f_;
    std::string functionName_;
};

}  // namespace zub
