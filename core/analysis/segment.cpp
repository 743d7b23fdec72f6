#include "core/analysis/segment.h"

#include <algorithm>
#include <limits>

#include "core/failure.h"
#include "core/theory/key.h"

namespace zub::Segment {

using Tag = Ae::Tag;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

std::vector<Class_rule> parse_rules(const std::vector<Class_ruledef>& defs) {
    std::vector<Class_rule> rules;
    for (const Class_ruledef& def : defs) {
        Class_rule rule{{}, std::string(def.kind), def.cls};
        for (std::string_view chord : def.chords) rule.chords.push_back(Romanchord::of_string(chord));
        rules.push_back(std::move(rule));
    }
    return rules;
}

std::vector<Secondary_rule> parse_secondary_rules(const std::vector<Secondary_ruledef>& defs) {
    std::vector<Secondary_rule> rules;
    for (const Secondary_ruledef& def : defs) {
        const auto [interval, minor] = romankey_to_intvl_and_is_minor(def.romankey);
        rules.push_back({interval, minor, def.relation, def.zone_classes, def.test});
    }
    return rules;
}

bool rule_matches(const Class_rule& rule, const Romanchord& chord) {
    if (!rule.kind.empty()) return chord.kind() == rule.kind;
    return std::find(rule.chords.begin(), rule.chords.end(), chord) != rule.chords.end();
}

bool is_minor_key(int key) { return key >= 12; }

Note key_tonic(int key) {
    return Note::of_string(is_minor_key(key) ? minor_key_tonics[static_cast<std::size_t>(key - 12)]
                                             : major_key_names[static_cast<std::size_t>(key)]);
}

// The key of the given mode whose tonic has the pitch class.
int key_of_pitch_class(int semi, bool minor) {
    for (int k = 0; k < 12; ++k) {
        const int key = minor ? 12 + k : k;
        if (key_tonic(key).semi() == semi) return key;
    }
    throw Not_found();
}

std::vector<int> classes_in_key(const std::vector<Ae>& elements, int key) {
    return aea_classify_by_key(is_minor_key(key) ? minor_rules() : major_rules(), elements, key_tonic(key),
                               is_minor_key(key) ? "m" : "");
}

bool is_minor_kind(std::string_view kind) {
    return kind == "m6" || kind == "m7" || kind == "mMaj7" || kind == "m" || kind == "m7b5";
}

}  // namespace

std::string key_name(int key) {
    if (key < 0 || key >= key_count) throw Invalid_argument("Invalid key: " + std::to_string(key));
    return is_minor_key(key) ? std::string(minor_key_tonics[static_cast<std::size_t>(key - 12)]) + "m"
                             : std::string(major_key_names[static_cast<std::size_t>(key)]);
}

const std::vector<Class_rule>& major_rules() {
    static const std::vector<Class_rule> rules = parse_rules(major_class_ruledefs);
    return rules;
}

const std::vector<Class_rule>& minor_rules() {
    static const std::vector<Class_rule> rules = parse_rules(minor_class_ruledefs);
    return rules;
}

double cost(int cls) {
    switch (cls) {
        case 0: return -6.0;
        case 1: return -5.0;
        case 2: return -4.0;
        case 3: return -3.0;
        case 4: return -2.0;
        case 5: return -1.0;
        case 6:
        case 8:
        case 9: return 0.0;
        case 10: return infinity;
        default: throw Invalid_argument("Invalid class: " + std::to_string(cls));
    }
}

bool is_dominant_class(int cls) { return cls >= 2 && cls <= 5; }

Romanchord ae_romanize(const Ae& element, const Note& tonic) {
    return Structana::romanize(tonic, Structana::lastchord(element));
}

int ae_classify(const Note& tonic, std::string_view suffix, const std::vector<Class_rule>& rules, const Ae& element) {
    if (element.is(Tag::Turnaround)) {
        // By pitch and mode: a turnaround naming F# names the key Gb.
        const auto names_key = [&](const std::string& name) {
            if (name.ends_with('m') != !suffix.empty()) return false;
            const std::string_view note = std::string_view(name).substr(0, name.size() - suffix.size());
            return Note::of_string(note).semi() == tonic.semi();
        };
        const auto& keys = element.keys();
        return std::any_of(keys.begin(), keys.end(), names_key) ? 9 : 10;
    }
    try {
        const Romanchord chord = ae_romanize(element, tonic);
        for (const Class_rule& rule : rules)
            if (rule_matches(rule, chord)) return rule.cls;
    } catch (const Failure&) {
        // A root with no roman form over this tonic, or a kind outside the eight.
    }
    return 10;
}

std::vector<int> aea_classify_by_key(const std::vector<Class_rule>& rules, const std::vector<Ae>& elements,
                                     const Note& tonic, std::string_view suffix) {
    std::vector<int> classes;
    classes.reserve(elements.size());
    for (const Ae& element : elements) classes.push_back(ae_classify(tonic, suffix, rules, element));
    return classes;
}

Class_map gen_clsm(const std::vector<Ae>& elements) {
    Class_map map;
    for (int key = 0; key < 12; ++key) map[key_name(key)] = classes_in_key(elements, key);
    return map;
}

Class_map m_gen_clsm(const std::vector<Ae>& elements) {
    Class_map map;
    for (int key = 12; key < key_count; ++key) map[key_tonic(key).to_string()] = classes_in_key(elements, key);
    return map;
}

mpq_class ae_dur(const Ae& element) {
    if (element.is(Tag::Chord)) return element.chordelem().d();
    mpq_class total = 0;
    for (const Ae& member : element.members()) total += ae_dur(member);
    return total;
}

std::vector<mpq_class> gen_dur(const std::vector<Ae>& elements) {
    std::vector<mpq_class> durations;
    durations.reserve(elements.size());
    for (const Ae& element : elements) durations.push_back(ae_dur(element));
    return durations;
}

const std::vector<Secondary_rule>& major_secondary_rules() {
    static const std::vector<Secondary_rule> rules = parse_secondary_rules(major_secondary_ruledefs);
    return rules;
}

const std::vector<Secondary_rule>& minor_secondary_rules() {
    static const std::vector<Secondary_rule> rules = parse_secondary_rules(minor_secondary_ruledefs);
    return rules;
}

std::pair<Intvl, bool> romankey_to_intvl_and_is_minor(std::string_view romankey) {
    const auto [degree, minor] = Structana::parse_romankey(romankey);
    return {degree.to_intvl(), minor};
}

std::string key_add_intvl_keyname(std::string_view key, const Intvl& interval,
                                  const std::array<std::string_view, 12>& keys) {
    const int semi = (Note::of_string(key).semi() + interval.semi()) % 12;
    for (std::string_view name : keys)
        if (Note::of_string(name).semi() == semi) return std::string(name);
    throw Not_found();
}

const std::vector<int>& key_intvl_is_minor_to_cls(std::string_view key, const Intvl& interval, bool minor,
                                                  const Class_map& majors, const Class_map& minors) {
    const std::string name = key_add_intvl_keyname(key, interval, minor ? minor_key_tonics : major_key_names);
    const Class_map& map = minor ? minors : majors;
    const auto found = map.find(name);
    if (found == map.end()) throw Not_found();
    return found->second;
}

bool zone_holds(Zone_test test, const std::vector<int>& c2, const std::vector<mpq_class>& durations,
                std::ptrdiff_t start, std::ptrdiff_t end) {
    if (start < 0 || (end >= start && (static_cast<std::size_t>(end) >= c2.size() || c2.size() != durations.size())))
        throw Invalid_argument("Invalid run: " + std::to_string(start) + ".." + std::to_string(end));
    mpq_class root = 0;
    mpq_class others = 0;
    for (std::ptrdiff_t k = start; k <= end; ++k) {
        const auto at = static_cast<std::size_t>(k);
        (c2[at] == 0 ? root : others) += durations[at];
    }
    switch (test) {
        case Zone_test::z: return root + others >= 8;
        case Zone_test::z4l: return 4 * root >= others && root + others >= 32;
        case Zone_test::z4s: return 2 * root >= others && others > 0 && root + others >= 8;
    }
    return false;
}

std::vector<int> gen_z(const std::vector<int>& c2, const std::vector<int>& c, const std::vector<mpq_class>& durations,
                       const std::vector<int>& zone_classes, Zone_test test) {
    const std::size_t n = c2.size();
    if (c.size() != n || durations.size() != n) throw Invalid_argument("Arrays of different lengths");
    std::vector<int> z(n, 0);
    int counter = 0;
    bool open = false;
    bool has_tonic = false;
    std::size_t start = 0;
    // Labels positions first..last, dropping any at n.
    auto label = [&](std::size_t first, std::size_t last, int value) {
        for (std::size_t k = first; k <= last && k < n; ++k) z[k] = value;
    };
    auto close_at = [&](std::size_t k) {
        // A zone does not end on the secondary key's dominants; they go to the gap after it.
        std::ptrdiff_t end = static_cast<std::ptrdiff_t>(k) - 1;
        while (end >= static_cast<std::ptrdiff_t>(start) && is_dominant_class(c2[static_cast<std::size_t>(end)]))
            --end;
        if (has_tonic && zone_holds(test, c2, durations, static_cast<std::ptrdiff_t>(start), end)) {
            label(start, static_cast<std::size_t>(end), counter + 1);
            label(static_cast<std::size_t>(end + 1), k, counter + 2);
            counter += 2;
        } else {
            label(start, k, counter);
        }
        open = false;
        has_tonic = false;
    };
    for (std::size_t k = 0; k < n; ++k) {
        const bool in_zone =
            std::find(zone_classes.begin(), zone_classes.end(), c2[k]) != zone_classes.end() && c[k] != 0;
        if (in_zone) {
            if (!open) {
                open = true;
                start = k;
            }
            if (c2[k] == 0) has_tonic = true;
        } else if (open) {
            close_at(k);
        } else {
            z[k] = counter;
        }
    }
    if (open) close_at(n);
    return z;
}

bool zone_relation_holds(Zone_relation relation, const std::vector<int>& z, std::size_t i, std::size_t j) {
    if (i >= z.size() || j >= z.size())
        throw Invalid_argument("Invalid run: " + std::to_string(i) + ".." + std::to_string(j));
    const int zi = z[i];
    const int zj = z[j];
    if (zi == zj) return true;
    return relation == Zone_relation::ne && zi % 2 == 0 && zj % 2 == 0;
}

std::string singletonkey(const Ae& element) {
    if (element.is(Tag::Turnaround)) {
        if (element.keys().empty()) throw Failure("hd");
        return element.keys().front();
    }
    const Simplchord& chord = Structana::ae_c(Structana::lastchord(element));
    // Named as musicians write keys; a double-sharp or double-flat root by its pitch.
    const Key::Mode mode = is_minor_kind(chord.kind()) ? Key::Mode::minor : Key::Mode::major;
    const Note root = chord.root();
    const bool plain = root.alt() >= -1 && root.alt() <= 1;
    const Key key = plain ? Key::of_tonic(root, mode) : Key::of_tonic(Note::of_string("C"), mode).moved_by(root.semi());
    return key.as_written().to_string();
}

bool Run_costs::Key_runs::allows(std::size_t i, std::size_t j) const {
    for (const auto& [relation, z] : zones)
        if (!zone_relation_holds(relation, z, i, j)) return false;
    return true;
}

Run_costs::Run_costs(const std::vector<Ae>& elements) : size_(elements.size()) {
    const std::vector<mpq_class> durations = gen_dur(elements);
    std::vector<std::vector<int>> classes;
    for (int key = 0; key < key_count; ++key) classes.push_back(classes_in_key(elements, key));
    for (int key = 0; key < key_count; ++key) {
        const std::vector<int>& c = classes[static_cast<std::size_t>(key)];
        Key_runs runs;
        runs.cls.assign(c.begin(), c.end());
        runs.cost_before.assign(size_ + 1, 0);
        runs.last_unexplained.assign(size_, -1);
        runs.last_home.assign(size_, -1);
        std::ptrdiff_t unexplained = -1;
        std::ptrdiff_t home = -1;
        for (std::size_t k = 0; k < size_; ++k) {
            if (c[k] == 10) unexplained = static_cast<std::ptrdiff_t>(k);
            if (c[k] == 0 || c[k] == 9) home = static_cast<std::ptrdiff_t>(k);
            runs.last_unexplained[k] = unexplained;
            runs.last_home[k] = home;
            runs.cost_before[k + 1] = runs.cost_before[k] + (c[k] == 10 ? 0 : static_cast<long long>(cost(c[k])));
        }
        const int tonic_semi = key_tonic(key).semi();
        for (const Secondary_rule& rule : is_minor_key(key) ? minor_secondary_rules() : major_secondary_rules()) {
            const int secondary = key_of_pitch_class((tonic_semi + rule.interval.semi()) % 12, rule.minor);
            runs.zones.emplace_back(rule.relation, gen_z(classes[static_cast<std::size_t>(secondary)], c, durations,
                                                         rule.zone_classes, rule.test));
        }
        keys_.push_back(std::move(runs));
    }
    // A lone element is allowed in a key exactly when it is that key's tonic or turnaround.
    singleton_keys_.resize(size_);
    for (std::size_t k = 0; k < size_; ++k) {
        const bool explained = std::any_of(keys_.begin(), keys_.end(), [&](const Key_runs& runs) {
            return runs.last_home[k] == static_cast<std::ptrdiff_t>(k);
        });
        if (!explained) singleton_keys_[k] = singletonkey(elements[k]);
    }
}

void Run_costs::column(std::size_t j, std::vector<Run_cost>& out) const {
    if (j >= size_) throw Invalid_argument("Invalid run end: " + std::to_string(j));
    out.assign(j + 1, Run_cost{infinity, key_none});
    for (int key = 0; key < key_count; ++key) {
        const Key_runs& runs = keys_[static_cast<std::size_t>(key)];
        if (is_dominant_class(runs.cls[j])) continue;
        // Runs i..j in this key are explained from i > last unexplained, and hold a tonic up to the last one.
        const std::ptrdiff_t first = runs.last_unexplained[j] + 1;
        const std::ptrdiff_t last = runs.last_home[j];
        for (std::ptrdiff_t start = first; start <= last; ++start) {
            const auto i = static_cast<std::size_t>(start);
            const auto run_cost = static_cast<double>(runs.cost_before[j + 1] - runs.cost_before[i]);
            if (run_cost < out[i].cost && runs.allows(i, j)) out[i] = Run_cost{run_cost, key};
        }
    }
    if (out[j].cost == infinity) out[j] = Run_cost{unexplained_cost, key_lone};
}

std::string Run_costs::name_of(const Run_cost& entry, std::size_t i) const {
    if (entry.key == key_none) return "";
    if (entry.key == key_lone) return singleton_keys_.at(i);
    return key_name(entry.key);
}

std::vector<Back_pointer> optpart(const Run_costs& costs) {
    const std::size_t n = costs.size();
    std::vector<double> best(n);
    std::vector<Back_pointer> back;
    back.reserve(n);
    std::vector<Run_cost> column;
    for (std::size_t j = 0; j < n; ++j) {
        costs.column(j, column);
        double kept = column[0].cost;
        std::size_t start = 0;
        for (std::size_t i = 1; i <= j; ++i) {
            const double candidate = best[i - 1] + column[i].cost + segment_charge;
            if (candidate < kept) {
                kept = candidate;
                start = i;
            }
        }
        best[j] = kept;
        back.push_back({start, costs.name_of(column[start], start)});
    }
    return back;
}

std::vector<Key_segment> buildpart(const std::vector<Back_pointer>& back, const std::vector<Ae>& elements) {
    if (back.size() != elements.size()) throw Invalid_argument("Invalid back pointer");
    std::vector<Key_segment> segments;
    std::size_t end = back.size();  // one past the last element of the next segment
    while (end > 0) {
        const Back_pointer& pointer = back[end - 1];
        if (pointer.start >= end) throw Invalid_argument("Invalid back pointer");
        const auto first = elements.begin() + static_cast<std::ptrdiff_t>(pointer.start);
        const auto last = elements.begin() + static_cast<std::ptrdiff_t>(end);
        segments.push_back({pointer.key, std::vector<Ae>(first, last)});
        end = pointer.start;
    }
    std::reverse(segments.begin(), segments.end());
    return segments;
}

std::vector<Key_segment> partition(const std::vector<Ae>& elements) {
    return buildpart(optpart(Run_costs(elements)), elements);
}

}  // namespace zub::Segment
