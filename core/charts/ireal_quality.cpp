#include "core/charts/ireal_quality.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "core/failure.h"
#include "core/theory/chordtype.h"

namespace zub::Ireal_quality {

namespace {

struct Quality {
    std::string_view text;       // as the app writes it after the root
    std::string_view intervals;  // what it plays above the root
};

// The app's chord list. "^" alone is the major seventh; "2" adds the second to
// the triad; "h" alone is half-diminished like "h7".
constexpr Quality official_qualities[] = {
    {"", "3.5"},
    {"^7", "3.5.7"},
    {"^9", "3.5.7.9"},
    {"^13", "3.5.7.9.11.13"},
    {"^7#11", "3.5.7.#11"},
    {"^9#11", "3.5.7.9.#11"},
    {"^7#5", "3.#5.7"},
    {"^", "3.5.7"},
    {"6", "3.5.6"},
    {"69", "3.5.6.9"},
    {"add9", "3.5.9"},
    {"2", "2.3.5"},
    {"5", "5"},
    {"+", "3.#5"},
    {"o", "b3.b5"},
    {"o7", "b3.b5.6"},
    {"h7", "b3.b5.b7"},
    {"h", "b3.b5.b7"},
    {"h9", "b3.b5.b7.9"},
    {"-", "b3.5"},
    {"-7", "b3.5.b7"},
    {"-9", "b3.5.b7.9"},
    {"-11", "b3.5.b7.9.11"},
    {"-6", "b3.5.6"},
    {"-69", "b3.5.6.9"},
    {"-^7", "b3.5.7"},
    {"-^9", "b3.5.7.9"},
    {"-7b5", "b3.b5.b7"},
    {"-b6", "b3.5.b6"},
    {"-#5", "b3.#5"},
    {"sus", "4.5"},
    {"7sus", "4.5.b7"},
    {"9sus", "4.5.b7.9"},
    {"13sus", "4.5.b7.9.13"},
    {"7b9sus", "4.5.b7.b9"},
    {"7b13sus", "4.5.b7.b13"},
    {"7susadd3", "3.4.5.b7"},
    {"7", "3.5.b7"},
    {"9", "3.5.b7.9"},
    {"11", "3.5.b7.9.11"},
    {"13", "3.5.b7.9.11.13"},
    {"7b9", "3.5.b7.b9"},
    {"7#9", "3.5.b7.#9"},
    {"7#11", "3.5.b7.#11"},
    {"7b13", "3.5.b7.b13"},
    {"7b5", "3.b5.b7"},
    {"7#5", "3.#5.b7"},
    {"9#11", "3.5.b7.9.#11"},
    {"9b5", "3.b5.b7.9"},
    {"9#5", "3.#5.b7.9"},
    {"13#11", "3.5.b7.9.#11.13"},
    {"13b9", "3.5.b7.b9.11.13"},
    {"13#9", "3.5.b7.#9.11.13"},
    {"7b9#5", "3.#5.b7.b9"},
    {"7b9b5", "3.b5.b7.b9"},
    {"7b9#9", "3.5.b7.b9.#9"},
    {"7b9b13", "3.5.b7.b9.b13"},
    {"7#9#5", "3.#5.b7.#9"},
    {"7#9b5", "3.b5.b7.#9"},
    {"7#9#11", "3.5.b7.#9.#11"},
    {"7b9#11", "3.5.b7.b9.#11"},
    {"7alt", "3.b5.#5.b7.b9.#9"},
};

// Read, never written: spellings found in shared charts and in free-text qualities.
constexpr Quality unofficial_qualities[] = {
    {"o^7", "b3.b5.7"}, {"-^", "b3.5.7"}, {"m", "b3.5"},      {"m7", "b3.5.b7"},     {"maj7", "3.5.7"},
    {"dim", "b3.b5"},   {"aug", "3.#5"},  {"m7b5", "b3.b5.b7"}, {"sus4", "4.5"},     {"sus2", "2.5"},
    {"7sus4", "4.5.b7"}, {"alt", "3.b5.#5.b7.b9.#9"},
};

struct Tables {
    std::vector<std::string_view> official;
    std::unordered_set<std::string_view> official_set;
    std::size_t longest = 0;
    std::unordered_map<std::string_view, std::string> type_of;
    std::vector<Intvllist> official_lists;
};

const Tables& tables() {
    static const Tables built = [] {
        Tables t;
        for (const auto& q : official_qualities) {
            t.official.push_back(q.text);
            t.official_set.insert(q.text);
            t.longest = std::max(t.longest, q.text.size());
            const Intvllist list = Intvllist::of_string(q.intervals);
            t.official_lists.push_back(list);
            t.type_of.emplace(q.text, Chordtype::to_string(list));
        }
        for (const auto& q : unofficial_qualities)
            t.type_of.emplace(q.text, Chordtype::to_string(Intvllist::of_string(q.intervals)));
        return t;
    }();
    return built;
}

}  // namespace

const std::vector<std::string_view>& official() { return tables().official; }

std::size_t longest_match(std::string_view text) {
    // Only the characters qualities are made of can belong to one; try the
    // longest run of them first and shorten it.
    const Tables& t = tables();
    static constexpr std::string_view alphabet = "0123456789#b^-+ohadsult";
    std::size_t run = 0;
    while (run < text.size() && run < t.longest && alphabet.find(text[run]) != std::string_view::npos) ++run;
    for (std::size_t length = run; length > 0; --length)
        if (t.official_set.contains(text.substr(0, length))) return length;
    return 0;
}

const std::string& type_of_quality(std::string_view quality) {
    const auto& map = tables().type_of;
    auto found = map.find(quality);
    if (found == map.end()) throw Not_found();
    return found->second;
}

std::string_view quality_of_type(const Intvllist& type) {
    const Tables& t = tables();
    return t.official[nearest(type, t.official_lists)];
}

}  // namespace zub::Ireal_quality
