// Inside the bridge only: this header names core types, which code above the bridge cannot include.
// Conversions between the editor's values (UTF-8 strings, property lists)
// and core values. Each failing conversion throws a Bridge_exception named
// after the conversion: ("CoreStringFromNSString", "Cannot convert to Latin 1"),
// ("NSStringFromCoreString", "Not a string"), ("LongFromCoreInt", "Not an immediate integer").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bridge/plist.h"
#include "core/registry/value.h"

namespace zub {

Value CoreStringFromNSString(const std::string& utf8);
Value CoreStringFromNSData(const Plist::Data& data);
// Decoded as ISO Latin 1 up to the first zero byte.
std::string NSStringFromCoreString(const Value& value);
// Every byte, zeros included.
Plist::Data NSDataFromCoreString(const Value& value);
std::int64_t LongFromCoreInt(const Value& value);
bool BoolFromCoreBool(const Value& value);
const Value& CoreTupleField(const Value& tuple, std::size_t position);
const std::vector<Value>& CoreListElements(const Value& list, const char* conversion);
const std::vector<Value>& CoreArrayElements(const Value& array, const char* conversion);
bool IsConstantConstructor(const Value& value);
long ConstantConstructorValue(const Value& value);
bool IsNonConstantConstructor(const Value& value);
long NonConstantConstructorTag(const Value& value);
const Value& NonConstantConstructorField(const Value& value, std::size_t position);

}  // namespace zub
