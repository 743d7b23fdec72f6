#include "bridge/internal/core_values.h"

#include "bridge/bridge_exception.h"
#include "bridge/latin1.h"
#include "core/failure.h"

namespace zub {

namespace {

// Runs a core accessor, reporting a wrong kind as the conversion's own failure.
template <typename Access>
decltype(auto) converting(const char* conversion, const char* reason, Access access) {
    try {
        return access();
    } catch (const Invalid_argument&) {
        throw Bridge_exception(conversion, reason);
    }
}

}  // namespace

Value CoreStringFromNSString(const std::string& utf8) {
    auto latin1 = utf8_to_latin1(utf8);
    if (!latin1) throw Bridge_exception("CoreStringFromNSString", "Cannot convert to Latin 1");
    return Value::of_string(std::move(*latin1));
}

Value CoreStringFromNSData(const Plist::Data& data) { return Value::of_string(std::string(data.begin(), data.end())); }

std::string NSStringFromCoreString(const Value& value) {
    const std::string& bytes =
        converting("NSStringFromCoreString", "Not a string", [&]() -> const std::string& { return value.as_string(); });
    return latin1_to_utf8(std::string_view(bytes).substr(0, bytes.find('\0')));
}

Plist::Data NSDataFromCoreString(const Value& value) {
    const std::string& bytes =
        converting("NSDataFromCoreString", "Not a string", [&]() -> const std::string& { return value.as_string(); });
    return Plist::Data(bytes.begin(), bytes.end());
}

std::int64_t LongFromCoreInt(const Value& value) {
    return converting("LongFromCoreInt", "Not an immediate integer", [&] { return value.as_int(); });
}

bool BoolFromCoreBool(const Value& value) {
    return converting("BoolFromCoreBool", "Not an immediate integer", [&] { return value.as_bool(); });
}

const Value& CoreTupleField(const Value& tuple, std::size_t position) {
    return converting("CoreTupleField", "Not a tuple", [&]() -> const Value& { return tuple.field(position); });
}

const std::vector<Value>& CoreListElements(const Value& list, const char* conversion) {
    return converting(conversion, "Not a list node", [&]() -> const std::vector<Value>& { return list.as_list(); });
}

const std::vector<Value>& CoreArrayElements(const Value& array, const char* conversion) {
    return converting(conversion, "Not an array", [&]() -> const std::vector<Value>& { return array.as_array(); });
}

bool IsConstantConstructor(const Value& value) { return value.is(Value::Kind::Constant); }

long ConstantConstructorValue(const Value& value) {
    return converting("ConstantConstructorValue", "Not an immediate integer", [&] { return value.constant_index(); });
}

bool IsNonConstantConstructor(const Value& value) { return value.is(Value::Kind::Constructor); }

long NonConstantConstructorTag(const Value& value) {
    return converting("NonConstantConstructorTag", "Not a non-constant constructor",
                      [&] { return value.constructor_tag(); });
}

const Value& NonConstantConstructorField(const Value& value, std::size_t position) {
    return converting("NonConstantConstructorField", "Not a non-constant constructor",
                      [&]() -> const Value& { return value.constructor_field(position); });
}

}  // namespace zub
