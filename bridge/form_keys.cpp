#include "bridge/internal/form_keys.h"

#include <algorithm>

#include "bridge/bridge_exception.h"
#include "core/failure.h"

namespace zub {

namespace {

constexpr std::string_view flag_keys[] = {"RepeatStart", "Segno", "ToCoda", "Coda", "Fine"};
constexpr std::string_view form_keys[] = {"RepeatStart", "RepeatEnd", "Endings", "Segno", "ToCoda",
                                          "Coda",        "Fine",      "Direction", "Time"};

[[noreturn]] void refuse(const std::string& reason) { throw Bridge_exception("barFormOf", reason); }

bool flag(const Plist& bar, std::string_view key) {
    const Plist* value = bar.find(key);
    if (!value) return false;
    if (value->kind() != Plist::Kind::boolean)
        refuse("Wrong type for key " + std::string(key) + ": expected boolean, found " +
               std::string(kind_name(value->kind())));
    return value->as_boolean();
}

std::vector<int> endings_of(const Plist& bar) {
    std::vector<int> endings;
    if (!bar.find("Endings")) return endings;
    for (const Plist& number : bar.array_at("Endings")) {
        const std::int64_t ending = number.as_integer();
        if (ending < 1 || ending > max_ending_number || (!endings.empty() && ending <= endings.back()))
            refuse("Invalid ending: " + std::to_string(ending));
        endings.push_back(static_cast<int>(ending));
    }
    return endings;
}

// Time_signature and Direction refuse with core failures: the same reasons, from the bridge.
template <typename Read>
auto read_text(Read read) {
    try {
        return read();
    } catch (const Failure& failure) {
        refuse(failure.what());
    }
}

}  // namespace

Bar_form barFormOf(const Plist& bar) {
    Bar_form form;
    form.repeat_start = flag(bar, "RepeatStart");
    form.segno = flag(bar, "Segno");
    form.to_coda = flag(bar, "ToCoda");
    form.coda = flag(bar, "Coda");
    form.fine = flag(bar, "Fine");
    if (bar.find("RepeatEnd")) {
        const std::int64_t times = bar.integer_at("RepeatEnd");
        if (times < 2 || times > max_repeat_times) refuse("Invalid repeat count: " + std::to_string(times));
        form.repeat_end = static_cast<int>(times);
    }
    form.endings = endings_of(bar);
    if (bar.find("Direction")) {
        const std::string& text = bar.string_at("Direction");
        form.direction = read_text([&] { return Direction::of_string(text); });
    }
    if (bar.find("Time")) {
        const std::string& text = bar.string_at("Time");
        form.time = read_text([&] { return Time_signature::of_string(text); });
    }
    return form;
}

Plist withBarForm(const Plist& bar, const Bar_form& form) {
    Plist::Dictionary keys = bar.as_dictionary();
    for (std::string_view key : form_keys) {
        auto found = keys.find(key);
        if (found != keys.end()) keys.erase(found);
    }
    const bool flags[] = {form.repeat_start, form.segno, form.to_coda, form.coda, form.fine};
    for (std::size_t k = 0; k < std::size(flag_keys); ++k)
        if (flags[k]) keys.emplace(flag_keys[k], Plist::make_boolean(true));
    if (form.repeat_end > 0) keys.emplace("RepeatEnd", Plist::make_integer(form.repeat_end));
    if (!form.endings.empty()) {
        Plist::Array endings;
        for (int ending : form.endings) endings.push_back(Plist::make_integer(ending));
        keys.emplace("Endings", Plist::make_array(std::move(endings)));
    }
    if (form.direction) keys.emplace("Direction", Plist::make_string(form.direction->to_string()));
    if (form.time) keys.emplace("Time", Plist::make_string(form.time->to_string()));
    return Plist::make_dictionary(std::move(keys));
}

}  // namespace zub
