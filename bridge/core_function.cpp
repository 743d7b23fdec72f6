#include "bridge/internal/core_function.h"

#include <map>

#include "bridge/bridge_exception.h"
#include "bridge/internal/reaching_core.h"
#include "bridge/latin1.h"
#include "core/failure.h"

namespace zub {

std::unique_ptr<CoreFunction> CoreFunction::initWithName(const std::string& name) {
    // idempotent: a caller that forgot cannot meet an empty registry
    reaching_core("initWithName:", [] { start_core(); });
    auto latin1 = utf8_to_latin1(name);
    const Core_function* f = latin1 ? Registry::find(*latin1) : nullptr;
    if (f == nullptr) return nullptr;
    return std::unique_ptr<CoreFunction>(new CoreFunction(*f, name));
}

const CoreFunction& CoreFunction::shared(const std::string& name) {
    static std::map<std::string, std::unique_ptr<CoreFunction>, std::less<>> made;
    auto found = made.find(name);
    if (found == made.end()) {
        auto function = initWithName(name);
        if (!function) throw Bridge_exception("initWithName:", "No core function " + name);
        found = made.emplace(name, std::move(function)).first;
    }
    return *found->second;
}

Value CoreFunction::call(const char* operation, std::span<const Value> params) const {
    try {
        return f_.call(params);
    } catch (const Failure& failure) {
        throw Bridge_exception(operation, "Core exception in function " + functionName_ + " - " + failure.what());
    } catch (const std::exception&) {
        throw Bridge_exception(operation, "Generic Core exception in function " + functionName_);
    }
}

Value CoreFunction::callWithParam(const Value& param) const { return call("callWithParam:", {&param, 1}); }

Value CoreFunction::callWithParam1(const Value& param1, const Value& param2) const {
    const Value params[] = {param1, param2};
    return call("callWithParam1:param2:", params);
}

void CoreFunction::garbageCollection() {
    try {
        shared("Gc.compact").callWithParam(Value::unit());
    } catch (const Bridge_exception&) {
        throw Bridge_exception("garbageCollection", "GC failed");
    }
}

}  // namespace zub
