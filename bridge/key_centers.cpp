#include "bridge/key_centers.h"

#include <string>
#include <vector>

namespace zub {

namespace {

Plist key_center(const std::string& key, std::int64_t beats) {
    return Plist::make_dictionary({{"Key", Plist::make_string(key)}, {"Beats", Plist::make_integer(beats)}});
}

std::vector<std::string> key_slots(const Plist& bar) {
    std::vector<std::string> keys;
    for (const Plist& slot : bar.array_at("Keys")) keys.push_back(slot.as_string());
    return keys;
}

}  // namespace

Plist keyCenters(const Plist::Array& bars) {
    static const std::string sentinel = "!";
    Plist::Array centers;
    std::string previous = sentinel;
    std::int64_t count = 0;
    for (const Plist& bar : bars) {
        for (const std::string& key : key_slots(bar)) {
            if (previous == sentinel) {
                previous = key;
                count = 1;
            } else if (previous.empty() || key == previous) {
                ++count;
            } else {
                centers.push_back(key_center(previous, count));
                previous = key;
                count = 1;
            }
        }
    }
    centers.push_back(key_center(previous, count));
    return Plist::make_array(std::move(centers));
}

Plist::Array setKeyCenters(const Plist::Array& bars, const Plist::Array& key_centers) {
    std::vector<std::vector<std::string>> keys;
    for (const Plist& bar : bars) keys.push_back(key_slots(bar));
    std::size_t bar = 0, slot = 0;
    for (const Plist& center : key_centers) {
        const std::string& key = center.string_at("Key");
        for (std::int64_t beat = 0; beat < center.integer_at("Beats"); ++beat) {
            while (bar < keys.size() && slot == keys[bar].size()) ++bar, slot = 0;
            if (bar == keys.size()) break;  // the list reaches past the chart: the rest has no slot
            keys[bar][slot++] = key;
        }
    }
    Plist::Array result;
    for (std::size_t k = 0; k < bars.size(); ++k) {
        Plist::Array slots;
        for (std::string& key : keys[k]) slots.push_back(Plist::make_string(std::move(key)));
        result.push_back(bars[k].with("Keys", Plist::make_array(std::move(slots))));
    }
    return result;
}

std::string barsWithoutKeyCenter(const Plist::Array& bars) {
    std::string runs;
    std::size_t first = 0;  // the first bar (from 1) of the run being gathered; 0 for none
    auto close = [&](std::size_t last) {
        if (first == 0) return;
        runs += (runs.empty() ? "" : ", ") + std::to_string(first) + (last > first ? "-" + std::to_string(last) : "");
        first = 0;
    };
    for (std::size_t i = 0; i < bars.size(); ++i) {
        bool lacking = false;
        for (const Plist& key : bars[i].array_at("Keys")) lacking = lacking || key.as_string().empty();
        if (lacking && first == 0) first = i + 1;
        if (!lacking) close(i);
    }
    close(bars.size());
    return runs;
}

}  // namespace zub
