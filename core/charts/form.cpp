#include "core/charts/form.h"

#include "core/failure.h"

namespace zub {

namespace {

constexpr std::string_view ending_names[] = {"1st", "2nd", "3rd"};

}  // namespace

Time_signature Time_signature::of_string(std::string_view text) {
    static constexpr std::pair<std::string_view, std::pair<int, int>> meters[] = {
        {"2/4", {2, 4}}, {"3/4", {3, 4}}, {"4/4", {4, 4}}, {"5/4", {5, 4}},
        {"6/4", {6, 4}}, {"7/4", {7, 4}}, {"6/8", {6, 8}}, {"12/8", {12, 8}},
    };
    for (const auto& [name, meter] : meters)
        if (name == text) return Time_signature(meter.first, meter.second);
    throw Failure("Invalid time signature: " + std::string(text));
}

Time_signature Time_signature::of_beats(int beats) {
    if (beats < 2 || beats > 7) throw Failure("Invalid time signature: " + std::to_string(beats) + "/4");
    return Time_signature(beats, 4);
}

std::string Time_signature::to_string() const { return std::to_string(upper_) + "/" + std::to_string(lower_); }

Direction Direction::of_string(std::string_view text) {
    Direction direction;
    std::string_view rest = text;
    if (rest.starts_with("D.C.")) {
        direction.from = From::capo;
    } else if (rest.starts_with("D.S.")) {
        direction.from = From::segno;
    } else {
        throw Failure("Invalid direction: " + std::string(text));
    }
    rest.remove_prefix(4);
    if (rest.empty()) return direction;
    if (rest == " al Coda") {
        direction.to = To::coda;
        return direction;
    }
    if (rest == " al Fine") {
        direction.to = To::fine;
        return direction;
    }
    for (int k = 0; k < 3; ++k)
        if (rest == " al " + std::string(ending_names[k]) + " End.") {
            direction.to = To::ending;
            direction.ending = k + 1;
            return direction;
        }
    throw Failure("Invalid direction: " + std::string(text));
}

std::string Direction::to_string() const {
    std::string text = from == From::capo ? "D.C." : "D.S.";
    switch (to) {
        case To::end: return text;
        case To::coda: return text + " al Coda";
        case To::fine: return text + " al Fine";
        case To::ending:
            if (ending < 1 || ending > 3) throw Failure("Invalid direction ending: " + std::to_string(ending));
            return text + " al " + std::string(ending_names[ending - 1]) + " End.";
    }
    return text;
}

}  // namespace zub
