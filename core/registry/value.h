// The dynamic values that cross the boundary between the core and its
// callers: what a named entry point takes and returns. Records cross as
// tuples of their fields in declaration order; variants as constant
// constructors (an index) or non-constant constructors (a tag and fields),
// both counted from 0 in declaration order. The unit value is the constant 0.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zub {

class Value {
public:
    enum class Kind { Int, Bool, Char, Float, String, List, Array, Float_array, Tuple, Constant, Constructor };

    static Value of_int(long value) { return Value(Kind::Int, value); }
    static Value of_bool(bool value) { return Value(Kind::Bool, value); }
    static Value of_char(signed char value) { return Value(Kind::Char, value); }
    static Value of_float(double value) { return Value(Kind::Float, value); }
    // A byte string: any bytes, zeros included.
    static Value of_string(std::string bytes) { return Value(Kind::String, std::move(bytes)); }
    static Value of_list(std::vector<Value> items) { return Value(Kind::List, std::move(items)); }
    static Value of_array(std::vector<Value> items) { return Value(Kind::Array, std::move(items)); }
    static Value of_float_array(std::vector<double> items) { return Value(Kind::Float_array, std::move(items)); }
    static Value of_tuple(std::vector<Value> fields) { return Value(Kind::Tuple, std::move(fields)); }
    static Value constant(long index) { return Value(Kind::Constant, index); }
    static Value constructor(long tag, std::vector<Value> fields);
    static Value unit() { return constant(0); }

    Kind kind() const { return kind_; }
    bool is(Kind kind) const { return kind_ == kind; }

    // Each accessor throws Invalid_argument naming what it expected ("Not an
    // integer", "Not a tuple", ...) when the value is of another kind.
    long as_int() const;
    bool as_bool() const;
    signed char as_char() const;
    double as_float() const;
    const std::string& as_string() const;
    const std::vector<Value>& as_list() const;
    const std::vector<Value>& as_array() const;
    const std::vector<double>& as_float_array() const;
    // The field at position (from 0); "Not a tuple" also for a position outside it.
    const Value& field(std::size_t position) const;
    const std::vector<Value>& fields() const;  // of a tuple
    long constant_index() const;
    long constructor_tag() const;
    // "Not a non-constant constructor" also for a position outside it.
    const Value& constructor_field(std::size_t position) const;

    bool operator==(const Value&) const = default;

private:
    using Payload = std::variant<long, bool, signed char, double, std::string, std::vector<Value>, std::vector<double>>;
    template <typename T>
    Value(Kind kind, T payload) : kind_(kind), payload_(std::move(payload)) {}
    Kind kind_;
    long tag_ = 0;
    Payload payload_;
};

// The value forms of the common core types.
namespace Values {
Value of_strings(const std::vector<std::string>& strings);  // a list of strings
std::vector<std::string> strings_of(const Value& list);
// An integer that fits the int counts of the core's records:
// int_of(of_int(120)) == 120; Invalid_argument "Integer out of range: 4294967296"
// for a larger one (it would wrap), "Not an integer" for another kind.
int int_of(const Value& value);
// A tuple of exactly count fields; Invalid_argument "Not a tuple" otherwise.
const std::vector<Value>& tuple_of(const Value& value, std::size_t count);
}  // namespace Values

}  // namespace zub
