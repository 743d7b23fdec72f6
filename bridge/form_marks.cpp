#include "bridge/form_marks.h"

#include <algorithm>

#include "bridge/bridge_exception.h"
#include "bridge/played_form.h"
#include "core/charts/form.h"
#include "core/failure.h"

namespace zub {

namespace {

// The core refuses with its own failures; the editor hears them from the bridge.
template <typename Read>
auto read_text(const char* operation, Read read) {
    try {
        return read();
    } catch (const Failure& failure) {
        throw Bridge_exception(operation, failure.what());
    }
}

}  // namespace

std::vector<std::string> timeSignatureNames() { return {"2/4", "3/4", "4/4", "5/4", "6/4", "7/4", "6/8", "12/8"}; }

std::size_t timeSignatureSlots(std::string_view name) {
    return static_cast<std::size_t>(
        read_text("timeSignatureSlots", [&] { return Time_signature::of_string(name).beats(); }));
}

std::string timeSignatureOfMeter(std::int64_t meter) {
    // Clamped only so that the count fits an int: anything outside 2..7 is refused with its value.
    const int beats = static_cast<int>(std::clamp<std::int64_t>(meter, -1, 1000));
    return read_text("timeSignatureOfMeter", [&] { return Time_signature::of_beats(beats).to_string(); });
}

std::vector<std::string> directionNames() {
    std::vector<std::string> names;
    for (Direction::From from : {Direction::From::capo, Direction::From::segno}) {
        for (Direction::To to : {Direction::To::end, Direction::To::fine, Direction::To::coda})
            names.push_back(Direction{from, to, 0}.to_string());
        for (int ending = 1; ending <= 3; ++ending)
            names.push_back(Direction{from, Direction::To::ending, ending}.to_string());
    }
    return names;
}

std::string formProblem(const Plist& chart) {
    try {
        playedBars(chart);
        return {};
    } catch (const Bridge_exception& failure) {
        return failure.reason();
    }
}

}  // namespace zub
