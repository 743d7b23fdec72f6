// Key-center segmentation: the analysis elements of a chart are divided into
// consecutive segments, each heard in one of 24 candidate keys. Every element
// is classified by its function in every key; a run of elements costs the sum
// of its element costs in a key where it starts or contains a tonic, is fully
// explained and does not end on a dominant; zones of secondary keys (the
// relative minor, the subdominant, keys borrowed from the parallel minor) may
// not be cut the wrong way; the cheapest partition, with a charge per extra
// segment, wins. Ties keep the earliest candidate: earlier starts, major keys
// before minor keys, keys in their listed order.
//
// The run costs are answered from per-element data (prefix sums of element
// costs, the last unexplained and the last tonic element of every key, zone
// labels), so memory stays linear in the number of elements and the partition
// is quadratic in time.
#pragma once

#include <gmpxx.h>

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/analysis/segment_table.h"
#include "core/analysis/structana.h"

namespace zub::Segment {

// The 24 candidate keys are numbered: 0..11 the major keys Gb..B, 12..23 the minor keys Eb..G#.
inline constexpr int key_count = 24;
// "C" for 6, "Am" for 18; Invalid_argument "Invalid key: 24" out of range.
std::string key_name(int key);

// A classification rule with its roman chords parsed.
struct Class_rule {
    std::vector<Romanchord> chords;
    std::string kind;  // when not empty, the rule tests the kind alone
    int cls;
};
const std::vector<Class_rule>& major_rules();
const std::vector<Class_rule>& minor_rules();

// cost(0) = -6.0 ... cost(9) = 0.0, cost(10) = +infinity; Invalid_argument "Invalid class: 7"
// for a number that is not a class.
double cost(int cls);
// Classes 2, 3, 4, 5: dominant-type chords, which may not end a segment.
bool is_dominant_class(int cls);

// The element's last chord against the tonic: ae_romanize(Twofive(Dm7 G7), C) = V7;
// fails as Structana::romanize does.
Romanchord ae_romanize(const Ae& element, const Note& tonic);
// The class of an element in a key: ae_classify(C, "", major_rules(), F#7) = 10. Never fails:
// a chord that cannot be romanized is class 10; a Turnaround is 9 when it names the key.
int ae_classify(const Note& tonic, std::string_view suffix, const std::vector<Class_rule>& rules, const Ae& element);
std::vector<int> aea_classify_by_key(const std::vector<Class_rule>& rules, const std::vector<Ae>& elements,
                                     const Note& tonic, std::string_view suffix);
// Class arrays of every major key by key name, and of every minor key by tonic name ("A", not "Am").
using Class_map = std::map<std::string, std::vector<int>>;
Class_map gen_clsm(const std::vector<Ae>& elements);
Class_map m_gen_clsm(const std::vector<Ae>& elements);

// Duration of an element, the sum over a group's chords: ae_dur(Twofive(Dm7@0:2 G7@2:2)) = 4.
mpq_class ae_dur(const Ae& element);
std::vector<mpq_class> gen_dur(const std::vector<Ae>& elements);

// A secondary-key rule with its roman key parsed.
struct Secondary_rule {
    Intvl interval;
    bool minor;
    Zone_relation relation;
    std::vector<int> zone_classes;
    Zone_test test;
};
const std::vector<Secondary_rule>& major_secondary_rules();
const std::vector<Secondary_rule>& minor_secondary_rules();
// romankey_to_intvl_and_is_minor("bIII") = (b3, false), ("VIm") = (6, true); "Invalid romankey: x".
std::pair<Intvl, bool> romankey_to_intvl_and_is_minor(std::string_view romankey);

// The name in the key list whose tonic has the pitch class of the key raised by
// the interval: key_add_intvl_keyname("C", b3, major_key_names) = "Eb",
// ("A", 4, minor_key_tonics) = "D"; "Invalid note: x" for a bad key name.
std::string key_add_intvl_keyname(std::string_view key, const Intvl& interval,
                                  const std::array<std::string_view, 12>& keys);
// The class array of the secondary key, from the minor map when minor is set.
const std::vector<int>& key_intvl_is_minor_to_cls(std::string_view key, const Intvl& interval, bool minor,
                                                  const Class_map& majors, const Class_map& minors);

// Whether the run start..end (inclusive; empty when end < start) is a zone by the test.
bool zone_holds(Zone_test test, const std::vector<int>& c2, const std::vector<mpq_class>& durations,
                std::ptrdiff_t start, std::ptrdiff_t end);
// Zone labels, one per element: odd numbers label zones of the secondary key
// (classes c2), even numbers the gaps. Invalid_argument "Arrays of different lengths"
// unless c2, c and durations have one entry per element.
std::vector<int> gen_z(const std::vector<int>& c2, const std::vector<int>& c, const std::vector<mpq_class>& durations,
                       const std::vector<int>& zone_classes, Zone_test test);
// Whether a run from element i to element j respects the zones labelled z.
bool zone_relation_holds(Zone_relation relation, const std::vector<int>& z, std::size_t i, std::size_t j);

// The key of an element that no key explains: its turnaround's first key, or
// its last chord's root with "m" for a minor kind: Am for Am7b5, D for D7.
// Failure "hd" for a turnaround without keys.
std::string singletonkey(const Ae& element);

// The charge per segment after the first, and the cost of a lone element no key explains.
inline constexpr double segment_charge = 1000.0;
inline constexpr double unexplained_cost = 1000000.0;

// One entry of the run cost table: the best cost of a run and the key giving
// it, key_none when no key allows the run, key_lone for a lone element that no
// key explains.
struct Run_cost {
    double cost;
    int key;
};
inline constexpr int key_none = -1;
inline constexpr int key_lone = -2;

// The run cost table C of the elements, answered one column at a time.
class Run_costs {
public:
    explicit Run_costs(const std::vector<Ae>& elements);

    std::size_t size() const { return size_; }
    // C(i, j) for every i = 0..j into column (resized to j + 1);
    // Invalid_argument "Invalid run end: 5" when j is not an element.
    void column(std::size_t j, std::vector<Run_cost>& out) const;
    // The key name of an entry: "C", "Am", a lone element's own key, or "" for key_none.
    std::string name_of(const Run_cost& entry, std::size_t i) const;

private:
    // What a key knows of every element, enough to answer any run in constant time.
    struct Key_runs {
        std::vector<signed char> cls;
        std::vector<long long> cost_before;         // sum of finite element costs before each element
        std::vector<std::ptrdiff_t> last_unexplained;  // last class-10 element up to each, or -1
        std::vector<std::ptrdiff_t> last_home;         // last class-0 or class-9 element up to each, or -1
        std::vector<std::pair<Zone_relation, std::vector<int>>> zones;
        bool allows(std::size_t i, std::size_t j) const;
    };
    std::size_t size_;
    std::vector<Key_runs> keys_;
    std::vector<std::string> singleton_keys_;  // for elements no key explains alone, else empty
};

// back[j]: where the last segment of the best partition of elements 0..j starts, and its key.
struct Back_pointer {
    std::size_t start;
    std::string key;
};
std::vector<Back_pointer> optpart(const Run_costs& costs);

// The segments (key name, elements) in chart order; Invalid_argument "Invalid back pointer"
// when the pointers do not fit the elements.
struct Key_segment {
    std::string key;
    std::vector<Ae> elements;
};
std::vector<Key_segment> buildpart(const std::vector<Back_pointer>& back, const std::vector<Ae>& elements);

// The best partition: partition(structana of Dm7 G7 C) = {("C", all three)}.
std::vector<Key_segment> partition(const std::vector<Ae>& elements);

}  // namespace zub::Segment
