// A property-list value: the editor's form of every chart, bar and constant.
// One of dictionary, array, string (UTF-8), integer, real, boolean or data.
// Values are immutable; a changed chart is a new value built from the old one.
// Typed accessors check the kind and throw Bridge_exception ("Plist") with a reason that
// names the key, so a damaged document gives a clear error and never a crash.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zub {

class Plist {
public:
    enum class Kind { dictionary, array, string, integer, real, boolean, data };
    using Dictionary = std::map<std::string, Plist, std::less<>>;
    using Array = std::vector<Plist>;
    using Data = std::vector<std::uint8_t>;

    // make_string("Cm7"), make_integer(120), make_dictionary({{"Tempo", make_integer(120)}}).
    static Plist make_dictionary(Dictionary entries);
    static Plist make_array(Array elements);
    static Plist make_string(std::string utf8);
    static Plist make_integer(std::int64_t value);
    static Plist make_real(double value);
    static Plist make_boolean(bool value);
    static Plist make_data(Data bytes);

    Kind kind() const;

    // Each throws "Expected integer, found string" (and so on) for another kind.
    const Dictionary& as_dictionary() const;
    const Array& as_array() const;
    const std::string& as_string() const;
    std::int64_t as_integer() const;
    // A real, or an integer read as a real: property lists do not keep 12 and 12.0 apart.
    double as_real() const;
    bool as_boolean() const;
    const Data& as_data() const;

    // Dictionary lookups: at("Tempo") -> the value; "Missing key: Tempo" when absent,
    // "Expected dictionary, found array" when this is no dictionary.
    const Plist& at(std::string_view key) const;
    // nullptr when absent (or when this is no dictionary).
    const Plist* find(std::string_view key) const;
    // Typed lookups: integer_at("Tempo"); "Missing key: Tempo", or
    // "Wrong type for key Tempo: expected integer, found string".
    std::int64_t integer_at(std::string_view key) const;
    double real_at(std::string_view key) const;
    const std::string& string_at(std::string_view key) const;
    const Array& array_at(std::string_view key) const;
    const Plist& dictionary_at(std::string_view key) const;

    // A copy of this dictionary with key set to value (added or replaced).
    Plist with(std::string_view key, Plist value) const;

    static int compare(const Plist& a, const Plist& b);
    bool operator==(const Plist& other) const { return compare(*this, other) == 0; }

private:
    // Containers sit behind shared pointers so copies of big charts stay cheap.
    using Storage = std::variant<std::shared_ptr<const Dictionary>, std::shared_ptr<const Array>, std::string,
                                 std::int64_t, double, bool, std::shared_ptr<const Data>>;
    explicit Plist(Storage storage) : storage_(std::move(storage)) {}
    template <Kind kind>
    const auto& get() const;
    Storage storage_;
};

// "dictionary", "array", "string", "integer", "real", "boolean", "data".
std::string_view kind_name(Plist::Kind kind);

// Debug printing in a compact one-line form: {Tempo = 120; Chords = ("C", "")}.
void pp(std::ostream& out, const Plist& value);
std::ostream& operator<<(std::ostream& out, const Plist& value);

}  // namespace zub
