#include "bridge/plist.h"

#include <array>
#include <iomanip>
#include <sstream>

#include "bridge/bridge_exception.h"

namespace zub {

namespace {

constexpr std::array<std::string_view, 7> kind_names = {"dictionary", "array",   "string", "integer",
                                                        "real",       "boolean", "data"};

[[noreturn]] void wrong_kind(Plist::Kind expected, Plist::Kind found) {
    throw Bridge_exception("Plist", "Expected " + std::string(kind_name(expected)) + ", found " + std::string(kind_name(found)));
}

template <typename T>
int three_way(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

std::string_view kind_name(Plist::Kind kind) { return kind_names.at(static_cast<std::size_t>(kind)); }

Plist Plist::make_dictionary(Dictionary entries) {
    return Plist(Storage(std::in_place_index<0>, std::make_shared<const Dictionary>(std::move(entries))));
}
Plist Plist::make_array(Array elements) {
    return Plist(Storage(std::in_place_index<1>, std::make_shared<const Array>(std::move(elements))));
}
Plist Plist::make_string(std::string utf8) { return Plist(Storage(std::in_place_index<2>, std::move(utf8))); }
Plist Plist::make_integer(std::int64_t value) { return Plist(Storage(std::in_place_index<3>, value)); }
Plist Plist::make_real(double value) { return Plist(Storage(std::in_place_index<4>, value)); }
Plist Plist::make_boolean(bool value) { return Plist(Storage(std::in_place_index<5>, value)); }
Plist Plist::make_data(Data bytes) {
    return Plist(Storage(std::in_place_index<6>, std::make_shared<const Data>(std::move(bytes))));
}

Plist::Kind Plist::kind() const { return static_cast<Kind>(storage_.index()); }

template <Plist::Kind wanted>
const auto& Plist::get() const {
    constexpr auto index = static_cast<std::size_t>(wanted);
    if (storage_.index() != index) wrong_kind(wanted, kind());
    return std::get<index>(storage_);
}

const Plist::Dictionary& Plist::as_dictionary() const { return *get<Kind::dictionary>(); }
const Plist::Array& Plist::as_array() const { return *get<Kind::array>(); }
const std::string& Plist::as_string() const { return get<Kind::string>(); }
std::int64_t Plist::as_integer() const { return get<Kind::integer>(); }
double Plist::as_real() const {
    if (kind() == Kind::integer) return static_cast<double>(as_integer());
    return get<Kind::real>();
}
bool Plist::as_boolean() const { return get<Kind::boolean>(); }
const Plist::Data& Plist::as_data() const { return *get<Kind::data>(); }

const Plist* Plist::find(std::string_view key) const {
    if (kind() != Kind::dictionary) return nullptr;
    const Dictionary& entries = as_dictionary();
    const auto found = entries.find(key);
    return found == entries.end() ? nullptr : &found->second;
}

const Plist& Plist::at(std::string_view key) const {
    const Dictionary& entries = as_dictionary();
    const auto found = entries.find(key);
    if (found == entries.end()) throw Bridge_exception("Plist", "Missing key: " + std::string(key));
    return found->second;
}

namespace {

// Runs a typed read of one entry, naming the key in the message when the kind is wrong.
template <typename Read>
decltype(auto) typed_at(const Plist& dictionary, std::string_view key, Plist::Kind expected, Read read) {
    const Plist& value = dictionary.at(key);
    const bool fits = value.kind() == expected ||
                      (expected == Plist::Kind::real && value.kind() == Plist::Kind::integer);
    if (!fits)
        throw Bridge_exception("Plist", "Wrong type for key " + std::string(key) + ": expected " + std::string(kind_name(expected)) +
                      ", found " + std::string(kind_name(value.kind())));
    return read(value);
}

}  // namespace

std::int64_t Plist::integer_at(std::string_view key) const {
    return typed_at(*this, key, Kind::integer, [](const Plist& v) { return v.as_integer(); });
}
double Plist::real_at(std::string_view key) const {
    return typed_at(*this, key, Kind::real, [](const Plist& v) { return v.as_real(); });
}
const std::string& Plist::string_at(std::string_view key) const {
    return typed_at(*this, key, Kind::string, [](const Plist& v) -> const std::string& { return v.as_string(); });
}
const Plist::Array& Plist::array_at(std::string_view key) const {
    return typed_at(*this, key, Kind::array, [](const Plist& v) -> const Array& { return v.as_array(); });
}
const Plist& Plist::dictionary_at(std::string_view key) const {
    return typed_at(*this, key, Kind::dictionary, [](const Plist& v) -> const Plist& { return v; });
}

Plist Plist::with(std::string_view key, Plist value) const {
    Dictionary entries = as_dictionary();
    entries.insert_or_assign(std::string(key), std::move(value));
    return make_dictionary(std::move(entries));
}

int Plist::compare(const Plist& a, const Plist& b) {
    if (a.kind() != b.kind()) return three_way(a.kind(), b.kind());
    switch (a.kind()) {
    case Kind::dictionary: {
        const Dictionary &x = a.as_dictionary(), &y = b.as_dictionary();
        auto i = x.begin(), j = y.begin();
        for (; i != x.end() && j != y.end(); ++i, ++j) {
            if (int c = three_way(i->first, j->first)) return c;
            if (int c = compare(i->second, j->second)) return c;
        }
        return three_way(x.size(), y.size());
    }
    case Kind::array: {
        const Array &x = a.as_array(), &y = b.as_array();
        for (std::size_t k = 0; k < x.size() && k < y.size(); ++k)
            if (int c = compare(x[k], y[k])) return c;
        return three_way(x.size(), y.size());
    }
    case Kind::string: return three_way(a.as_string(), b.as_string());
    case Kind::integer: return three_way(a.as_integer(), b.as_integer());
    case Kind::real: return three_way(a.as_real(), b.as_real());
    case Kind::boolean: return three_way(a.as_boolean(), b.as_boolean());
    case Kind::data: return three_way(a.as_data(), b.as_data());
    }
    return 0;
}

void pp(std::ostream& out, const Plist& value) {
    switch (value.kind()) {
    case Plist::Kind::dictionary: {
        out << '{';
        const char* separator = "";
        for (const auto& [key, entry] : value.as_dictionary()) {
            out << separator << key << " = ";
            pp(out, entry);
            separator = "; ";
        }
        out << '}';
        return;
    }
    case Plist::Kind::array: {
        out << '(';
        const char* separator = "";
        for (const Plist& element : value.as_array()) {
            out << separator;
            pp(out, element);
            separator = ", ";
        }
        out << ')';
        return;
    }
    case Plist::Kind::string: out << std::quoted(value.as_string()); return;
    case Plist::Kind::integer: out << value.as_integer(); return;
    case Plist::Kind::real: out << value.as_real(); return;
    case Plist::Kind::boolean: out << (value.as_boolean() ? "true" : "false"); return;
    case Plist::Kind::data: {
        std::ostringstream hex;
        hex << '<' << std::hex << std::setfill('0');
        for (std::uint8_t byte : value.as_data()) hex << std::setw(2) << static_cast<int>(byte);
        out << hex.str() << '>';
        return;
    }
    }
}

std::ostream& operator<<(std::ostream& out, const Plist& value) {
    pp(out, value);
    return out;
}

}  // namespace zub
