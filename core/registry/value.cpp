#include "core/registry/value.h"

#include <limits>
#include <string>

#include "core/failure.h"

namespace zub {

Value Value::constructor(long tag, std::vector<Value> fields) {
    Value value(Kind::Constructor, std::move(fields));
    value.tag_ = tag;
    return value;
}

namespace {

template <typename T>
const T& payload(const Value::Kind actual, Value::Kind wanted, const T* held, const char* message) {
    if (actual != wanted || held == nullptr) throw Invalid_argument(message);
    return *held;
}

}  // namespace

long Value::as_int() const { return payload(kind_, Kind::Int, std::get_if<long>(&payload_), "Not an integer"); }
bool Value::as_bool() const { return payload(kind_, Kind::Bool, std::get_if<bool>(&payload_), "Not a boolean"); }
signed char Value::as_char() const {
    return payload(kind_, Kind::Char, std::get_if<signed char>(&payload_), "Not a character");
}
double Value::as_float() const { return payload(kind_, Kind::Float, std::get_if<double>(&payload_), "Not a float"); }
const std::string& Value::as_string() const {
    return payload(kind_, Kind::String, std::get_if<std::string>(&payload_), "Not a string");
}
const std::vector<Value>& Value::as_list() const {
    return payload(kind_, Kind::List, std::get_if<std::vector<Value>>(&payload_), "Not a list");
}
const std::vector<Value>& Value::as_array() const {
    return payload(kind_, Kind::Array, std::get_if<std::vector<Value>>(&payload_), "Not an array");
}
const std::vector<double>& Value::as_float_array() const {
    return payload(kind_, Kind::Float_array, std::get_if<std::vector<double>>(&payload_), "Not a float array");
}
const std::vector<Value>& Value::fields() const {
    return payload(kind_, Kind::Tuple, std::get_if<std::vector<Value>>(&payload_), "Not a tuple");
}
const Value& Value::field(std::size_t position) const {
    const auto& all = fields();
    if (position >= all.size()) throw Invalid_argument("Not a tuple");
    return all[position];
}
long Value::constant_index() const {
    return payload(kind_, Kind::Constant, std::get_if<long>(&payload_), "Not an immediate integer");
}
long Value::constructor_tag() const {
    if (kind_ != Kind::Constructor) throw Invalid_argument("Not a non-constant constructor");
    return tag_;
}
const Value& Value::constructor_field(std::size_t position) const {
    const auto& all =
        payload(kind_, Kind::Constructor, std::get_if<std::vector<Value>>(&payload_), "Not a non-constant constructor");
    if (position >= all.size()) throw Invalid_argument("Not a non-constant constructor");
    return all[position];
}

namespace Values {

Value of_strings(const std::vector<std::string>& strings) {
    std::vector<Value> items;
    items.reserve(strings.size());
    for (const auto& s : strings) items.push_back(Value::of_string(s));
    return Value::of_list(std::move(items));
}

std::vector<std::string> strings_of(const Value& list) {
    std::vector<std::string> strings;
    for (const auto& item : list.as_list()) strings.push_back(item.as_string());
    return strings;
}

int int_of(const Value& value) {
    const long number = value.as_int();
    if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        throw Invalid_argument("Integer out of range: " + std::to_string(number));
    return static_cast<int>(number);
}

const std::vector<Value>& tuple_of(const Value& value, std::size_t count) {
    const auto& all = value.fields();
    if (all.size() != count) throw Invalid_argument("Not a tuple");
    return all;
}

}  // namespace Values
}  // namespace zub
